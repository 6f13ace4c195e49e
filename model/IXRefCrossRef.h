#pragma once
// A cross-reference: text between a start and an end text marker, composed
// from a format and a named source marker in this document or another one.
// Persistent: source paths and marker name, format, markers, update time.
// Run-time only: the source and composition states (-1 unknown, 0 OK, 1
// broken or failed) with their messages, the failure count, the display
// text and the layout snapshot of the line before the start marker.
#include "host/GlobalTime.h"
#include "host/IDFile.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDRef.h"
#include "model/XRefEvaluation.h"
#include "model/XRefModelID.h"

class ITextModel;
class IXRefSourceMarker;

class IXRefCrossRef : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCROSSREF;

  virtual void SetSource(const IDFile& document, const PMString& markerName) = 0;
  // An empty file makes the cross-reference local.
  virtual void SetSourceDocument(const IDFile& document) = 0;
  // The stored absolute path if that file exists, else the relative path
  // resolved against this document's folder if that file exists, else the
  // stored absolute path as it is (empty for a local source).
  virtual IDFile GetSourceDocument() const = 0;
  virtual bool16 IsExternal() const = 0;
  // Finds the source marker and sets the source state; a reference the
  // caller releases, or null. `openClosed` opens a closed source document.
  virtual IXRefSourceMarker* QuerySourceMarker(bool16 openClosed) = 0;
  // 0 when the source marker was shown, 1 otherwise (with an alert).
  virtual ErrorCode GoToSource() = 0;
  virtual void SetSourceMarkerName(const PMString& name) = 0;
  virtual PMString GetSourceMarkerName() const = 0;
  virtual void SetFormat(const PMString& name, const PMString& format) = 0;
  virtual PMString GetFormatName() const = 0;
  virtual PMString GetFormatString() const = 0;
  virtual void SetStartMarker(UID marker) = 0;
  virtual UID GetStartMarker() const = 0;
  virtual void SetEndMarker(UID marker) = 0;
  virtual UID GetEndMarker() const = 0;
  virtual UIDRef GetStoryRef() const = 0;
  virtual ITextModel* QueryStoryModel() const = 0;
  // The first character of the text (start marker + 1) and one past its
  // last (the end marker); 0 without the marker.
  virtual TextIndex GetStartIndex() const = 0;
  virtual TextIndex GetEndIndex() const = 0;
  virtual int32 GetTextLength() const = 0;
  virtual bool16 HasStartContainer() const = 0;
  virtual UIDRef GetStartContainerRef() const = 0;
  // What the format gives now, without changing the story; empty when the
  // source marker cannot be found.
  virtual PMString ComposeText() = 0;
  virtual void SetUpdateTime() = 0;
  virtual GlobalTime GetUpdateTime() const = 0;
  virtual PMString GetDisplayText() = 0;
  virtual PMString GetCurrentText(bool16 whiteSpaceAsBlanks) const = 0;
  virtual PMString ComposeUntranslatedText() = 0;
  virtual PMString GetSourceStateMessage() = 0;
  virtual PMString GetCompositionStateMessage() = 0;
  virtual bool16 NeedsUpdate() = 0;
  virtual void Update(bool16 openClosed) = 0;
  virtual bool16 IsCompositionFailed() const = 0;
  // Looks the source up again (without opening documents).
  virtual bool16 IsSourceBroken() = 0;

  // The states themselves, for display.
  virtual int32 GetSourceState() const = 0;
  virtual int32 GetCompositionState() const = 0;
  // Looks the source up (without opening documents) and composes the format
  // as plain text; the story, the composition state and the update time stay
  // as they are.
  virtual XRefEvaluation Evaluate() = 0;
};

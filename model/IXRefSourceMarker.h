#pragma once
// A source marker: the named destination of cross-references, anchored at
// one character of a story as an owned item. Persistent: name and time.
#include "host/GlobalTime.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDRef.h"
#include "model/XRefModelID.h"

class ITextModel;

class IXRefSourceMarker : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSOURCEMARKER;

  virtual void SetMarkerName(const PMString& name) = 0;
  virtual PMString GetMarkerName() const = 0;
  // Accepts a time and keeps the stored one: a marker's time stamp is what
  // its document recorded.
  virtual void SetMarkerTime(const GlobalTime& time) = 0;
  virtual GlobalTime GetMarkerTime() const = 0;
  // The story the marker is anchored in; a null UIDRef when it is not anchored.
  virtual UIDRef GetStoryRef() const = 0;
  // That story, with a reference the caller releases; null when not anchored.
  virtual ITextModel* QueryStory() const = 0;
  // The anchor character's index; -1 when not anchored.
  virtual TextIndex GetTextIndex() const = 0;
  // The hyperlink destination anchored right after the marker; a null
  // UIDRef when there is none.
  virtual UIDRef GetHyperlinkDestination() const = 0;
};

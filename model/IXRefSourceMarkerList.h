#pragma once
// The document's source markers (on its root object), in list order: the
// markers of one story together in the order of their anchors, each story's
// run where its first marker was added. Lookups by name ignore case and go
// through an index rebuilt lazily after each change.
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDList.h"
#include "model/XRefModelID.h"

class IXRefSourceMarker;

class IXRefSourceMarkerList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSOURCEMARKERLIST;

  virtual UIDList GetMarkers() const = 0;
  virtual int32 GetMarkerCount() const = 0;
  // Null UIDRef / kInvalidUID / null / "" for an index outside the list.
  virtual UIDRef GetMarkerRef(int32 index) const = 0;
  virtual UID GetMarkerUID(int32 index) const = 0;
  // Query* answer a reference the caller releases.
  virtual IXRefSourceMarker* QueryMarker(int32 index) const = 0;
  // Of two names that differ only in case, the one later in the list.
  virtual IXRefSourceMarker* QueryMarkerByName(const PMString& name) = 0;
  virtual PMString GetMarkerNameAt(int32 index) const = 0;
  // The marker's position; -1 when it is not in the list.
  virtual int32 FindMarker(UID marker) const = 0;
  virtual bool16 HasMarker(const PMString& name) = 0;
  // base, base + copy word, base + copy word + " 2", ...: the first that no
  // marker has.
  virtual PMString GetCopyName(const PMString& base) = 0;
  // Adds a source marker at a position, or with -1 in text order; a marker
  // already listed, or no marker, changes nothing.
  virtual void AddMarker(UID marker, int32 position) = 0;
  virtual void RemoveMarker(UID marker) = 0;
  // Callers that rename a marker call this so that lookups see the new name.
  virtual void InvalidateNameIndex() = 0;
};

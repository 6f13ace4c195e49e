#pragma once
// The document's cross-references (on its root object), in text order: those
// of one story together, by start index. Lookups by format, source marker
// and source document go through indexes rebuilt lazily after a change;
// building them re-checks every source and its broken state.
#include "host/IDFile.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDList.h"
#include "model/XRefModelID.h"

class IXRefCrossRef;

class IXRefCrossRefList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCROSSREFLIST;

  virtual UIDList GetCrossRefs() const = 0;
  virtual int32 GetCrossRefCount() const = 0;
  // Null / null UIDRef / kInvalidUID for an index outside the list.
  virtual IXRefCrossRef* QueryCrossRef(int32 index) const = 0;
  virtual UIDRef GetCrossRefRef(int32 index) const = 0;
  virtual UID GetCrossRefUID(int32 index) const = 0;
  virtual int32 FindCrossRef(UID crossRef) const = 0;
  virtual UIDList GetCrossRefsByFormat(const PMString& formatName) = 0;
  virtual UIDList GetCrossRefsBySourceMarker(const PMString& markerName) = 0;
  virtual UIDList GetCrossRefsBySourceDocument(const IDFile& document) = 0;
  // Of those by document, in that order, the ones that also name the marker.
  virtual UIDList GetCrossRefsBySource(const IDFile& document, const PMString& markerName) = 0;
  virtual int32 GetBrokenLocalCount() = 0;
  virtual int32 GetBrokenExternalCount() = 0;
  virtual int32 GetUnreachableDocumentCount() = 0;
  virtual IDFile GetUnreachableDocument(int32 index) = 0;
  // At a position, or with -1 in text order; one already listed stays.
  virtual void AddCrossRef(UID crossRef, int32 position) = 0;
  // 0, or the negative position (-1) when it is not listed.
  virtual int32 RemoveCrossRef(UID crossRef) = 0;
  virtual void InvalidateIndex() = 0;
};

#pragma once
// Finding a cross-reference's source marker by name, in its own document or
// in another one, with the source state and message the search leads to.
#include "host/IDFile.h"
#include "host/PMString.h"
#include "host/UIDRef.h"

class IDataBase;
class IXRefSourceMarker;

struct XRefSourceState {
  int32 state = -1;  // -1 unknown, 0 found, 1 broken
  PMString message;
  bool changed = false;  // false: leave the cross-reference's state as it was
};

namespace XRefSourceLookup {
// A reference the caller releases, or null; `result` says what to record.
IXRefSourceMarker* Local(IDataBase* db, const PMString& name, XRefSourceState* result);
// `openClosed` opens the source document when it is closed and may be.
IXRefSourceMarker* External(const IDFile& file, const PMString& name, bool16 openClosed, XRefSourceState* result);
// The translated message of a key with its parameters put in.
PMString Message(const char* key, const PMString& p1 = PMString(), const PMString& p2 = PMString());
// The open document with that file, or one whose file name equals its name
// ignoring case; the root's UIDRef, or null.
UIDRef FindOpenDocument(const IDFile& file, bool byNameToo);
}  // namespace XRefSourceLookup

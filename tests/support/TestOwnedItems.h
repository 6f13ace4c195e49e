#pragma once
// Test-only owned items, registered by the tests that use them: a marker
// with a name that deletes itself through a command of its own (counting
// how often that command runs), travels with copied text through a memento,
// and on paste parks the new marker in the paste target's pending slot (an
// interface the test adds to the story class). A second class is the same
// marker, never copied.
#include "host/IDTypes.h"
#include "host/UIDRef.h"
#include <map>

constexpr ClassID kTestMarkerBoss{0x7301};
constexpr ClassID kTestPlainMarkerBoss{0x7302};
constexpr ClassID kTestMarkerMementoBoss{0x7303};
constexpr ClassID kTestDeleteMarkerCmdBoss{0x7304};
constexpr ClassID kTestUIDAttrBoss{0x7305};
constexpr PMIID IID_ITESTPENDINGSLOT{0x7310};

struct TestMarkerLog {
  std::map<UID, int> deletions;  // runs of the deletion command, by marker (in any database)
  int moved = 0;
  int mementos = 0;
  int pastes = 0;
  int pastesFinished = 0;
  bool refuseMoves = false;  // pastes after a move fail, as across documents
  void Clear() { *this = TestMarkerLog(); }
};
TestMarkerLog& MarkerLog();

void RegisterTestOwnedItems();
// A marker object of the class, named, not yet anchored.
UID NewTestMarker(IDataBase* db, ClassID cls, const char* name);
std::string MarkerName(IDataBase* db, UID marker);

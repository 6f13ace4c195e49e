#pragma once
// Helpers for selection tests: the suite on the current selection, setting
// a text selection as a user would, and a second kind of selection whose
// suite part answers and acts as a test asks.
#include "headless/database/DataBase.h"
#include "host/InterfacePtr.h"
#include "host/RangeData.h"
#include "integration/IXRefSelectionSuite.h"
#include <string>
#include <vector>

InterfacePtr<IXRefSelectionSuite> SelectionSuite();
// Through the host's text selection setter; false when it refuses.
bool SelectText(IDataBase* db, UID story, TextIndex start, TextIndex end);
// The current text selection; an empty range without one.
RangeData SelectedRange();
void SetExactSelection(bool exact);

// The second kind of selection. Its queries answer `answer`; its actions
// log their name, insert "F" at the start of `story` (when set) and answer
// `result`.
struct FakePartState {
  bool16 answer = false;
  ErrorCode result = kSuccess;
  IDataBase* db = nullptr;
  UID story = kInvalidUID;
  std::vector<std::string> log;
};
FakePartState& FakePart();
// Adds a fresh object of the fake kind to the current selection; removed
// (and released) by RemoveFakePart.
void AddFakePart();
void RemoveFakePart();

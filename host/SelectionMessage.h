#pragma once
// What the selection tells its extensions and active-selection observers.
// Selection changes say whether they were made while observers were being
// told of another (an observer's own adjustment); model changes carry the
// protocol that changed and collect the suites it affects, each once.
#include "IDTypes.h"
#include <algorithm>
#include <vector>

class SelectionMessage {
public:
  SelectionMessage(ClassID kind, bool16 nested, PMIID protocol = kInvalidInterfaceID)
      : kind_(kind), nested_(nested), protocol_(protocol) {}
  ClassID GetKind() const { return kind_; }
  // The first query: yes for a change made while observers were being told
  // of another change.
  bool16 IsNestedChange() const { return nested_; }
  PMIID GetChangedProtocol() const { return protocol_; }

  void AddAffectedSuite(PMIID suite) {
    if (!WasSuiteAffected(suite)) affected_.push_back(suite);
  }
  bool16 WasSuiteAffected(PMIID suite) const {
    return std::find(affected_.begin(), affected_.end(), suite) != affected_.end();
  }
  const std::vector<PMIID>& GetAffectedSuites() const { return affected_; }

private:
  ClassID kind_;
  bool16 nested_;
  PMIID protocol_;
  std::vector<PMIID> affected_;
};

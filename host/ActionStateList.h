#pragma once
// The actions of a menu about to be shown: each with its identifier, whether
// it is enabled and its menu text. The host fills it with its own states
// (disabled, with the menu's texts); action components change them.
#include "PMString.h"
#include <vector>

class ActionStateList {
public:
  void Add(ActionID id, const PMString& name, bool16 enabled = false) { entries_.push_back({id, enabled, name}); }
  int32 Length() const { return static_cast<int32>(entries_.size()); }
  ActionID GetNthAction(int32 n) const { return entries_[static_cast<size_t>(n)].id; }
  bool16 IsNthActionEnabled(int32 n) const { return entries_[static_cast<size_t>(n)].enabled; }
  const PMString& GetNthActionName(int32 n) const { return entries_[static_cast<size_t>(n)].name; }
  void SetNthActionState(int32 n, bool16 enabled) { entries_[static_cast<size_t>(n)].enabled = enabled; }
  void SetNthActionName(int32 n, const PMString& name) { entries_[static_cast<size_t>(n)].name = name; }

private:
  struct Entry {
    ActionID id;
    bool16 enabled;
    PMString name;
  };
  std::vector<Entry> entries_;
};

#pragma once
// The workspace's display options. View state only: not persistent, so
// showing hidden characters never changes a document's bytes or undo.
#include "host/CPMUnknown.h"
#include "host/IDisplayOptions.h"

class DisplayOptionsImpl : public CPMUnknown<IDisplayOptions> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 GetShowHiddenCharacters() const override { return showHidden_; }
  void SetShowHiddenCharacters(bool16 show) override { showHidden_ = show; }

private:
  bool16 showHidden_ = false;
};

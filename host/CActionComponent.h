#pragma once
// Base of action components: leaves every state as the host gave it and
// does nothing.
#include "CPMUnknown.h"
#include "IActionComponent.h"

class CActionComponent : public CPMUnknown<IActionComponent> {
public:
  using CPMUnknown::CPMUnknown;
  void UpdateActionStates(IActiveContext*, ActionStateList*) override {}
  void DoAction(IActiveContext*, ActionID) override {}
};

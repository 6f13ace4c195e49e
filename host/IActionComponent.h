#pragma once
// A plug-in's menu actions. The host asks the component of the plug-in whose
// identifier range holds an action (a class aggregating this interface with
// an identifier in the same range) to update the states of its actions before
// a menu shows, and to carry one out when the user chooses it.
#include "ActionStateList.h"
#include "IPMUnknown.h"

class IActiveContext;

constexpr PMIID IID_IACTIONCOMPONENT{0x14110};

class IActionComponent : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IACTIONCOMPONENT;
  virtual void UpdateActionStates(IActiveContext* context, ActionStateList* actions) = 0;
  virtual void DoAction(IActiveContext* context, ActionID action) = 0;
};

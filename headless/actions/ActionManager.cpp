#include "headless/actions/ActionManager.h"
#include "headless/objects/Host.h"
#include "host/CreateObject.h"
#include "host/IActionComponent.h"
#include "host/InterfacePtr.h"
#include <set>

namespace {
uint32 RangeOf(uint32 id) { return id & ~0xFFu; }

InterfacePtr<IActionComponent> ComponentFor(ActionID action) {
  for (ClassID cls : Host::Get().Classes().ClassesWith(IID_IACTIONCOMPONENT))
    if (RangeOf(static_cast<uint32>(cls)) == RangeOf(static_cast<uint32>(action)))
      return InterfacePtr<IActionComponent>(CreateObject<IActionComponent>(cls));
  return InterfacePtr<IActionComponent>();
}
}  // namespace

void ActionManager::UpdateActionStates(IActiveContext* context, ActionStateList* actions) {
  if (!actions) return;
  std::set<uint32> asked;
  for (int32 i = 0; i < actions->Length(); ++i) {
    const ActionID action = actions->GetNthAction(i);
    if (!asked.insert(RangeOf(static_cast<uint32>(action))).second) continue;
    if (auto component = ComponentFor(action)) component->UpdateActionStates(context, actions);
  }
}

bool ActionManager::DoAction(IActiveContext* context, ActionID action) {
  auto component = ComponentFor(action);
  if (!component) return false;
  component->DoAction(context, action);
  return true;
}

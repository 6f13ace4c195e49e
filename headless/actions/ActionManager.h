#pragma once
// The host's side of menus: before a menu shows, each plug-in's action
// component updates the states of its actions; choosing one has the
// component carry it out. An action belongs to the plug-in whose identifier
// range (the identifier without its last 8 bits) holds it.
#include "host/ActionStateList.h"

class IActiveContext;

namespace ActionManager {
// Every component with an action in the list updates the list.
void UpdateActionStates(IActiveContext* context, ActionStateList* actions);
// False when no component answers for the action's range.
bool DoAction(IActiveContext* context, ActionID action);
}  // namespace ActionManager

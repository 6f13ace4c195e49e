#pragma once
// The program's menu of the plug-in's document actions: each by a name the
// shell and `xref action` take, with its host menu text. The plug-in's
// component enables them and may change their texts.
#include "host/ActionStateList.h"
#include <string>
#include <vector>

class IActiveContext;

struct MenuAction {
  const char* name;
  ActionID id;
  const char* text;  // the host's menu text
};

const std::vector<MenuAction>& MenuActions();
// Null when no action has the name.
const MenuAction* FindMenuAction(const std::string& name);
// The menu's states as the plug-in sets them for the context.
ActionStateList MenuStates(IActiveContext* context);
// The translated menu text of the n-th entry.
std::string MenuText(const ActionStateList& states, int32 n);
// Runs an enabled action; false with a message when it is disabled or left
// an error.
bool RunMenuAction(IActiveContext* context, const MenuAction& action, std::string* error);

#include "cli/MenuActions.h"
#include "headless/actions/ActionManager.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include "integration/XRefSelectionID.h"

const std::vector<MenuAction>& MenuActions() {
  static const std::vector<MenuAction> actions = {
      {"update-all", kXRefUpdateAllActionID, "Update All Cross-References"},
      {"live-updates", kXRefLiveUpdatesActionID, "Live Updates"},
      {"convert-all", kXRefConvertAllActionID, "Convert All Cross-References to Text"},
      {"delete-all-markers", kXRefDeleteAllSourceMarkersActionID, "Delete All Source Markers"},
      {"basic-to-pro", kXRefMigrateBasicToProActionID, "Migrate Basic Cross-References to Pro"},
      {"pro-to-basic", kXRefMigrateProToBasicActionID, "Migrate Pro Cross-References to Basic"},
  };
  return actions;
}

const MenuAction* FindMenuAction(const std::string& name) {
  for (const MenuAction& a : MenuActions())
    if (name == a.name) return &a;
  return nullptr;
}

ActionStateList MenuStates(IActiveContext* context) {
  ActionStateList states;
  for (const MenuAction& a : MenuActions()) {
    PMString text(a.text);
    text.SetTranslatable(false);
    states.Add(a.id, text);
  }
  ActionManager::UpdateActionStates(context, &states);
  return states;
}

std::string MenuText(const ActionStateList& states, int32 n) {
  PMString text = states.GetNthActionName(n);
  text.Translate();
  return text.GetUTF8String();
}

bool RunMenuAction(IActiveContext* context, const MenuAction& action, std::string* error) {
  const ActionStateList states = MenuStates(context);
  for (int32 i = 0; i < states.Length(); ++i) {
    if (states.GetNthAction(i) != action.id || states.IsNthActionEnabled(i)) continue;
    *error = std::string(action.name) + " is disabled for this document";
    return false;
  }
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (!ActionManager::DoAction(context, action.id)) {
    *error = std::string("no component carries out ") + action.name;
    return false;
  }
  const ErrorCode code = ErrorUtils::PMGetGlobalErrorCode();
  if (code == kSuccess) return true;
  PMString message = Host::Get().GlobalErrorMessage();
  if (message.IsEmpty()) message = ErrorUtils::PMGetErrorString(code);
  message.Translate();
  *error = std::string(action.name) + " failed: " + message.GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

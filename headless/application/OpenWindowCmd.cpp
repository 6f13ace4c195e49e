#include "headless/application/OpenWindowCmd.h"
#include "headless/application/Application.h"
#include "host/CmdUtils.h"

void OpenWindowCmd::Do() {
  Application* app = Application::Current();
  const UIDList* items = GetItemList();
  IDataBase* db = items ? items->GetDataBase() : nullptr;
  if (!app || !db || !app->ShowWindow(db)) ErrorUtils::PMSetGlobalErrorCode(kObjectNotFoundError);
}

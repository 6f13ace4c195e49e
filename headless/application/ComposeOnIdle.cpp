// Stories compose while the application is idle, so their owned items hear
// about moves into other lines and into overset text without being asked.
#include "headless/application/ComposeOnIdle.h"
#include "headless/application/Application.h"
#include "headless/database/DataBase.h"
#include "headless/layout/StoryComposition.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"

void ComposeOpenDocuments() {
  Application* app = Application::Current();
  if (!app) return;
  for (DataBase* db : app->Documents()) {
    InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
    if (!stories) continue;
    for (int32 i = 0; i < stories->GetStoryCount(); ++i) ComposeStory(db, stories->GetNthStoryUID(i));
  }
}

// The start-up command gives the application workspace the default formats
// and live updates once; new documents copy both; the preferences file keeps
// them across starts.
#include "commands/XRefCommandID.h"
#include "commands/XRefDefaultFormats.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/ISession.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefFormatData.h"
#include "model/XRefModelID.h"
#include "tests/support/FormatTestSupport.h"
#include "tests/support/TestApp.h"

namespace {
UIDRef AppWorkspace() { return GetExecutionContextSession()->GetWorkspaceRef(); }

bool Preference(const UIDRef& workspace, PMIID iid) {
  InterfacePtr<IBoolData> flag(workspace, iid);
  return flag && flag->Get();
}

// Takes every scheduled command, in the order the idle loop would run them.
std::vector<InterfacePtr<ICommand>> TakeAllScheduled() {
  std::vector<InterfacePtr<ICommand>> all;
  while (ICommand* cmd = Host::Get().TakeScheduled()) all.emplace_back(cmd);
  return all;
}

std::vector<std::pair<std::string, std::string>> DefaultsSorted() {
  std::vector<std::pair<std::string, std::string>> defaults;
  for (size_t i = 0; i < kXRefDefaultFormatCount; ++i)
    defaults.emplace_back(kXRefDefaultFormats[i].name, kXRefDefaultFormats[i].markup);
  std::sort(defaults.begin(), defaults.end(), [](const auto& a, const auto& b) {
    return PMString(a.first.c_str()) < PMString(b.first.c_str());
  });
  return defaults;
}
}  // namespace

TEST(StartupCmd, TheFirstStartSchedulesTheSevenAdditionsInOrderAndTheSecondNone) {
  TestApp app;
  // Starting the application scheduled the start-up command, not undoable on its own.
  auto scheduled = TakeAllScheduled();
  ASSERT_EQ(1u, scheduled.size());
  EXPECT_EQ(kXRefStartupCmdBoss, ::GetClass(scheduled[0].get()));
  EXPECT_EQ(ICommand::kAutoUndo, scheduled[0]->GetUndoability());
  EXPECT_FALSE(Preference(AppWorkspace(), IID_IXREFLIVEUPDATES));

  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(scheduled[0].get()));
  EXPECT_TRUE(Preference(AppWorkspace(), IID_IXREFLIVEUPDATES));
  EXPECT_TRUE(Preference(AppWorkspace(), IID_IXREFSETUPDONE));
  // Scheduled, not yet run.
  EXPECT_EQ(0, FormatsOf(AppWorkspace())->GetFormatCount());
  auto additions = TakeAllScheduled();
  ASSERT_EQ(kXRefDefaultFormatCount, additions.size());
  for (size_t i = 0; i < additions.size(); ++i) {
    EXPECT_EQ(kXRefAddFormatCmdBoss, ::GetClass(additions[i].get()));
    EXPECT_EQ(ICommand::kAutoUndo, additions[i]->GetUndoability());
    EXPECT_EQ(UIDList(AppWorkspace()).Items(), additions[i]->GetItemList()->Items());
    InterfacePtr<IXRefFormatData> data(additions[i].get(), IID_IXREFFORMATDATA);
    EXPECT_EQ(kXRefDefaultFormats[i].name, data->GetFormatName().GetUTF8String());
    EXPECT_EQ(kXRefDefaultFormats[i].markup, data->GetFormatString().GetUTF8String());
    ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(additions[i].get()));
  }
  EXPECT_EQ(DefaultsSorted(), FormatEntries(AppWorkspace()));

  // Once set up, a start-up changes nothing, even after the user turned
  // live updates off and deleted a format.
  InterfacePtr<IBoolData>(AppWorkspace(), IID_IXREFLIVEUPDATES)->Set(false);
  FormatsOf(AppWorkspace())->RemoveFormat(0);
  InterfacePtr<ICommand> again(CmdUtils::CreateCommand(kXRefStartupCmdBoss));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(again.get()));
  EXPECT_TRUE(TakeAllScheduled().empty());
  EXPECT_FALSE(Preference(AppWorkspace(), IID_IXREFLIVEUPDATES));
  EXPECT_EQ(static_cast<int32>(kXRefDefaultFormatCount) - 1, FormatsOf(AppWorkspace())->GetFormatCount());
}

TEST(StartupCmd, ANewDocumentCopiesTheApplicationsFormatsAndLiveUpdateSettingOnce) {
  TestApp app;
  app->Idle().RunOnce();
  ASSERT_EQ(DefaultsSorted(), FormatEntries(AppWorkspace()));
  DataBase* doc = app->NewDocument();
  EXPECT_EQ(DefaultsSorted(), FormatEntries(DocWorkspace(doc)));
  EXPECT_TRUE(Preference(DocWorkspace(doc), IID_IXREFLIVEUPDATES));
  // Making a document is no undo step, and leaves it unmodified.
  EXPECT_EQ(0, doc->UndoDepth());
  EXPECT_FALSE(doc->IsModified());

  // Later changes to the defaults reach new documents only.
  InterfacePtr<IBoolData>(AppWorkspace(), IID_IXREFLIVEUPDATES)->Set(false);
  ASSERT_EQ(kSuccess, AddFormat(AppWorkspace(), "Aaa", "<pagenum/>"));
  EXPECT_EQ(static_cast<int32>(kXRefDefaultFormatCount), FormatsOf(DocWorkspace(doc))->GetFormatCount());
  EXPECT_TRUE(Preference(DocWorkspace(doc), IID_IXREFLIVEUPDATES));
  DataBase* second = app->NewDocument();
  EXPECT_EQ("Aaa", FormatsOf(DocWorkspace(second))->GetFormatName(0).GetUTF8String());
  EXPECT_FALSE(Preference(DocWorkspace(second), IID_IXREFLIVEUPDATES));

  // While a script holds updates, a new document is given nothing.
  app->HoldUpdates();
  DataBase* held = app->NewDocument();
  app->ReleaseUpdates();
  EXPECT_EQ(0, FormatsOf(DocWorkspace(held))->GetFormatCount());
}

TEST(StartupCmd, ThePreferencesFileKeepsTheDefaultsSoTheyAreAddedOnce) {
  TempDir dir;
  const std::string prefs = dir.File("prefs.xrefprefs");
  {
    TestApp app(nullptr, prefs);
    app->Idle().RunOnce();
  }
  TestApp app(nullptr, prefs);
  EXPECT_TRUE(Preference(AppWorkspace(), IID_IXREFSETUPDONE));
  EXPECT_TRUE(Preference(AppWorkspace(), IID_IXREFLIVEUPDATES));
  app->Idle().RunOnce();
  EXPECT_EQ(DefaultsSorted(), FormatEntries(AppWorkspace()));
}

#include "headless/objects/Host.h"
#include "host/CAlert.h"
#include "host/CmdUtils.h"
#include "host/ProgressBar.h"
#include "host/IDocument.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestObjects.h"
#include <fstream>

TEST(Application, DocumentSignalsReachRespondersInOrder) {
  RegisterTestClasses();
  TestApp app;
  TempDir dir;
  HeardSignals().clear();
  std::string error;
  DataBase* db = app->NewDocument();
  ASSERT_TRUE(app->SaveDocumentAs(db, dir.File("d.xrefdoc"), &error)) << error;
  ASSERT_TRUE(app->SaveDocument(db, &error)) << error;
  ASSERT_TRUE(app->SaveACopy(db, dir.File("copy.xrefdoc"), &error)) << error;
  app->CloseDocument(db);
  ASSERT_NE(nullptr, app->OpenDocument(dir.File("d.xrefdoc"), &error)) << error;
  // 100000 + id marks a signal that named no existing document.
  std::vector<uint32> expected = {3595, 3596, 3602, 3600, 3604, 3609, 103610, 3599};
  EXPECT_EQ(expected, HeardSignals());
}

TEST(Application, DocumentsHaveNamesFilesAndWorkspaces) {
  TestApp app;
  TempDir dir;
  DataBase* a = app->NewDocument();
  DataBase* b = app->NewDocument();
  InterfacePtr<IDocument> docA(a, kRootUID);
  PMString name;
  docA->GetName(&name);
  EXPECT_EQ("Untitled-1", name.GetUTF8String());
  EXPECT_FALSE(docA->IsSaved());
  EXPECT_TRUE(docA->GetDocWorkspace().ExistsInDB());
  EXPECT_EQ(b, app->FrontDocument());

  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(a, dir.File("named.xrefdoc"), &error));
  docA->GetName(&name);
  EXPECT_EQ("named.xrefdoc", name.GetUTF8String());
  EXPECT_TRUE(app->FindDocumentByFile(IDFile(dir.File("named.xrefdoc"))).ExistsInDB());
  // Opening an open document answers the one already open.
  EXPECT_EQ(a, app->OpenDocument(dir.File("named.xrefdoc"), &error));
  EXPECT_EQ(2, app->GetDocCount());

  ISession* session = GetExecutionContextSession();
  ASSERT_NE(nullptr, session);
  EXPECT_EQ(UIDRef(a, kRootUID), session->GetActiveContext()->GetContextDocRef());
  EXPECT_EQ(docA->GetDocWorkspace(), session->GetActiveContext()->GetContextWorkspaceRef());
}

TEST(Application, WorkspacePersistsInThePreferencesFile) {
  RegisterTestClasses();
  TempDir dir;
  const std::string prefs = dir.File("prefs/p.xrefprefs");
  {
    TestApp app(nullptr, prefs);
    InterfacePtr<ITestValue> ws(app->Workspace(), kRootUID);
    ASSERT_TRUE(ws);
    ws->SetValue(42);
  }
  {
    TestApp app(nullptr, prefs);
    InterfacePtr<ITestValue> ws(app->Workspace(), kRootUID);
    EXPECT_EQ(42, ws->GetValue());
  }
  // Damaged preferences are set aside, reported, and replaced by defaults.
  { std::ofstream(prefs, std::ios::binary | std::ios::trunc) << "garbage"; }
  TestApp app(nullptr, prefs);
  InterfacePtr<ITestValue> ws(app->Workspace(), kRootUID);
  EXPECT_EQ(0, ws->GetValue());
  EXPECT_TRUE(std::filesystem::exists(prefs + ".damaged"));
  ASSERT_FALSE(app->Alerts().History().empty());
  EXPECT_EQ("warning", app->Alerts().History().back().kind);
}

namespace {
class CountingTask : public CIdleTask {
public:
  using CIdleTask::CIdleTask;
  uint32 RunTask(uint32) override { return ++runs < 3 ? 300u : static_cast<uint32>(kEndOfTime); }
  const char* TaskName() const override { return "counting"; }
  int runs = 0;
};
constexpr ClassID kCountingTaskBoss{0x7030};
constexpr ImplementationID kCountingTaskImpl{0x7031};
}  // namespace

TEST(Application, IdleTasksRunOnTheirDelaysAndScheduledCommandsByPriority) {
  RegisterTestClasses();
  Host::Get().Impls().InstallHost<CountingTask>(kCountingTaskImpl);
  Host::Get().Classes().Define({kCountingTaskBoss, kInvalidClass, {{IID_IIDLETASK, kCountingTaskImpl}}});
  VirtualClock clock;
  TestApp app(&clock);
  InterfacePtr<IIdleTask> task(static_cast<IIdleTask*>(CreateObject(kCountingTaskBoss, IID_IIDLETASK)));
  auto* counting = static_cast<CountingTask*>(task.get());
  task->InstallTask(100);
  app->Idle().RunOnce();
  EXPECT_EQ(0, counting->runs);
  clock.Advance(100 * 1000);
  app->Idle().RunOnce();
  EXPECT_EQ(1, counting->runs);
  app->Idle().RunFor(299);
  EXPECT_EQ(1, counting->runs);
  app->Idle().RunFor(1000);
  EXPECT_EQ(3, counting->runs);
  EXPECT_FALSE(task->IsInstalled());

  // Scheduled commands: higher priority first, then first come.
  DataBase* db = app->NewDocument();
  UID root = db->NewUID(kTestObjectBoss);
  for (int32 value : {1, 2, 3}) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kTestNewCmdBoss));
    InterfacePtr<IUIDData>(cmd, IID_IUIDDATA)->Set(UIDRef(db, root));
    InterfacePtr<IIntData>(cmd, IID_IINTDATA)->Set(value);
    CmdUtils::ScheduleCommand(cmd.get(), value == 3 ? 5 : 1);
  }
  InterfacePtr<ITestValue> r(db, root);
  EXPECT_EQ(0, r->GetChildren().Length());
  app->Idle().RunOnce();
  ASSERT_EQ(3, r->GetChildren().Length());
  std::vector<int32> order;
  for (int32 i = 0; i < 3; ++i) order.push_back(InterfacePtr<ITestValue>(db, r->GetChildren().At(i))->GetValue());
  EXPECT_EQ((std::vector<int32>{3, 1, 2}), order);
}

TEST(Application, ModalQuestionsTakeQueuedAnswersAndBarsCancelAtAStep) {
  TestApp app;
  app->Alerts().QueueAnswer(2);
  EXPECT_EQ(2, CAlert::ModalAlert(PMString("Replace?"), PMString("Yes"), PMString("No"), PMString(), 1));
  EXPECT_EQ(1, CAlert::ModalAlert(PMString("Again?"), PMString("Yes"), PMString("No"), PMString(), 1));
  Host::Get().Strings().Add("kTestAlertKey", "Translated alert");
  CAlert::WarningAlert(PMString("kTestAlertKey"));
  ASSERT_EQ(3u, app->Alerts().History().size());
  EXPECT_EQ("Translated alert", app->Alerts().History().back().message);

  app->Alerts().CancelProgressAt(3);
  RangeProgressBar cancellable(PMString("Updating"), 0, 10, true);
  RangeProgressBar plain(PMString("Updating"), 0, 10, false);
  int32 reached = 0;
  for (int32 step = 0; step < 10 && !cancellable.WasCancelled(); ++step) {
    cancellable.SetPosition(step);
    plain.SetPosition(step);
    reached = step;
  }
  EXPECT_EQ(3, reached);
  EXPECT_TRUE(cancellable.WasCancelled());
  EXPECT_FALSE(plain.WasCancelled());  // only a cancellable bar can be cancelled
}

#include "headless/database/DocumentFile.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/IDocumentList.h"
#include "host/IDocumentOpenUtils.h"
#include "host/IDocumentUtils.h"
#include "host/IScriptUtils.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestObjects.h"
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {
IDocumentList* DocList() { return GetExecutionContextSession()->GetApplication()->GetDocumentList(); }

std::string SavedDocument(Application& app, const std::string& path) {
  DataBase* db = app.NewDocument();
  std::string error;
  EXPECT_TRUE(app.SaveDocumentAs(db, path, &error)) << error;
  app.CloseDocument(db);
  return path;
}

ErrorCode WhyNot(const std::string& path) {
  InterfacePtr<IDocumentOpenUtils> utils(UtilsBoss::QueryUtils<IDocumentOpenUtils>());
  ErrorCode reason = kSuccess;
  bool16 may = utils->CanOpenFile(IDFile(path), &reason);
  EXPECT_EQ(may, reason == kSuccess);
  return reason;
}

ErrorCode OpenWindow(const UIDRef& doc) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kOpenWindowCmdBoss));
  cmd->SetItemList(UIDList(doc));
  return CmdUtils::ProcessCommand(cmd.get());
}
}  // namespace

TEST(DocumentList, StepsThroughDocumentsAndFindsThemByFile) {
  TestApp app;
  TempDir dir;
  std::string path = SavedDocument(*app, dir.File("Chapter.xrefdoc"));
  DataBase* untitled = app->NewDocument();
  std::string error;
  DataBase* opened = app->OpenDocument(path, &error);
  ASSERT_NE(nullptr, opened) << error;

  IDocumentList* list = DocList();
  ASSERT_EQ(2, list->GetDocCount());
  EXPECT_EQ(UIDRef(untitled, kRootUID), list->GetNthDoc(0));
  EXPECT_EQ(UIDRef(opened, kRootUID), list->GetNthDoc(1));
  EXPECT_EQ(UIDRef(), list->GetNthDoc(2));
  EXPECT_EQ(UIDRef(), list->GetNthDoc(-1));
  EXPECT_EQ(UIDRef(opened, kRootUID), list->FindDoc(IDFile(path)));
  // The same file by another spelling of its path, and through a link.
  EXPECT_EQ(UIDRef(opened, kRootUID), list->FindDoc(IDFile(dir.File("./sub/../Chapter.xrefdoc"))));
  std::filesystem::create_symlink(path, dir.File("link.xrefdoc"));
  EXPECT_EQ(UIDRef(opened, kRootUID), list->FindDoc(IDFile(dir.File("link.xrefdoc"))));
  // Letter case counts: the plug-in's own search handles other cases.
  EXPECT_EQ(UIDRef(), list->FindDoc(IDFile(dir.File("chapter.xrefdoc"))));
  EXPECT_EQ(UIDRef(), list->FindDoc(IDFile()));
}

TEST(DocumentList, OpeningAFileForThePlugInGivesNoWindowUntilAsked) {
  RegisterTestClasses();
  TestApp app;
  TempDir dir;
  std::string path = SavedDocument(*app, dir.File("source.xrefdoc"));
  DataBase* front = app->NewDocument();
  HeardSignals().clear();

  InterfacePtr<IDocumentUtils> utils(UtilsBoss::QueryUtils<IDocumentUtils>());
  ASSERT_TRUE(utils);
  UIDRef doc;
  ASSERT_EQ(kSuccess, utils->OpenDocumentFile(IDFile(path), &doc));
  ASSERT_TRUE(doc.ExistsInDB());
  // The same signal as the program's own opening.
  EXPECT_EQ(std::vector<uint32>{3599}, HeardSignals());
  IDocumentList* list = DocList();
  EXPECT_FALSE(list->HasWindow(doc));
  EXPECT_TRUE(list->HasWindow(UIDRef(front, kRootUID)));
  EXPECT_EQ(UIDRef(front, kRootUID), list->GetFrontDoc());
  // Opening it again answers the same document and opens no window.
  UIDRef again;
  ASSERT_EQ(kSuccess, utils->OpenDocumentFile(IDFile(path), &again));
  EXPECT_EQ(doc, again);
  EXPECT_EQ(2, list->GetDocCount());

  ASSERT_EQ(kSuccess, OpenWindow(doc));
  EXPECT_TRUE(list->HasWindow(doc));
  EXPECT_EQ(doc, list->GetFrontDoc());
  ASSERT_EQ(kSuccess, OpenWindow(doc));  // harmless twice
  EXPECT_TRUE(list->HasWindow(doc));
  EXPECT_EQ(2, list->GetDocCount());
  EXPECT_FALSE(static_cast<DataBase*>(doc.GetDataBase())->CanUndo());
}

TEST(DocumentList, OpenWindowFailsForADatabaseThatIsNoOpenDocument) {
  TestApp app;
  EXPECT_EQ(kObjectNotFoundError, OpenWindow(UIDRef()));
  EXPECT_EQ(kObjectNotFoundError, OpenWindow(UIDRef(app->Workspace(), kRootUID)));
}

TEST(DocumentList, OpeningAFileThatIsNoDocumentReportsWhyAndOpensNothing) {
  TestApp app;
  TempDir dir;
  InterfacePtr<IDocumentUtils> utils(UtilsBoss::QueryUtils<IDocumentUtils>());
  UIDRef doc(nullptr, UID{7});
  EXPECT_EQ(kFileNotFoundError, utils->OpenDocumentFile(IDFile(dir.File("missing.xrefdoc")), &doc));
  EXPECT_EQ(UIDRef(), doc);
  EXPECT_EQ(kFileNotFoundError, ErrorUtils::PMGetGlobalErrorCode());
  std::ofstream(dir.File("text.xrefdoc")) << "not a document at all, but long enough to be read";
  EXPECT_EQ(kCorruptDocumentError, utils->OpenDocumentFile(IDFile(dir.File("text.xrefdoc")), &doc));
  EXPECT_EQ(0, DocList()->GetDocCount());
  EXPECT_FALSE(Application::Current()->UpdatesBlocked());
}

TEST(DocumentList, MayOpenOnlyReadableDocumentsThatAreNotOpen) {
  TestApp app;
  TempDir dir;
  std::string path = SavedDocument(*app, dir.File("ok.xrefdoc"));
  EXPECT_EQ(kSuccess, WhyNot(path));
  EXPECT_EQ(kFileNotFoundError, WhyNot(dir.File("missing.xrefdoc")));
  EXPECT_EQ(kFileNotFoundError, WhyNot(""));
  std::filesystem::create_directories(dir.File("folder.xrefdoc"));
  EXPECT_EQ(kFileNotReadableError, WhyNot(dir.File("folder.xrefdoc")));
  std::ofstream(dir.File("short.xrefdoc")) << "XREF";
  EXPECT_EQ(kNotADocumentError, WhyNot(dir.File("short.xrefdoc")));
  // Preferences share the signature but are not documents.
  std::string error;
  ASSERT_TRUE(DocumentFile::Save(*app->Workspace(), DocumentFile::kPreferences, dir.File("p.xrefprefs"), &error));
  EXPECT_EQ(kNotADocumentError, WhyNot(dir.File("p.xrefprefs")));
  if (::geteuid() != 0) {
    std::filesystem::copy_file(path, dir.File("locked.xrefdoc"));
    ::chmod(dir.File("locked.xrefdoc").c_str(), 0);
    EXPECT_EQ(kFileNotReadableError, WhyNot(dir.File("locked.xrefdoc")));
  }
  ASSERT_NE(nullptr, app->OpenDocument(path, &error));
  EXPECT_EQ(kDocumentAlreadyOpenError, WhyNot(path));
}

TEST(UpdateBlocking, BlocksWhileADocumentOpensAndWhileScriptsHold) {
  RegisterTestClasses();
  TestApp app;
  TempDir dir;
  std::string path = SavedDocument(*app, dir.File("b.xrefdoc"));
  InterfacePtr<IScriptUtils> scripting(UtilsBoss::QueryUtils<IScriptUtils>());
  ASSERT_TRUE(scripting);
  EXPECT_FALSE(scripting->AreUpdatesBlocked());

  HeardSignals().clear();
  BlockedAtSignals().clear();
  std::string error;
  DataBase* db = app->OpenDocument(path, &error);
  ASSERT_NE(nullptr, db) << error;
  app->NewDocument();
  // Yes inside the opened signal; no for a new document, and after opening.
  EXPECT_EQ((std::vector<uint32>{3599, 3595, 3596}), HeardSignals());
  EXPECT_EQ((std::vector<bool>{true, false, false}), BlockedAtSignals());
  EXPECT_FALSE(scripting->AreUpdatesBlocked());

  scripting->HoldUpdates();
  scripting->HoldUpdates();
  EXPECT_TRUE(scripting->AreUpdatesBlocked());
  scripting->ReleaseUpdates();
  EXPECT_TRUE(scripting->AreUpdatesBlocked());
  scripting->ReleaseUpdates();
  EXPECT_FALSE(scripting->AreUpdatesBlocked());
  scripting->ReleaseUpdates();  // an unmatched release is ignored
  scripting->HoldUpdates();
  EXPECT_TRUE(scripting->AreUpdatesBlocked());
}

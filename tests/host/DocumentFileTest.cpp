#include "headless/database/DocumentFile.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestObjects.h"
#include <fstream>
#include <sstream>

namespace {
std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A document holding a few test objects with texts, references and children.
DataBase* MakePopulatedDocument(Application& app) {
  RegisterTestClasses();
  DataBase* db = app.NewDocument();
  UID root = db->NewUID(kTestObjectBoss);
  for (int i = 0; i < 3; ++i) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kTestNewCmdBoss));
    InterfacePtr<IUIDData>(cmd, IID_IUIDDATA)->Set(UIDRef(db, root));
    InterfacePtr<IIntData>(cmd, IID_IINTDATA)->Set(i * 7);
    EXPECT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
    InterfacePtr<ICommand> set(CmdUtils::CreateCommand(kTestSetCmdBoss));
    set->SetItemList(*cmd->GetItemList());
    InterfacePtr<IIntData>(set, IID_IINTDATA)->Set(i * 7);
    InterfacePtr<IStringData>(set, IID_ISTRINGDATA)->Set(PMString("caf\xC3\xA9 \xF0\x9D\x90\x80"));
    EXPECT_EQ(kSuccess, CmdUtils::ProcessCommand(set.get()));
  }
  return db;
}
}  // namespace

TEST(DocumentFile, SaveReopenSaveGivesIdenticalBytes) {
  TestApp app;
  TempDir dir;
  DataBase* db = MakePopulatedDocument(*app);
  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(db, dir.File("a.xrefdoc"), &error)) << error;
  app->CloseDocument(db);
  DataBase* reopened = app->OpenDocument(dir.File("a.xrefdoc"), &error);
  ASSERT_NE(nullptr, reopened) << error;
  ASSERT_TRUE(app->SaveDocumentAs(reopened, dir.File("b.xrefdoc"), &error)) << error;
  EXPECT_EQ(ReadFile(dir.File("a.xrefdoc")), ReadFile(dir.File("b.xrefdoc")));

  // The content survived, not only the bytes: texts outside the BMP included.
  InterfacePtr<ITestValue> root(reopened, UID{3});
  ASSERT_TRUE(root);
  ASSERT_EQ(3, root->GetChildren().Length());
  InterfacePtr<ITestValue> child(reopened, root->GetChildren().At(2));
  EXPECT_EQ(14, child->GetValue());
  EXPECT_EQ("caf\xC3\xA9 \xF0\x9D\x90\x80", child->GetText().GetUTF8String());
}

TEST(DocumentFile, EveryFlippedByteAndEveryCutIsRejected) {
  TestApp app;
  DataBase* db = MakePopulatedDocument(*app);
  const std::string good = DocumentFile::Serialize(*db, DocumentFile::kDocument);
  std::string error;
  ASSERT_NE(nullptr, DocumentFile::Deserialize(good, DocumentFile::kDocument, "x", &error)) << error;
  for (size_t pos = 0; pos < good.size(); ++pos) {
    for (unsigned char mask : {0x01, 0x80, 0xFF}) {
      std::string bad = good;
      bad[pos] = static_cast<char>(bad[pos] ^ mask);
      error.clear();
      EXPECT_EQ(nullptr, DocumentFile::Deserialize(bad, DocumentFile::kDocument, "x", &error))
          << "flip at " << pos;
      EXPECT_FALSE(error.empty());
    }
  }
  for (size_t len = 0; len < good.size(); ++len) {
    error.clear();
    EXPECT_EQ(nullptr, DocumentFile::Deserialize(good.substr(0, len), DocumentFile::kDocument, "x", &error))
        << "cut at " << len;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(nullptr, DocumentFile::Deserialize(good + "x", DocumentFile::kDocument, "x", &error));
}

TEST(DocumentFile, ForeignFilesAndWrongKindsGiveClearErrors) {
  TestApp app;
  TempDir dir;
  std::ofstream(dir.File("notes.txt")) << "just some text, not a document\n";
  std::string error;
  EXPECT_EQ(nullptr, app->OpenDocument(dir.File("notes.txt"), &error));
  EXPECT_NE(std::string::npos, error.find("wrong signature")) << error;
  EXPECT_EQ(nullptr, app->OpenDocument(dir.File("missing.xrefdoc"), &error));
  EXPECT_NE(std::string::npos, error.find("cannot open")) << error;
  EXPECT_EQ(0, app->GetDocCount());

  DataBase* db = app->NewDocument();
  const std::string doc = DocumentFile::Serialize(*db, DocumentFile::kDocument);
  EXPECT_EQ(nullptr, DocumentFile::Deserialize(doc, DocumentFile::kPreferences, "x", &error));
  EXPECT_NE(std::string::npos, error.find("not a preferences file")) << error;
}

TEST(DocumentFile, FailedSaveLeavesThePreviousFile) {
  TestApp app;
  TempDir dir;
  DataBase* db = MakePopulatedDocument(*app);
  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(db, dir.File("keep.xrefdoc"), &error));
  const std::string before = ReadFile(dir.File("keep.xrefdoc"));
  // A target whose folder is a file cannot be written.
  EXPECT_FALSE(app->SaveACopy(db, dir.File("keep.xrefdoc") + "/inside", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(before, ReadFile(dir.File("keep.xrefdoc")));
  // Nothing half-written is left beside the target.
  int files = 0;
  for (auto& entry : std::filesystem::directory_iterator(dir.File(""))) files += entry.is_regular_file();
  EXPECT_EQ(1, files);
}

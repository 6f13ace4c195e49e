#include "headless/database/DocumentFile.h"
#include "headless/database/ObjectCopier.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestObjects.h"
#include <random>

namespace {
std::string Snapshot(DataBase* db) { return DocumentFile::Serialize(*db, DocumentFile::kDocument); }

ErrorCode NewChild(DataBase* db, UID parent, int32 value, ICommand::Undoability u = ICommand::kRegularUndo) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kTestNewCmdBoss));
  cmd->SetUndoability(u);
  InterfacePtr<IUIDData>(cmd, IID_IUIDDATA)->Set(UIDRef(db, parent));
  InterfacePtr<IIntData>(cmd, IID_IINTDATA)->Set(value);
  return CmdUtils::ProcessCommand(cmd.get());
}

ErrorCode SetValue(DataBase* db, UID uid, int32 value, const char* text) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kTestSetCmdBoss));
  cmd->SetItemList(UIDList(db, uid));
  InterfacePtr<IIntData>(cmd, IID_IINTDATA)->Set(value);
  InterfacePtr<IStringData>(cmd, IID_ISTRINGDATA)->Set(PMString(text));
  return CmdUtils::ProcessCommand(cmd.get());
}

ErrorCode Delete(DataBase* db, UID uid) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kTestDeleteCmdBoss));
  cmd->SetItemList(UIDList(db, uid));
  return CmdUtils::ProcessCommand(cmd.get());
}

std::vector<UID> LiveTestObjects(DataBase* db) {
  std::vector<UID> result;
  for (auto& entry : db->Objects())
    if (entry.second->GetClass() == kTestObjectBoss) result.push_back(entry.first);
  return result;
}
}  // namespace

TEST(Undo, RandomCommandsUndoToTheStartAndRedoToTheEnd) {
  RegisterTestClasses();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID root = db->NewUID(kTestObjectBoss);
  const std::string start = Snapshot(db);
  std::mt19937 rng(12345);
  auto pick = [&](const std::vector<UID>& from) { return from[rng() % from.size()]; };
  auto step = [&]() {
    std::vector<UID> live = LiveTestObjects(db);
    switch (rng() % 4) {
      case 0:
      case 1: NewChild(db, pick(live), static_cast<int32>(rng() % 1000)); break;
      case 2: SetValue(db, pick(live), static_cast<int32>(rng() % 1000), rng() % 2 ? "one" : "another text"); break;
      case 3: {
        UID victim = pick(live);
        if (victim != root) Delete(db, victim);
        break;
      }
    }
  };
  for (int i = 0; i < 3000; ++i) {
    if (rng() % 5 == 0) {
      CmdUtils::SequenceContext seq(PMString("Several"));
      for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n) step();
    } else if (rng() % 7 == 0) {
      NewChild(db, pick(LiveTestObjects(db)), 5, ICommand::kAutoUndo);  // joins the previous step
    } else {
      step();
    }
  }
  const std::string end = Snapshot(db);
  ASSERT_NE(start, end);
  int steps = 0;
  while (db->Undo()) ++steps;
  EXPECT_GT(steps, 1000);
  EXPECT_EQ(start, Snapshot(db));
  while (db->Redo()) --steps;
  EXPECT_EQ(0, steps);
  EXPECT_EQ(end, Snapshot(db));
}

TEST(Undo, SequenceIsOneNamedStepAndAutoUndoJoinsThePrevious) {
  RegisterTestClasses();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID root = db->NewUID(kTestObjectBoss);
  {
    CmdUtils::SequenceContext seq(PMString("Add two"));
    NewChild(db, root, 1);
    NewChild(db, root, 2);
  }
  EXPECT_EQ(1, db->UndoDepth());
  EXPECT_EQ("Add two", db->UndoName());
  NewChild(db, root, 3, ICommand::kAutoUndo);
  EXPECT_EQ(1, db->UndoDepth());
  NewChild(db, root, 4);
  EXPECT_EQ(2, db->UndoDepth());
  EXPECT_EQ("New", db->UndoName());

  InterfacePtr<ITestValue> r(db, root);
  EXPECT_EQ(4, r->GetChildren().Length());
  db->Undo();
  EXPECT_EQ(3, r->GetChildren().Length());
  db->Undo();
  EXPECT_EQ(0, r->GetChildren().Length());
  // Undone objects are gone: they instantiate to null and have no class.
  EXPECT_EQ(kInvalidClass, db->GetClass(UID{UIDValue(root) + 1}));
  // A new command after undo drops what could have been redone.
  NewChild(db, root, 9);
  EXPECT_FALSE(db->CanRedo());
}

TEST(Undo, FailedCommandReportsItsErrorAndKeepsEarlierSteps) {
  RegisterTestClasses();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID root = db->NewUID(kTestObjectBoss);
  ASSERT_EQ(kSuccess, NewChild(db, root, 1));
  // A parent that does not exist.
  EXPECT_EQ(kInvalidParameterError, NewChild(db, UID{999}, 1));
  EXPECT_EQ(kInvalidParameterError, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_EQ(1, db->UndoDepth());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(kSuccess, NewChild(db, root, 2));
}

TEST(Undo, CopyingAnObjectTreeIntoAnotherDocumentRemapsAndUndoes) {
  RegisterTestClasses();
  TestApp app;
  DataBase* a = app->NewDocument();
  DataBase* b = app->NewDocument();
  UID root = a->NewUID(kTestObjectBoss);
  ASSERT_EQ(kSuccess, NewChild(a, root, 11));
  ASSERT_EQ(kSuccess, SetValue(a, root, 5, "root"));
  const std::string before = Snapshot(b);
  UID copy;
  {
    CmdUtils::SequenceContext seq(PMString("Copy"));
    std::map<UID, UID> remap;
    copy = CopyObject(*a, root, *b, &remap);
    EXPECT_EQ(2u, remap.size());
  }
  InterfacePtr<ITestValue> c(b, copy);
  ASSERT_TRUE(c);
  EXPECT_EQ("root", c->GetText().GetUTF8String());
  ASSERT_EQ(1, c->GetChildren().Length());
  InterfacePtr<ITestValue> child(b, c->GetChildren().At(0));
  ASSERT_TRUE(child);
  EXPECT_EQ(11, child->GetValue());
  EXPECT_EQ(copy, child->GetParent());  // remapped to the copied parent
  ASSERT_TRUE(b->Undo());
  EXPECT_EQ(before, Snapshot(b));
}

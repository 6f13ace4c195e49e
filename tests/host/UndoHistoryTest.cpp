// The undo history of a long story holds what each step changed, not a copy
// of the story per step, and still restores the document exactly.
#include "headless/database/BytePatch.h"
#include "headless/text/StoryEditor.h"
#include "host/TextAttr.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <gtest/gtest.h>
#include <random>

TEST(BytePatch, RebuildsTheTargetFromItsBaseOnly) {
  std::mt19937 rng(11);
  auto randomBytes = [&](size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + rng() % 3));
    return s;
  };
  for (int round = 0; round < 500; ++round) {
    const std::string base = randomBytes(rng() % (round % 2 ? 40 : 300));
    std::string target = base;
    // A field rewritten in place ahead of the edit, as a count is.
    if (round % 3 == 0 && !target.empty()) target[rng() % std::min<size_t>(target.size(), 8)] = 'z';
    // Edits near either end and repeated letters test prefix and suffix
    // meeting in the middle.
    const size_t at = target.empty() ? 0 : rng() % (target.size() + 1);
    const size_t cut = std::min<size_t>(rng() % 4, target.size() - at);
    target.replace(at, cut, randomBytes(rng() % 4));
    const BytePatch patch = MakeBytePatch(target, base);
    std::string out = "untouched";
    ASSERT_TRUE(ResolveBytePatch(patch, base, &out)) << base << " -> " << target;
    EXPECT_EQ(target, out);
    EXPECT_LE(patch.literals.size(), target.size());
    if (base.empty()) continue;
    std::string other = base;
    other[rng() % other.size()] ^= 0x20;
    out = "untouched";
    EXPECT_FALSE(ResolveBytePatch(patch, other, &out));
    EXPECT_FALSE(ResolveBytePatch(patch, base + "x", &out));
    EXPECT_EQ("untouched", out);
  }
}

TEST(BytePatch, EditsOfLongBytesCostTheirOwnSize) {
  std::mt19937 rng(12);
  std::string base;
  for (int i = 0; i < 100000; ++i) base.push_back(static_cast<char>(rng()));
  std::string target = base;
  // A length stored in front changes, and two edits far apart shift what
  // follows each.
  target[0] ^= 1;
  target.insert(30000, "a short insertion");
  target.erase(70000, 40);
  const BytePatch patch = MakeBytePatch(target, base);
  EXPECT_LT(patch.Size(), 400u);
  std::string out;
  ASSERT_TRUE(ResolveBytePatch(patch, base, &out));
  EXPECT_EQ(target, out);
}

namespace {
std::string LongText(int paragraphs) {
  std::string text;
  for (int i = 0; i < paragraphs; ++i) text += "Paragraph " + std::to_string(i) + " of a long story\r";
  return text;
}
}  // namespace

TEST(UndoHistory, SmallEditsOfALongStoryKeepSmallStepsAndUndoExactly) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  const UID story = MakeStory(doc, LongText(2000));
  doc->ClearUndo();
  const std::string storyBytes = StoryState(doc, story);
  auto cmds = CmdsOf(doc, story);
  InterfacePtr<ITextModel> model(doc, story, IID_ITEXTMODEL);
  std::mt19937 rng(5);
  std::vector<std::string> states{DocumentBytes(doc)};
  for (int step = 0; step < 60; ++step) {
    const TextIndex at = static_cast<TextIndex>(rng() % static_cast<uint32>(model->TotalLength() - 1));
    AttributeBossList attrs;
    attrs.ApplyAttribute(TextAttr::PointSize(static_cast<double>(7 + step)));
    ICommand* cmd = nullptr;
    switch (step % 3) {
      case 0: cmd = cmds->InsertCmd(at, WideString("inserted ")); break;
      case 1: cmd = cmds->DeleteCmd(at, 5); break;
      default: cmd = cmds->ApplyCmd(at, 9, attrs);
    }
    // Every fifth joins the step before it, as an automatic change does.
    if (step % 5 == 4) cmd->SetUndoability(ICommand::kAutoUndo);
    ASSERT_EQ(kSuccess, Process(cmd));
    if (step % 5 == 4) states.back() = DocumentBytes(doc);
    else states.push_back(DocumentBytes(doc));
  }
  // A copy of the story per step would be 48 times its size.
  EXPECT_LT(doc->HistoryBytes(), storyBytes.size() * 2);
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(doc->Undo()) << i;
    ASSERT_EQ(states[i - 1], DocumentBytes(doc)) << "after undoing step " << i;
  }
  EXPECT_FALSE(doc->CanUndo());
  EXPECT_LT(doc->HistoryBytes(), storyBytes.size() * 2);
  // Redo half way, undo once more, then redo to the end.
  for (size_t i = 1; i < states.size() / 2; ++i) ASSERT_TRUE(doc->Redo());
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(states[states.size() / 2 - 2], DocumentBytes(doc));
  while (doc->Redo()) {
  }
  EXPECT_EQ(states.back(), DocumentBytes(doc));
}

TEST(UndoHistory, AHistoryThatNoLongerFitsTheDocumentIsDroppedNotApplied) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  const UID story = MakeStory(doc, LongText(500));
  doc->ClearUndo();
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(10, WideString("edit "))));
  ASSERT_TRUE(doc->CanUndo());
  // A change no step recorded: the story is not what the history expects.
  ASSERT_EQ(kSuccess, StoryEditor(UIDRef(doc, story)).Insert(200, u"unrecorded "));
  const std::string now = DocumentBytes(doc);
  EXPECT_FALSE(doc->Undo());
  EXPECT_EQ(now, DocumentBytes(doc));
  EXPECT_FALSE(doc->CanUndo());
  EXPECT_FALSE(doc->CanRedo());
}

// With the history off, commands (text edits, new objects) leave no step,
// and the history is empty;
// back on, the next command's step undoes to where it began.
TEST(UndoHistory, CommandsWithTheHistoryOffLeaveNoStep) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  const UID story = MakeStory(doc, LongText(500));
  auto cmds = CmdsOf(doc, story);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(10, WideString("recorded "))));
  doc->SetHistoryOff(true);
  EXPECT_FALSE(doc->CanUndo());
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(20, WideString("unrecorded "))));
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(0, 5)));
  ASSERT_NE(kInvalidUID, InsertMarker(doc, story, 30, "Made while off"));
  EXPECT_FALSE(doc->CanUndo());
  doc->SetHistoryOff(false);
  const std::string before = DocumentBytes(doc);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(40, WideString("again "))));
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  EXPECT_FALSE(doc->CanUndo());
}

// Steps after an undo, and after a change outside any step, start from the
// document as it is then, not as an earlier step left it.
TEST(UndoHistory, StepsAfterAnUndoOrAnUnrecordedChangeUndoToTheStateTheyBeganFrom) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  const UID story = MakeStory(doc, LongText(500));
  doc->ClearUndo();
  auto cmds = CmdsOf(doc, story);
  std::vector<std::string> states{DocumentBytes(doc)};
  auto edit = [&](TextIndex at, const char* text) {
    ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(at, WideString(text))));
    states.push_back(DocumentBytes(doc));
  };
  edit(100, "first ");
  edit(5000, "second ");
  ASSERT_TRUE(doc->Undo());
  states.pop_back();
  ASSERT_EQ(states.back(), DocumentBytes(doc));
  edit(2000, "after the undo ");
  ASSERT_EQ(kSuccess, StoryEditor(UIDRef(doc, story)).Insert(300, u"unrecorded "));
  // The unrecorded change no longer fits the history: it is dropped.
  EXPECT_FALSE(doc->Undo());
  doc->ClearUndo();
  states = {DocumentBytes(doc)};
  edit(400, "after the change ");
  edit(10, "and one more ");
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(doc->Undo());
    ASSERT_EQ(states[i - 1], DocumentBytes(doc)) << "after undoing step " << i;
  }
}

// A step keeps what its edit changed: its size follows the edit, not the
// story, and it still restores the deleted text's attributes and items.
TEST(UndoHistory, AStepOfALongStoryHoldsWhatItsEditChanged) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  const UID story = MakeStory(doc, LongText(4000));
  auto cmds = CmdsOf(doc, story);
  AttributeBossList small;
  small.ApplyAttribute(TextAttr::PointSize(8));
  ASSERT_EQ(kSuccess, Process(cmds->ApplyCmd(50010, 30, small)));
  ASSERT_NE(kInvalidUID, InsertMarker(doc, story, 50050, "inside"));
  doc->ClearUndo();
  const std::string before = DocumentBytes(doc);
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(60000, WideString("x"))));
  EXPECT_LT(doc->HistoryBytes(), 1000u);
  ASSERT_EQ(kSuccess, Process(cmds->DeleteCmd(50000, 100)));
  EXPECT_LT(doc->HistoryBytes(), 3000u);
  const std::string after = DocumentBytes(doc);
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(before, DocumentBytes(doc));
  ASSERT_TRUE(doc->Redo());
  ASSERT_TRUE(doc->Redo());
  EXPECT_EQ(after, DocumentBytes(doc));
}

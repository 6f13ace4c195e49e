// Random commands on the text, layout and plug-in objects of a real
// document, mixed with undo and redo: after every undo and redo the document
// is byte for byte what it was at that point, and a command that changes
// nothing leaves no step and keeps the redo history. XREF_UNDO_SEEDS runs
// more seeds (the fuzz-style run; see the README).
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <cstdlib>
#include <random>

namespace {
struct Doc {
  DataBase* db;
  UID story, charStyle, paraStyle;
  int markers = 0;
};

// `extra` characters of further paragraphs make the story long.
Doc MakeDoc(Application& app, int32 extra = 0) {
  Doc d{};
  d.db = app.NewDocument();
  DocumentBuilder b(d.db);
  d.charStyle = b.AddCharacterStyle("Emphasis", AttributeBossList());
  d.paraStyle = b.AddParagraphStyle("Heading", AttributeBossList());
  LayoutBuilder layout(d.db);
  layout.AddSpread(1);
  std::string text = "first words here\rsecond paragraph";
  while (static_cast<int32>(text.size()) < 33 + extra) text += "\rmore words of a long story " + std::to_string(text.size());
  d.story = MakeStory(d.db, text);
  layout.AddTextFrame(layout.PageUID(0), d.story, 15, 3);
  d.db->ClearUndo();
  return d;
}

// One random change; some change nothing (a style applied again, say).
void RandomCommand(Doc& d, std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int32>(rng() % static_cast<unsigned>(n)); };
  InterfacePtr<ITextModel> text(d.db, d.story, IID_ITEXTMODEL);
  const int32 length = text->TotalLength();
  const int32 at = pick(length);
  const int32 span = std::min(pick(6) + 1, length - 1 - at);
  auto cmds = CmdsOf(d.db, d.story);
  switch (pick(8)) {
    case 0:
      Process(cmds->InsertCmd(at, WideString::FromUTF8(pick(3) == 0 ? "new\rline" : "ab c")));
      break;
    case 1:
      if (span > 0) Process(cmds->DeleteCmd(at, span));
      break;
    case 2:
      Process(cmds->ApplyCharStyleCmd(at, std::max(span, 0), pick(2) ? d.charStyle : kInvalidUID));
      break;
    case 3:
      Process(cmds->ApplyParaStyleCmd(at, 1, d.paraStyle));
      break;
    case 4:
      Process(cmds->SetNumberingCmd(at, 1, pick(3)));
      break;
    case 5:
      InsertMarker(d.db, d.story, at, "m" + std::to_string(++d.markers));
      break;
    case 6: {
      // Several persistent implementations of the document object in one
      // step: its spread list, its sections and its footnote settings.
      CmdUtils::SequenceContext seq(PMString("layout"));
      LayoutBuilder layout(d.db);
      layout.AddSpread(1 + pick(2));
      Section s;
      s.startPage = 0;
      s.startNumber = 1 + pick(3);
      layout.AddSection(s);
      layout.SetFootnoteSettings(pick(2), 1, "", "", "", "", "\t");
      break;
    }
    default: {
      CmdUtils::SequenceContext seq(PMString("footnote"));
      LayoutBuilder(d.db).AddFootnote(d.story, at, WideString::FromUTF8("note"));
      break;
    }
  }
}

// Random steps from the document as it is, with an empty history.
void RunSteps(Doc& d, unsigned seed, int steps) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  d.db->ClearUndo();
  std::mt19937 rng(seed);
  // states[k]: the document after the k-th step of the undo history.
  std::vector<std::string> states{DocumentBytes(d.db)};
  for (int step = 0; step < steps; ++step) {
    const int32 depth = d.db->UndoDepth();
    const unsigned move = rng() % 10;
    if (move < 2 && d.db->CanUndo()) {
      ASSERT_TRUE(d.db->Undo());
      ASSERT_EQ(states[static_cast<size_t>(depth - 1)], DocumentBytes(d.db)) << "undo at step " << step;
      continue;
    }
    if (move < 4 && d.db->CanRedo()) {
      ASSERT_TRUE(d.db->Redo());
      ASSERT_EQ(states[static_cast<size_t>(depth + 1)], DocumentBytes(d.db)) << "redo at step " << step;
      continue;
    }
    const bool couldRedo = d.db->CanRedo();
    const std::string before = DocumentBytes(d.db);
    RandomCommand(d, rng);
    const std::string after = DocumentBytes(d.db);
    if (d.db->UndoDepth() == depth) {
      // No step: nothing may have changed, and the redo history stays.
      ASSERT_EQ(before, after) << "an unrecorded change at step " << step;
      ASSERT_EQ(couldRedo, d.db->CanRedo()) << "step " << step;
      continue;
    }
    ASSERT_EQ(depth + 1, d.db->UndoDepth());
    ASSERT_NE(before, after) << "a step that changes nothing at step " << step;
    states.resize(static_cast<size_t>(depth) + 1);
    states.push_back(after);
  }
  // All the way back and forth again, checking every state on the way.
  while (d.db->CanUndo()) {
    ASSERT_TRUE(d.db->Undo());
    ASSERT_EQ(states[static_cast<size_t>(d.db->UndoDepth())], DocumentBytes(d.db));
  }
  while (d.db->CanRedo()) {
    ASSERT_TRUE(d.db->Redo());
    ASSERT_EQ(states[static_cast<size_t>(d.db->UndoDepth())], DocumentBytes(d.db));
  }
}

void RunSeed(Application& app, unsigned seed) {
  Doc d = MakeDoc(app);
  RunSteps(d, seed, 30);
  app.CloseDocument(d.db);
}

unsigned Seeds() {
  const char* env = std::getenv("XREF_UNDO_SEEDS");
  return env ? static_cast<unsigned>(std::strtoul(env, nullptr, 10)) : 100;
}
}  // namespace

TEST(RandomUndo, EveryUndoAndRedoRestoresTheDocumentExactly) {
  TestApp app;
  for (unsigned seed = 1; seed <= Seeds(); ++seed) {
    RunSeed(*app, seed);
    if (HasFatalFailure()) return;
  }
}

// Undo keeps what each edit changed, not the story: in a long story the
// edits land far from its ends, and every state must still come back. One
// document serves every seed, each going on from where the last left it.
TEST(RandomUndo, EveryUndoAndRedoRestoresALongStoryExactly) {
  TestApp app;
  Doc d = MakeDoc(*app, 200000);
  for (unsigned seed = 1; seed <= Seeds(); ++seed) {
    RunSteps(d, seed, 8);
    if (HasFatalFailure()) return;
  }
}

TEST(RandomUndo, ACommandThatChangesNothingKeepsTheRedoHistory) {
  TestApp app;
  Doc d = MakeDoc(*app);
  auto cmds = CmdsOf(d.db, d.story);
  ASSERT_EQ(kSuccess, Process(cmds->ApplyCharStyleCmd(0, 5, d.charStyle)));
  ASSERT_EQ(kSuccess, Process(cmds->InsertCmd(0, WideString::FromUTF8("x"))));
  ASSERT_EQ(2, d.db->UndoDepth());
  ASSERT_TRUE(d.db->Undo());
  // The style is already there: applying it again is no step.
  EXPECT_EQ(kSuccess, Process(cmds->ApplyCharStyleCmd(0, 5, d.charStyle)));
  EXPECT_EQ(1, d.db->UndoDepth());
  EXPECT_TRUE(d.db->CanRedo());
  EXPECT_TRUE(d.db->Redo());
  EXPECT_EQ("xfirst words here\rsecond paragraph\r", StoryText(d.db, d.story));
}

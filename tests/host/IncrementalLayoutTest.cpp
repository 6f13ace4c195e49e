#include "headless/layout/LayoutBuilder.h"
#include "headless/layout/StoryComposition.h"
#include "headless/objects/Host.h"
#include "host/COwnedItem.h"
#include "host/ILineInfo.h"
#include "host/IOwnedItemStrand.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <random>

namespace {
std::vector<TextIndex>& HeardAt() {
  static std::vector<TextIndex> heard;
  return heard;
}

// Records the start of each line it hears it was composed into.
class LineListener : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
  bool16 HearsLayout() override { return true; }
  void Overset() override { HeardAt().push_back(-1); }
  void ComposedIntoLine(IPMUnknown* line) override {
    InterfacePtr<IWaxLine> wax(line, IID_IWAXLINE);
    HeardAt().push_back(wax ? wax->GetStart() : -2);
  }
};
constexpr ClassID kLineListenerBoss{0x7C21};
constexpr ImplementationID kLineListenerImpl{0x7C22};

void RegisterListener() {
  Host::Get().Impls().InstallHostPersistent<LineListener>(kLineListenerImpl);
  Host::Get().Classes().Define({kLineListenerBoss, kInvalidClass, {{IID_IOWNEDITEM, kLineListenerImpl}}});
}

void ExpectSameAsFromScratch(DataBase* db, UID story, const std::string& when) {
  const StoryComposition* now = ComposeStory(db, story);
  auto scratch = ComposeStoryFromScratch(db, story);
  ASSERT_TRUE(now && scratch);
  ASSERT_EQ(scratch->LineCount(), now->LineCount()) << when;
  for (int32 i = 0; i < now->LineCount(); ++i) ASSERT_EQ(scratch->Line(i), now->Line(i)) << when << ", line " << i;
  ASSERT_EQ(scratch->OversetStart(), now->OversetStart()) << when;
}

// Composed only through `asked`, the line holding it is the one composing
// from scratch gives.
void ExpectLineAsFromScratch(DataBase* db, UID story, TextIndex asked, const std::string& when) {
  const StoryComposition* through = ComposeStoryThrough(db, story, asked);
  auto scratch = ComposeStoryFromScratch(db, story);
  ASSERT_TRUE(through && scratch);
  const auto expected = scratch->LineAt(asked);
  const auto line = through->LineAt(asked);
  ASSERT_EQ(expected.has_value(), line.has_value()) << when << " at " << asked;
  if (line) {
    ASSERT_EQ(*expected, *line) << when << " at " << asked;
  }
}

std::string RandomText(std::mt19937& rng) {
  static const char* pieces[] = {"a", "bb", "word ", " ", "  ", "\r", "longerwordthanaline ", "xy z", "\xF0\x9F\x98\x80"};
  std::string out;
  const int n = 1 + static_cast<int>(rng() % 6);
  for (int i = 0; i < n; ++i) out += pieces[rng() % (sizeof pieces / sizeof *pieces)];
  return out;
}
// A story of paragraphs "para 0<tail>", "para 1<tail>", ...
UID NumberedParagraphs(DataBase* db, int count, const std::string& tail) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "para " + std::to_string(i) + tail + "\r";
  return MakeStory(db, text);
}

// One to three insertions or deletions at random places; deletions only
// in a story longer than `deletesOver`.
void RandomEdits(DataBase* db, UID story, std::mt19937& rng, int32 length, int32 deletesOver) {
  const int edits = 1 + static_cast<int>(rng() % 3);
  for (int e = 0; e < edits; ++e) {
    const TextIndex at = static_cast<TextIndex>(rng() % static_cast<uint32_t>(std::max(1, length - 1)));
    if (rng() % 3 == 0 && length > deletesOver) {
      Process(CmdsOf(db, story)->DeleteCmd(at, 1 + static_cast<int32>(rng() % 15)));
    } else {
      Process(CmdsOf(db, story)->InsertCmd(at, WideString(RandomText(rng).c_str())));
    }
  }
}
}  // namespace

TEST(IncrementalLayout, RandomEditsComposeAsFromScratch) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  UID story = NumberedParagraphs(db, 60, " with some words in it");
  layout.AddTextFrame(layout.PageUID(0), story, 12, 30);
  layout.AddTextFrame(layout.PageUID(1), story, 7, 40);
  layout.AddTextFrame(layout.PageUID(1), story, 20, 25);  // the rest goes overset
  std::mt19937 rng(1234);
  for (int step = 0; step < 400; ++step) {
    const int32 length = ComposeStory(db, story)->TextLength();
    // Several edits between questions, so the layout merges them.
    RandomEdits(db, story, rng, length, 40);
    if (step % 37 == 0) db->Undo();
    ExpectSameAsFromScratch(db, story, "step " + std::to_string(step));
  }
}

TEST(IncrementalLayout, OnlyItemsInChangedLinesHear) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  // Lines of 10 columns: "aaaa bbbb " starts lines 0, 10, 20, ...
  std::string text;
  for (int i = 0; i < 20; ++i) text += "aaaa bbbb ";
  UID story = MakeStory(db, text);
  layout.AddTextFrame(layout.PageUID(0), story, 10, 100);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  for (TextIndex at : {2, 52, 152}) ASSERT_TRUE(owned->SetOwnedItem(at, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  HeardAt().clear();
  ComposeStory(db, story);
  EXPECT_EQ((std::vector<TextIndex>{0, 50, 150}), HeardAt());

  // An edit inside line 5 that breaks no line differently: only its items hear.
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(51, 1)));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{50}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after a deletion");
  // An item attached without a text change hears about its line.
  HeardAt().clear();
  ASSERT_TRUE(owned->SetOwnedItem(100, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{99}, HeardAt());
  // Nothing changed: nothing heard.
  HeardAt().clear();
  ComposeStory(db, story);
  app->Idle().RunOnce();
  EXPECT_TRUE(HeardAt().empty());
}

TEST(IncrementalLayout, ItemsPushedIntoOversetHearIt) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  UID story = MakeStory(db, "aaaa bbbb cccc dddd eeee");
  layout.AddTextFrame(layout.PageUID(0), story, 10, 3);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  ASSERT_TRUE(owned->SetOwnedItem(21, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  ComposeStory(db, story);
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("zzzz yyyy "))));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{-1}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after pushing into overset");
}

// Questions about one index compose through its line only, and stopping
// there leaves nothing for the next question to get wrong.
TEST(IncrementalLayout, QuestionsAboutOneIndexComposeThroughItAsFromScratch) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "item " + std::to_string(i) + " in one long paragraph ";
  text += "\rand a second paragraph\r";
  UID story = MakeStory(db, text);
  layout.AddTextFrame(layout.PageUID(0), story, 15, 40);
  layout.AddTextFrame(layout.PageUID(1), story, 11, 30);
  std::mt19937 rng(99);
  for (int step = 0; step < 300; ++step) {
    const int32 length = ComposeStoryThrough(db, story, 0)->TextLength();
    const TextIndex at = static_cast<TextIndex>(rng() % static_cast<uint32_t>(std::max(1, length - 1)));
    if (rng() % 3 == 0 && length > 60) {
      Process(CmdsOf(db, story)->DeleteCmd(at, 1 + static_cast<int32>(rng() % 9)));
    } else {
      Process(CmdsOf(db, story)->InsertCmd(at, WideString(RandomText(rng).c_str())));
    }
    const TextIndex asked = static_cast<TextIndex>(rng() % static_cast<uint32_t>(length));
    ExpectLineAsFromScratch(db, story, asked, "step " + std::to_string(step));
    if (HasFatalFailure()) return;
    if (step % 7 == 0) ExpectSameAsFromScratch(db, story, "step " + std::to_string(step));
  }
}

TEST(IncrementalLayout, ItemsPastTheLineAskedHearWhenTheirLinesAreComposed) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  // One paragraph of lines of 10 columns broken inside words: an edit at
  // the start moves every line after it.
  UID story = MakeStory(db, std::string(200, 'a'));
  layout.AddTextFrame(layout.PageUID(0), story, 10, 100);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  for (TextIndex at : {2, 152}) ASSERT_TRUE(owned->SetOwnedItem(at, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  ComposeStory(db, story);
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("x"))));
  InterfacePtr<ILineInfo> lines(db, story, IID_ILINEINFO);
  LineInfo info;
  ASSERT_TRUE(lines->GetLineInfo(3, &info));
  EXPECT_EQ(std::vector<TextIndex>{0}, HeardAt());
  HeardAt().clear();
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{150}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after composing the rest");
}

TEST(IncrementalLayout, ItemsAlreadyOversetDoNotHearItAgain) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  UID story = MakeStory(db, "aaaa bbbb cccc dddd eeee");
  layout.AddTextFrame(layout.PageUID(0), story, 10, 1);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  ASSERT_TRUE(owned->SetOwnedItem(16, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  HeardAt().clear();
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{-1}, HeardAt());
  // Text typed in overset after the item, then before it.
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(20, WideString("zz"))));
  ComposeStory(db, story);
  EXPECT_TRUE(HeardAt().empty());
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(12, WideString("y"))));
  ComposeStory(db, story);
  EXPECT_TRUE(HeardAt().empty());
  ExpectSameAsFromScratch(db, story, "after typing in overset");
}

namespace {
// A story of twenty lines "aaaa bbbb " in a frame ten columns wide.
UID TwentyLinesOfTen(DataBase* db) {
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  std::string text;
  for (int i = 0; i < 20; ++i) text += "aaaa bbbb ";
  const UID story = MakeStory(db, text);
  layout.AddTextFrame(layout.PageUID(0), story, 10, 100);
  return story;
}
}  // namespace

// Composing that stops early keeps the adornments of the lines not composed
// yet with those lines, and they are where they belong when the lines fall
// back in step.
TEST(IncrementalLayout, AdornmentsStayWithTheirLinesThroughAStop) {
  TestApp app;
  DataBase* db = app->NewDocument();
  const UID story = TwentyLinesOfTen(db);
  const ClassID mark{0x7C23};
  const_cast<StoryComposition*>(ComposeStory(db, story))->Adornments(5).emplace_back(mark, 1.0);
  // Line 2 loses a character and breaks where it did: the lines after it
  // start one earlier in the same slots.
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(21, 1)));
  auto* c = const_cast<StoryComposition*>(ComposeStoryThrough(db, story, 12));
  ASSERT_EQ(1u, c->Adornments(4).size());  // old line 5, waiting after the stop
  c = const_cast<StoryComposition*>(ComposeStory(db, story));
  ASSERT_EQ(1u, c->Adornments(5).size());
  EXPECT_EQ(mark, c->Adornments(5)[0].first);
  EXPECT_TRUE(c->Adornments(4).empty());
  ExpectSameAsFromScratch(db, story, "after the stop");
}

// A line composed again in its own slot loses its adornments (its items add
// them again when told); the lines around it keep theirs.
TEST(IncrementalLayout, AChangedLineLosesItsAdornmentsAndItsNeighboursKeepTheirs) {
  TestApp app;
  DataBase* db = app->NewDocument();
  const UID story = TwentyLinesOfTen(db);
  const ClassID mark{0x7C23};
  auto* c = const_cast<StoryComposition*>(ComposeStory(db, story));
  for (int32 line : {1, 2, 3, 6}) c->Adornments(line).emplace_back(mark, 1.0);
  // One character of line 2 replaced: every line breaks where it did.
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(21, 1)));
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(21, WideString("x"))));
  c = const_cast<StoryComposition*>(ComposeStory(db, story));
  EXPECT_TRUE(c->Adornments(2).empty());
  for (int32 line : {1, 3, 6}) EXPECT_EQ(1u, c->Adornments(line).size()) << line;
  ExpectSameAsFromScratch(db, story, "after the replacement");
}

// Frames of one width, so that lines after an edit that adds or takes a
// line fall back in step one place away; scattered edits between questions
// about single indexes, with text running into overset and back.
TEST(IncrementalLayout, LinesThatMovePlacesComposeAsFromScratch) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  UID story = NumberedParagraphs(db, 50, " with words");
  layout.AddTextFrame(layout.PageUID(0), story, 9, 4);  // narrower: lines there never move places
  for (int f = 0; f < 10; ++f) layout.AddTextFrame(layout.PageUID(f % 2), story, 12, 5);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  for (TextIndex at : {200, 400, 560})
    ASSERT_TRUE(owned->SetOwnedItem(at, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  std::mt19937 rng(4321);
  for (int step = 0; step < 300; ++step) {
    const int32 length = ComposeStoryThrough(db, story, 0)->TextLength();
    RandomEdits(db, story, rng, length, 300);
    const TextIndex asked = static_cast<TextIndex>(rng() % static_cast<uint32_t>(length));
    ExpectLineAsFromScratch(db, story, asked, "step " + std::to_string(step));
    if (HasFatalFailure()) return;
    // Every other step composes the rest too, so that a stop before later
    // damage meets the next edits.
    if (step % 2) ExpectSameAsFromScratch(db, story, "step " + std::to_string(step));
  }
}

// The same with a short story, so that text goes overset and flows back,
// and a frame without lines. Composing stops before later damage, and an
// edit before the stop then moves the lines after it to other slots: the
// lines past the stop are still in the slots they were composed in.
TEST(IncrementalLayout, LinesMovedPastAStopComposeAsFromScratch) {
  for (uint32_t seed = 100; seed < 140; ++seed) {
    TestApp app;
    DataBase* db = app->NewDocument();
    LayoutBuilder layout(db);
    layout.AddSpread(2);
    UID story = NumberedParagraphs(db, 20, " with words");
    layout.AddTextFrame(layout.PageUID(0), story, 9, 4);
    for (int f = 0; f < 10; ++f) layout.AddTextFrame(layout.PageUID(f % 2), story, 12, f == 6 ? 0 : 5);
    std::mt19937 rng(seed);
    for (int step = 0; step < 10; ++step) {
      const int32 length = ComposeStoryThrough(db, story, 0)->TextLength();
      RandomEdits(db, story, rng, length, 300);
      const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
      ExpectLineAsFromScratch(db, story, static_cast<TextIndex>(rng() % static_cast<uint32_t>(length)), where);
      if (rng() % 3 == 0) ExpectSameAsFromScratch(db, story, where);
      if (HasFailure()) return;
    }
  }
}

// The text over two frames of 10 columns, on two pages, with listening
// items at `items`; composed, nothing heard yet.
UID ListenedTwoFrameStory(DataBase* db, const std::string& text, int32 firstLines, int32 secondLines,
                          std::initializer_list<TextIndex> items) {
  LayoutBuilder layout(db);
  layout.AddSpread(2);
  UID story = MakeStory(db, text);
  layout.AddTextFrame(layout.PageUID(0), story, 10, firstLines);
  layout.AddTextFrame(layout.PageUID(1), story, 10, secondLines);
  auto owned = StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss);
  for (TextIndex at : items) EXPECT_TRUE(owned->SetOwnedItem(at, kLineListenerBoss, db->NewUID(kLineListenerBoss)));
  ComposeStory(db, story);
  HeardAt().clear();
  return story;
}

// Twelve lines of 7 units over frames of 4 and 10 lines, with listening
// items in lines 2 (stays in the first frame when a line goes in before it),
// 3 (moves into the second) and 9.
UID ListenedTwoFrameStory(DataBase* db) {
  std::string text;
  for (int i = 0; i < 12; ++i) text += "line " + std::to_string(i % 10) + "\r";
  return ListenedTwoFrameStory(db, text, 4, 10, {15, 22, 64});
}

// A line that moves into the next frame moves to another page: its items
// hear. Items of lines that only move down within their frame do not.
TEST(IncrementalLayout, ItemsOfLinesMovedIntoAnotherFrameHear) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID story = ListenedTwoFrameStory(db);
  // A new line at the start: every line moves down one place.
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("new\r"))));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{25}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after a line went in");
  // And back: the line returns to the first frame.
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(0, 4)));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{21}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after it went again");
}

// Lines moved into another frame are told when their line is asked for, or
// the whole story: not every later frame on each edit. A moved line that the
// next edit composes again unchanged is told then.
TEST(IncrementalLayout, ItemsOfMovedLinesHearWhenAskedFor) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID story = ListenedTwoFrameStory(db);
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("new\r"))));
  ComposeStoryThrough(db, story, 10);
  EXPECT_TRUE(HeardAt().empty());
  ComposeStoryThrough(db, story, 27);
  EXPECT_EQ(std::vector<TextIndex>{25}, HeardAt());
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{25}, HeardAt());

  // Back into the first frame, untold; an edit in the next line composes
  // the moved one again, unchanged.
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(0, 4)));
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(29, WideString("x"))));
  ComposeStoryThrough(db, story, 40);
  EXPECT_EQ(std::vector<TextIndex>{21}, HeardAt());
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{21}, HeardAt());

  // Moved there and back, never asked for: told where it ends.
  HeardAt().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("new\r"))));
  ComposeStoryThrough(db, story, 10);
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->DeleteCmd(0, 4)));
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{21}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after the edits");
}

// The same when composing stops inside a long paragraph after the moved line.
TEST(IncrementalLayout, AMovedLineComposedAgainBeforeAPauseIsTold) {
  RegisterListener();
  TestApp app;
  DataBase* db = app->NewDocument();
  UID story = ListenedTwoFrameStory(db, "ab\rline 1\raaaa bbbb cccc dddd eeee ffff gggg hhhh\r", 2, 20, {4});
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(0, WideString("new\r"))));
  ComposeStoryThrough(db, story, 0);
  ASSERT_TRUE(HeardAt().empty());
  ASSERT_EQ(kSuccess, Process(CmdsOf(db, story)->InsertCmd(14, WideString("x"))));
  ComposeStoryThrough(db, story, 14);
  EXPECT_EQ(std::vector<TextIndex>{7}, HeardAt());
  ComposeStory(db, story);
  EXPECT_EQ(std::vector<TextIndex>{7}, HeardAt());
  ExpectSameAsFromScratch(db, story, "after the edits");
}

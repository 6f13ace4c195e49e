// xref edit: text edits on saved documents, with the live updates that
// follow them shown pass by pass, and nothing saved when an edit is bad.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {
// Three filler paragraphs fill the first page's frame, so the heading with
// the source marker stands on page 2; a cross-reference on page 1 names it.
const char* kDocument = R"({"spreads": [{"pages": 2}], "stories": [
  {"frames": [{"page": 0, "columns": 40, "lines": 3}, {"page": 1, "columns": 40, "lines": 10}],
   "paragraphs": [{"runs": ["Filler one"]}, {"runs": ["Filler two"]}, {"runs": ["Filler three"]},
                  {"runs": [{"sourceMarker": {"name": "Head"}}, "Heading"]},
                  {"runs": ["The end"]}]},
  {"frames": [{"page": 0, "columns": 40, "lines": 3}],
   "paragraphs": [{"runs": [{"crossReference": {"source": "Head", "markup": "See <paratext/> on page <pagenum/>"}}]}]}]})";

class EditCommand : public ::testing::Test {
protected:
  void SetUp() override {
    std::ofstream(dir_.File("doc.json")) << kDocument;
    ProgramRun run = RunXref("build '" + dir_.File("doc.json") + "' -o '" + doc_ + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    run = RunXref("describe '" + doc_ + "'");
    ASSERT_NE(std::string::npos, run.out.find("\"See Heading on page 2\"")) << run.out;
  }
  ProgramRun Edit(const std::string& args) { return RunXref("edit '" + doc_ + "' " + args + " --in-place", true); }

  TempDir dir_;
  const std::string doc_ = dir_.File("doc.xrefdoc");
};
}  // namespace

TEST_F(EditCommand, DeletingAParagraphBeforeTheHeadingMovesTheCrossReferencesPage) {
  ProgramRun run = Edit("--delete 0:0:11");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find(": doc.xrefdoc: cross-reference ")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 2\" -> \"See Heading on page 1\"")) << run.out;
  run = RunXref("describe '" + doc_ + "'");
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 1\"")) << run.out;
  EXPECT_EQ(std::string::npos, run.out.find("Filler one")) << run.out;

  // Moving a paragraph back in front of the heading pushes it to page 2.
  std::ofstream(dir_.File("edits.json")) << R"([{"edit": "insert", "story": 0, "at": 0, "text": "New first\r"}])";
  run = Edit("--script '" + dir_.File("edits.json") + "'");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 1\" -> \"See Heading on page 2\"")) << run.out;
}

TEST_F(EditCommand, AMovedHeadingTakesItsMarkerAndTheCrossReferenceFollowsItsPage) {
  // The heading goes in front of the first filler, onto page 1.
  ProgramRun run = Edit("--move-paragraph 0:3:0:0");
  ASSERT_EQ(0, run.exitCode) << run.out;
  const size_t edited = run.out.find("applied 1 edit(s)");
  ASSERT_NE(std::string::npos, edited) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 2\" -> \"See Heading on page 1\"", edited)) << run.out;
  run = RunXref("describe '" + doc_ + "'");
  EXPECT_NE(std::string::npos, run.out.find("source marker \"Head\": story 0 at 0, page 1")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 1\"")) << run.out;
  EXPECT_LT(run.out.find("Heading\n"), run.out.find("Filler one")) << run.out;

  // From a script, in front of the last paragraph: back on page 2.
  std::ofstream(dir_.File("edits.json"))
      << R"([{"edit": "move-paragraph", "story": 0, "paragraph": 0, "toStory": 0, "before": 4}])";
  run = Edit("--script '" + dir_.File("edits.json") + "'");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 1\" -> \"See Heading on page 2\"")) << run.out;
  run = RunXref("describe '" + doc_ + "'");
  EXPECT_NE(std::string::npos, run.out.find("source marker \"Head\": story 0 at 35, page 2")) << run.out;
}

TEST_F(EditCommand, ALockedStoryKeepsItsCrossReferenceUntilUnlocked) {
  ProgramRun run = Edit("--lock 1 --delete 0:0:11");
  ASSERT_EQ(0, run.exitCode) << run.out;
  const size_t edited = run.out.find("applied 2 edit(s)");
  ASSERT_NE(std::string::npos, edited) << run.out;
  EXPECT_EQ(std::string::npos, run.out.find("->", edited)) << run.out;
  run = Edit("--unlock 1");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\"See Heading on page 2\" -> \"See Heading on page 1\"")) << run.out;
}

TEST_F(EditCommand, ABadEditChangesNoFile) {
  const std::string before = FileBytes(doc_);
  for (const char* args : {"--delete 0:0:9999", "--insert 7:0:x", "--insert 0:x", "--lock x",
                           "--script /nonexistent.json", "--move-paragraph 0:4:0:0", "--move-paragraph 0:0:0:5",
                           "--move-paragraph 0:0:2:0", "--move-paragraph 0:0:0"}) {
    ProgramRun run = Edit(args);
    EXPECT_EQ(2, run.exitCode) << args << "\n" << run.out;
    EXPECT_NE(std::string::npos, run.out.find("xref: ")) << args << "\n" << run.out;
  }
  std::ofstream(dir_.File("bad.json")) << R"([{"edit": "rename", "story": 0}])";
  ProgramRun run = Edit("--script '" + dir_.File("bad.json") + "'");
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("edit 0.edit: unknown edit 'rename'")) << run.out;
  // Into a story locked by an earlier edit of the script.
  std::ofstream(dir_.File("locked.json"))
      << R"([{"edit": "lock", "story": 1}, {"edit": "move-paragraph", "paragraph": 3, "toStory": 1}])";
  run = Edit("--script '" + dir_.File("locked.json") + "'");
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("move-paragraph 0:3:1:0: the story is locked")) << run.out;
  // A FIFO is refused without waiting for a writer; a line over 64 KiB too.
  ASSERT_EQ(0, ::mkfifo(dir_.File("fifo.json").c_str(), 0600));
  run = RunXref("edit '" + doc_ + "' --script '" + dir_.File("fifo.json") + "'", true, 30);
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("fifo.json: not a regular file")) << run.out;
  std::ofstream(dir_.File("long.json")) << "[\"" << std::string(70000, 'x') << "\"]";
  run = Edit("--script '" + dir_.File("long.json") + "'");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("long.json:1: line longer than 64 KiB")) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
}

TEST_F(EditCommand, AMoveThatWouldCutACrossReferenceIsRefused) {
  // A cross-reference whose text spans two paragraphs of story 1.
  std::ofstream(dir_.File("span.json")) << R"({"spreads": [{"pages": 1}], "stories": [
    {"frames": [{"page": 0, "columns": 40, "lines": 5}],
     "paragraphs": [{"runs": ["Filler"]}, {"runs": [{"sourceMarker": {"name": "Head"}}, "Heading"]}]},
    {"frames": [{"page": 0, "columns": 40, "lines": 10}],
     "paragraphs": [{"runs": ["Before"]},
                    {"runs": [{"crossReference": {"source": "Head", "markup": "See <paratext/><char code='13' />"}}]},
                    {"runs": ["After"]}]}]})";
  const std::string doc = dir_.File("span.xrefdoc");
  ASSERT_EQ(0, RunXref("build '" + dir_.File("span.json") + "' -o '" + doc + "'").exitCode);
  const std::string before = FileBytes(doc);
  // Paragraph 1 of story 1 holds the start marker only; paragraph 2 begins
  // with the end marker, so text put in front of it lands inside.
  const std::pair<const char*, const char*> refused[] = {
      {"1:1:0:0", "move-paragraph 1:1:0:0: it would cut cross-reference "},
      {"0:0:1:2", "move-paragraph 0:0:1:2: the destination lies inside the text of cross-reference "}};
  for (auto& move : refused) {
    ProgramRun run = RunXref("edit '" + doc + "' --move-paragraph " + move.first, true);
    EXPECT_EQ(2, run.exitCode) << run.out;
    EXPECT_NE(std::string::npos, run.out.find(move.second)) << run.out;
  }
  EXPECT_TRUE(before == FileBytes(doc));
  // In front of the start marker's paragraph, or of the one after the end marker, is fine.
  ProgramRun run = RunXref("edit '" + doc + "' --move-paragraph 0:0:1:1 --move-paragraph 1:0:1:4", true);
  EXPECT_EQ(0, run.exitCode) << run.out;
}

TEST_F(EditCommand, AScriptNamingADocumentPastTheLastIsRefusedAndSavesNothing) {
  const std::string before = FileBytes(doc_);
  std::ofstream(dir_.File("edits.json"))
      << R"([{"edit": "insert", "story": 0, "at": 0, "text": "x"},
            {"edit": "insert", "document": 1, "story": 0, "at": 0, "text": "y"}])";
  ProgramRun run = Edit("--script '" + dir_.File("edits.json") + "'");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("edit names document 1 of 1")) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
}

// A cross-reference to its own paragraph's page, on pages numbered VIII
// and IX: "VIII" is long enough to push the marker onto page IX, and "IX"
// short enough to let it back. Live updates never settle; the run says so,
// names the cross-reference, and exits 1.
TEST(EditCommandUnsettled, LiveUpdatesThatNeverSettleAreReported) {
  TempDir dir;
  std::ofstream(dir.File("doc.json")) << R"({"spreads": [{"pages": 2}],
    "sections": [{"startPage": 0, "style": "upperRoman", "start": 8}],
    "stories": [{"frames": [{"page": 0, "columns": 11, "lines": 1}, {"page": 1, "columns": 11, "lines": 5}],
      "paragraphs": [{"runs": [{"crossReference": {"source": "Here", "markup": "<pagenum/>"}}, " ab ",
                               {"sourceMarker": {"name": "Here"}}, "x"]}]}]})";
  const std::string doc = dir.File("doc.xrefdoc");
  ProgramRun run = RunXref("build '" + dir.File("doc.json") + "' -o '" + doc + "'");
  ASSERT_EQ(0, run.exitCode) << run.out;
  run = RunXref("edit '" + doc + "'", true);
  EXPECT_EQ(1, run.exitCode) << run.out.substr(0, 2000);
  EXPECT_NE(std::string::npos, run.out.find("did not settle: live updates kept changing in a cycle of"))
      << run.out.substr(0, 2000);
  EXPECT_NE(std::string::npos, run.out.find("still changing: doc.xrefdoc: cross-reference ")) << run.out.substr(0, 2000);
  EXPECT_EQ(std::string::npos, run.out.find("settled after")) << run.out.substr(0, 2000);
}

// xref shell and xref action: the selection shown after each command, the
// observer growing a caret, suite and menu actions, the delete-all question
// answered by its default or by --yes, unsaved changes never dropped
// silently, and the shell on a real terminal.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
// Story 1 reads "See " (0-3), the start marker (4), "Heading" (5-11), the
// end marker (12) and " here".
const char* kDocument = R"({"spreads": [{"pages": 1}], "stories": [
  {"frames": [{"page": 0, "columns": 40, "lines": 5}],
   "paragraphs": [{"runs": [{"sourceMarker": {"name": "Head"}}, "Heading"]}]},
  {"frames": [{"page": 0, "columns": 40, "lines": 5, "y": 200}],
   "paragraphs": [{"runs": ["See ", {"crossReference": {"source": "Head", "markup": "<paratext/>"}}, " here"]}]}]})";

class Shell : public ::testing::Test {
protected:
  void SetUp() override {
    std::ofstream(dir_.File("doc.json")) << kDocument;
    ProgramRun run = RunXref("build '" + dir_.File("doc.json") + "' -o '" + doc_ + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
  }
  ProgramRun Script(const std::string& commands, const std::string& options = "") {
    std::ofstream(dir_.File("script.txt")) << commands;
    return RunXref("shell '" + doc_ + "' --script '" + dir_.File("script.txt") + "' " + options, true);
  }
  static bool Has(const ProgramRun& run, const std::string& text) { return run.out.find(text) != std::string::npos; }

  TempDir dir_;
  const std::string doc_ = dir_.File("doc.xrefdoc");
};

TEST_F(Shell, ACaretInsideACrossRefGrowsAndOneAfterItDoesNot) {
  ProgramRun run = Script("caret 1:7\ncaret 1:13\nexact on\ncaret 1:7\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "story 1 from 4 to 13\n  text: \"Heading\"\n  holds cross-reference")) << run.out;
  EXPECT_TRUE(Has(run, "story 1 caret at 13\n  holds nothing of the plug-in")) << run.out;
  EXPECT_TRUE(Has(run, "story 1 caret at 7\n  holds cross-reference")) << run.out;
}

TEST_F(Shell, InsertionsInsideACrossRefAndHyperlinksIntoAnotherDocumentAreRefused) {
  const std::string other = dir_.File("other.xrefdoc");
  ProgramRun run = Script("exact on\ncaret 1:7\ninsert-xref Head Page\ninsert-marker Inner\nexact off\n"
                          "select 1:0+3\ninsert-xref Head Page --file '" + other + "' --hyperlink\n"
                          "select 1:0+18\nundo\n",
                          "--keep-going");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "insert-xref failed: The position lies inside the text of a cross-reference")) << run.out;
  EXPECT_TRUE(Has(run, "insert-marker failed: The position lies inside the text of a cross-reference")) << run.out;
  EXPECT_TRUE(Has(run, "insert-xref failed: A hyperlink cannot lead into another document")) << run.out;
  EXPECT_TRUE(Has(run, "text: \"See Heading here\"\n  holds cross-reference")) << run.out;
  EXPECT_FALSE(Has(run, "holds source marker \"Inner\"")) << run.out;
  EXPECT_TRUE(Has(run, "nothing to undo")) << run.out;
}

TEST_F(Shell, UnsavedChangesAreNeverDroppedSilently) {
  const std::string before = FileBytes(doc_);
  ProgramRun run = Script("select 0:2+3\ninsert-marker Second\nquit\n");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "unsaved changes in")) << run.out;
  EXPECT_TRUE(Has(run, "were not saved")) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
  run = Script("select 0:2+3\ninsert-marker Second\nquit!\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
  run = Script("select 0:2+3\ninsert-marker Second\nundo\nredo\nsave\nquit\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  run = Script("select 0:0+5\n");
  EXPECT_TRUE(Has(run, "holds source marker \"Head\"\n  holds source marker \"Second\"")) << run.out;
}

TEST_F(Shell, MenuActionsRunByNameAndTheQuestionTakesItsDefault) {
  ProgramRun run = Script("menu\ndelete-all-markers\nselect 0:0+3\nlive-updates\nmenu\nquit!\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "delete-all-markers: Delete All Source Markers\n")) << run.out;
  EXPECT_TRUE(Has(run, "live-updates: Turn Off Live Updates")) << run.out;
  EXPECT_TRUE(Has(run, "live-updates: Turn On Live Updates")) << run.out;
  EXPECT_TRUE(Has(run, "holds source marker \"Head\"")) << run.out;  // answered No
  run = Script("delete-all-markers\nselect 0:0+3\nsave\nquit\n", "--yes");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "story 0 from 0 to 3\n  text: \"Hea\"\n  holds nothing")) << run.out;
  run = Script("delete-all-markers\n", "--keep-going");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "disabled")) << run.out;
}

TEST_F(Shell, SuiteActionsWorkOnTheSelectionAndBadCommandsAreReported) {
  ProgramRun run = Script(
      "caret 1:6\nupdate\nto-text\nselect 1:0+3\ninsert-xref Head Page\nbogus\ncaret 9:0\n"
      "delete-xrefs\ndelete-xrefs\nsave\n",
      "--keep-going");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "> to-text\nselection: doc.xrefdoc story 1 from 4 to 13\n  text: \"Heading h\"\n  holds nothing"))
      << run.out;
  EXPECT_TRUE(Has(run, "> insert-xref Head Page\nselection: doc.xrefdoc story 1 from 0 to 3\n")) << run.out;
  EXPECT_TRUE(Has(run, "to \"Head\": \"page 1\"")) << run.out;
  EXPECT_TRUE(Has(run, "unknown command 'bogus'")) << run.out;
  EXPECT_TRUE(Has(run, "error: no story 9")) << run.out;
  EXPECT_TRUE(Has(run, "> delete-xrefs\nselection: doc.xrefdoc story 1 from 0 to 3\n  text: \"He\"\n  holds nothing"))
      << run.out;
  EXPECT_TRUE(Has(run, "error: delete-xrefs is not possible with this selection")) << run.out;
  // Saved: the cross-references are gone for good.
  run = Script("select 1:0+10\nquit\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "text: \"Heading h\"\n  holds nothing")) << run.out;
}

TEST_F(Shell, TypingInTheSourceIsFollowedByLiveUpdatesWhenIdle) {
  ProgramRun run = Script("select 0:1+0\ntype \"New \"\ncaret 1:6\nidle 2000\ncaret 1:6\nundo\nquit!\n");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "> type \"New \"\nselection: doc.xrefdoc story 0 caret at 5\n")) << run.out;
  EXPECT_TRUE(Has(run, "> caret 1:6\nselection: doc.xrefdoc story 1 from 4 to 13\n  text: \"Heading\"")) << run.out;
  EXPECT_TRUE(Has(run, "> idle 2000\nselection: doc.xrefdoc story 1 from 4 to 13\n")) << run.out;
  EXPECT_TRUE(Has(run, "> caret 1:6\nselection: doc.xrefdoc story 1 from 4 to 17\n  text: \"New Heading\"")) << run.out;
}

TEST_F(Shell, BadDocumentsAndScriptsAreUsageErrors) {
  ProgramRun run = RunXref("shell '" + dir_.File("missing.xrefdoc") + "' --script /dev/null");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "missing.xrefdoc")) << run.out;
  run = RunXref("shell '" + doc_ + "' --script '" + dir_.File("no-script.txt") + "'");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "no-script.txt")) << run.out;
  run = Script("caret 1:99\nselect 1:x\nidle -5\nexact maybe\n\"unbalanced\n", "--keep-going");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "error: 1:99 lies outside the story")) << run.out;
  EXPECT_TRUE(Has(run, "error: select takes STORY:START[+LENGTH]")) << run.out;
  EXPECT_TRUE(Has(run, "error: idle takes MS")) << run.out;
  EXPECT_TRUE(Has(run, "error: unbalanced quotes")) << run.out;
}

TEST_F(Shell, AScriptStopsAtItsFirstFailedLineAndSavesNothing) {
  const std::string before = FileBytes(doc_);
  ProgramRun run = Script("select 1:0+3\ncaret 9:0\ninsert-xref Head Page\nsave\n");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "script.txt:2: the line failed")) << run.out;
  EXPECT_FALSE(Has(run, "> insert-xref")) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
  // A line the shell cannot even read stops it too.
  run = Script("\"unbalanced\nsave\n");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "script.txt:1:")) << run.out;
  // Told to keep going, it runs on and the later lines act.
  run = Script("select 1:0+3\ncaret 9:0\ninsert-xref Head Page\nquit!\n", "--keep-going");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "> insert-xref")) << run.out;
}

TEST_F(Shell, ACrossReferenceToAMissingMarkerIsSaidToBeBroken) {
  ProgramRun run = Script("select 1:0+3\ninsert-xref Nowhere Page\nquit!\n");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "warning: the cross-reference to \"Nowhere\" is broken")) << run.out;
  run = RunXref("insert '" + doc_ + "' --at 1:0+3 --source Nowhere --format Page --in-place");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "is broken")) << run.out;
}

TEST_F(Shell, ActionRunsOneMenuAction) {
  const std::string before = FileBytes(doc_);
  const std::string out = dir_.File("out.xrefdoc");
  ProgramRun run = RunXref("action '" + doc_ + "' delete-all-markers -o '" + out + "' < /dev/null");
  EXPECT_EQ(0, run.exitCode) << run.out;
  std::ofstream(dir_.File("look.txt")) << "select 0:0+3\n";
  run = RunXref("shell '" + out + "' --script '" + dir_.File("look.txt") + "'");
  EXPECT_TRUE(Has(run, "holds source marker \"Head\"")) << run.out;
  run = RunXref("action '" + doc_ + "' delete-all-markers --yes -o '" + out + "'");
  EXPECT_EQ(0, run.exitCode) << run.out;
  run = RunXref("action '" + out + "' delete-all-markers --yes --in-place");
  EXPECT_EQ(1, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "disabled")) << run.out;
  // Nothing native to migrate: the document stays as it was.
  run = RunXref("action '" + doc_ + "' basic-to-pro --in-place");
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_EQ(before, FileBytes(doc_));
  run = RunXref("action '" + doc_ + "' nothing-like-it");
  EXPECT_EQ(2, run.exitCode) << run.out;
}

// The shell on a terminal: tmux runs it, keys go in, the screen is read.
class ShellOnTerminal : public Shell {
protected:
  void SetUp() override {
    if (std::system("command -v tmux > /dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    Shell::SetUp();
    socket_ = "xref-test-" + std::to_string(::getpid());
  }
  void TearDown() override {
    if (!socket_.empty()) Tmux("kill-server 2> /dev/null");
  }
  int Tmux(const std::string& args) { return std::system(("tmux -L " + socket_ + " " + args).c_str()); }
  std::string Screen() {
    const std::string file = dir_.File("screen.txt");
    Tmux("capture-pane -p -t s > '" + file + "' 2> /dev/null");
    return FileBytes(file);
  }
  static int Count(const std::string& screen, const std::string& text) {
    int n = 0;
    for (size_t at = screen.find(text); at != std::string::npos; at = screen.find(text, at + 1)) ++n;
    return n;
  }
  bool WaitFor(const std::string& text, int times = 1) {
    for (int i = 0; i < 300; ++i) {
      if (Count(Screen(), text) >= times) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  void Keys(const std::string& line) { Tmux("send-keys -t s -l '" + line + "' && tmux -L " + socket_ + " send-keys -t s Enter"); }

  std::string socket_;
};

TEST_F(ShellOnTerminal, ItPromptsShowsTheSelectionAndAsksBeforeDroppingChanges) {
  const std::string before = FileBytes(doc_);
  const std::string done = dir_.File("done");
  ASSERT_EQ(0, Tmux("new-session -d -s s -x 160 -y 50 \"" + std::string(XREF_BINARY) + " shell '" + doc_ +
                    "'; echo exit=\\$? > '" + done + "'; sleep 30\""));
  ASSERT_TRUE(WaitFor("xref>")) << Screen();
  Keys("caret 1:7");
  ASSERT_TRUE(WaitFor("story 1 from 4 to 13")) << Screen();
  Keys("select 0:2+3");
  Keys("insert-marker Typed");
  ASSERT_TRUE(WaitFor("holds source marker \"Typed\"")) << Screen();
  Keys("quit");
  ASSERT_TRUE(WaitFor("[Save/Discard/Cancel*]")) << Screen();
  Keys("");  // the default: cancel, and the shell goes on
  Keys("quit");
  ASSERT_TRUE(WaitFor("[Save/Discard/Cancel*]", 2)) << Screen();
  Keys("discard");
  for (int i = 0; i < 100 && FileBytes(done).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ("exit=0\n", FileBytes(done)) << Screen();
  EXPECT_EQ(before, FileBytes(doc_));
}
TEST_F(ShellOnTerminal, ActionAsksItsQuestionOnTheTerminal) {
  const std::string out = dir_.File("out.xrefdoc"), done = dir_.File("done");
  ASSERT_EQ(0, Tmux("new-session -d -s s -x 160 -y 50 \"" + std::string(XREF_BINARY) + " action '" + doc_ +
                    "' delete-all-markers -o '" + out + "'; echo exit=\\$? > '" + done + "'; sleep 30\""));
  ASSERT_TRUE(WaitFor("[Yes/No*]")) << Screen();
  Keys("y");
  for (int i = 0; i < 100 && FileBytes(done).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ("exit=0\n", FileBytes(done)) << Screen();
  std::ofstream(dir_.File("look.txt")) << "select 0:0+3\n";
  ProgramRun run = RunXref("shell '" + out + "' --script '" + dir_.File("look.txt") + "'");
  EXPECT_TRUE(Has(run, "holds nothing of the plug-in")) << run.out;
}
}  // namespace

// A name another marker holds, in any case, is refused as the program and
// scripts refuse it; a marker may take its own name in another case.
TEST_F(Shell, AMarkerNameTakenIgnoringCaseIsRefused) {
  ProgramRun run = Script("select 0:2+3\ninsert-marker HEAD\ninsert-marker Second\nselect 0:0+1\n"
                          "rename-marker second --update\nrename-marker HEAD\nselect 0:0+5\nquit!\n",
                          "--keep-going");
  EXPECT_TRUE(Has(run, "error: a source marker named \"HEAD\" exists already")) << run.out;
  EXPECT_TRUE(Has(run, "error: a source marker named \"second\" exists already")) << run.out;
  EXPECT_TRUE(Has(run, "holds source marker \"HEAD\"\n  holds source marker \"Second\"\n")) << run.out;
}

// Commands come from a file, a pipe or standard input, a line at a time and
// bounded: an endless line is refused, and a device is not a script.
TEST_F(Shell, EndlessInputIsRefusedNotReadForever) {
  ProgramRun run = RunXref("shell '" + doc_ + "' --script /dev/zero", true, 30);
  EXPECT_EQ(2, run.exitCode) << run.out.substr(0, 200);
  EXPECT_TRUE(Has(run, "/dev/zero: not a file nor a pipe")) << run.out.substr(0, 200);
  run = RunXref("shell '" + doc_ + "' < /dev/zero", true, 30);
  EXPECT_EQ(2, run.exitCode) << run.out.substr(0, 200);
  EXPECT_TRUE(Has(run, "standard input:1: line longer than 64 KiB")) << run.out.substr(0, 200);
  run = RunXref("shell '" + doc_ + "' --script /dev/stdin < /dev/zero", true, 30);
  EXPECT_EQ(2, run.exitCode) << run.out.substr(0, 200);
  EXPECT_TRUE(Has(run, "/dev/stdin:1: line longer than 64 KiB")) << run.out.substr(0, 200);
  std::ofstream(dir_.File("commands")) << "caret 1:0\nquit\n";
  run = RunXref("shell '" + doc_ + "' --script /dev/stdin < '" + dir_.File("commands") + "'", true, 30);
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "story 1 caret at 0")) << run.out;
}

// A lookup opens the source's document with a window of its own; the shell
// still works on the user's document and saves only what the user named.
TEST_F(Shell, ASourceOpenedForALookupStaysOutOfTheWay) {
  std::ofstream(dir_.File("other.json")) << R"({"spreads": [{"pages": 1}], "stories": [
    {"frames": [{"page": 0, "columns": 40, "lines": 5}],
     "paragraphs": [{"runs": [{"sourceMarker": {"name": "Far"}}, "Far heading"]}]}]})";
  std::ofstream(dir_.File("user.json")) << R"({"spreads": [{"pages": 1}], "stories": [
    {"frames": [{"page": 0, "columns": 40, "lines": 5}],
     "paragraphs": [{"runs": ["See ", {"crossReference": {"source": "Far", "markup": "<paratext/>",
                                                          "document": "other.xrefdoc"}}]}]}]})";
  const std::string other = dir_.File("other.xrefdoc"), user = dir_.File("user.xrefdoc");
  ASSERT_EQ(0, RunXref("build '" + dir_.File("other.json") + "' -o '" + other + "'").exitCode);
  ASSERT_EQ(0, RunXref("build '" + dir_.File("user.json") + "' -o '" + user + "'").exitCode);
  const std::string otherBefore = FileBytes(other);
  std::ofstream(dir_.File("script.txt")) << "update-all\ncaret 0:0\ntype X\nsave\ndoc 1\ncaret 0:0\nquit\n";
  ProgramRun run = RunXref("shell '" + user + "' --script '" + dir_.File("script.txt") + "'", true);
  EXPECT_EQ(0, run.exitCode) << run.out;
  EXPECT_TRUE(Has(run, "> type X\nselection: user.xrefdoc story 0 caret at 1")) << run.out;
  EXPECT_TRUE(Has(run, "saved " + user)) << run.out;
  EXPECT_FALSE(Has(run, "saved " + other)) << run.out;
  EXPECT_TRUE(Has(run, "> doc 1\n")) << run.out;
  EXPECT_FALSE(Has(run, "error: doc takes")) << run.out;
  EXPECT_TRUE(Has(run, "> caret 0:0\nselection: other.xrefdoc story 0 caret at 0")) << run.out;
  EXPECT_EQ(otherBefore, FileBytes(other));
  EXPECT_NE(std::string::npos, RunXref("describe '" + user + "'").out.find("] XSee ")) << "typed into the user's";
}

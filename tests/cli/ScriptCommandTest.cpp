// xref script: documents changed only when the script ends well, script
// errors and runaway scripts reported as bad input, the documents a script
// builds alike to those xref build makes, and the sample scripts.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <cstdlib>
#include <filesystem>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <sstream>

namespace {
const char* kDescription = R"({
  "version": 1,
  "spreads": [{"pages": 2}],
  "stories": [
    {"frames": [{"page": 0, "columns": 30, "lines": 3}, {"page": 1, "columns": 30, "lines": 10}],
     "paragraphs": [
       {"runs": ["Overview", {"sourceMarker": {"name": "Intro"}}]},
       {"runs": ["Some text to fill the first page up."]},
       {"runs": ["Details", {"sourceMarker": {"name": "Details"}}]},
       {"runs": ["See ", {"crossReference": {"source": "Details", "format": "Page"}}, " and ",
                 {"crossReference": {"source": "Intro", "markup": "<paratext/> on <pagenum/>"}}, "."]},
       {"runs": ["Broken: ", {"crossReference": {"source": "Nowhere", "format": "Page"}}, "."]}
     ]}
  ]
})";

// The same description with the cross-references left out.
const char* kPlainDescription = R"({
  "version": 1,
  "spreads": [{"pages": 2}],
  "stories": [
    {"frames": [{"page": 0, "columns": 30, "lines": 3}, {"page": 1, "columns": 30, "lines": 10}],
     "paragraphs": [
       {"runs": ["Overview", {"sourceMarker": {"name": "Intro"}}]},
       {"runs": ["Some text to fill the first page up."]},
       {"runs": ["Details", {"sourceMarker": {"name": "Details"}}]},
       {"runs": ["See ", " and ", "."]},
       {"runs": ["Broken: ", "."]}
     ]}
  ]
})";

// Makes the cross-references of kDescription where its runs stood, in the
// same order, and composes them only at the end.
const char* kBuildScript = R"(var doc = app.documents[0];
var story = doc.stories[0];
function at(text, after) { return story.characters(story.contents.indexOf(text) + after); }
var made = [];
made.push(doc.crossReferences.add({text: at("See ", 4), sourceMarkerName: "Details", formatName: "page"}));
made.push(doc.crossReferences.add({text: at(" and .", 5), sourceMarkerName: "Intro",
                                   formatDefinition: "<paratext/> on <pagenum/>"}));
made.push(doc.crossReferences.add({text: at("Broken: ", 8), sourceMarkerName: "Nowhere", formatName: "Page"}));
for (var i = 0; i < made.length; i++) if (made[i].contents !== "") throw new Error("composed on creation");
for (var i = 0; i < made.length; i++) made[i].update();
)";

std::string Quote(const std::string& path) { return "'" + path + "'"; }

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The description without the lines naming the file.
std::string Described(const std::string& path) {
  ProgramRun run = RunXref("describe " + Quote(path), false);
  EXPECT_EQ(run.exitCode, 0) << run.out;
  std::istringstream in(run.out);
  std::string line, rest;
  while (std::getline(in, line))
    if (line.rfind("document: ", 0) != 0 && line.rfind("file: ", 0) != 0) rest += line + "\n";
  return rest;
}

class ScriptCommand : public ::testing::Test {
protected:
  void SetUp() override {
    WriteFile(dir_.File("doc.json"), kDescription);
    WriteFile(dir_.File("plain.json"), kPlainDescription);
    ASSERT_EQ(RunXref("build " + Quote(dir_.File("doc.json")) + " -o " + Quote(Doc())).exitCode, 0);
    ASSERT_EQ(RunXref("build " + Quote(dir_.File("plain.json")) + " -o " + Quote(Plain())).exitCode, 0);
  }
  std::string Doc() const { return dir_.File("doc.xrefdoc"); }
  std::string Plain() const { return dir_.File("plain.xrefdoc"); }
  std::string Script(const std::string& name, const std::string& source) {
    WriteFile(dir_.File(name), source);
    return dir_.File(name);
  }
  // Runs a script that changes the document before it goes wrong.
  ProgramRun ChangeThen(const std::string& trouble, const std::string& limits = "") {
    const std::string script = Script("trouble.js", "app.documents[0].sourceMarkers[0].name = 'Changed';\n" + trouble);
    return RunXref("script " + Quote(Doc()) + " " + Quote(script) + " --in-place " + limits, true, 60);
  }

  TempDir dir_;
};

TEST_F(ScriptCommand, BuildingCrossReferencesGivesWhatTheBuildGives) {
  const std::string script = Script("build.js", kBuildScript);
  const std::string out = dir_.File("made.xrefdoc");
  ProgramRun run = RunXref("script " + Quote(Plain()) + " " + Quote(script) + " -o " + Quote(out));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const std::string made = Described(out), built = Described(Doc());
  EXPECT_NE(built.find("page 2"), std::string::npos) << built;
  EXPECT_EQ(made, built);
}

TEST_F(ScriptCommand, AScriptErrorIsBadInputAndWritesNothing) {
  const std::string before = FileBytes(Doc());
  ProgramRun run = ChangeThen("var a = 1;\nnull.x;\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("trouble.js:3: TypeError"), std::string::npos) << run.out;
  EXPECT_EQ(FileBytes(Doc()), before);
  // The same change ending well is written.
  run = ChangeThen("");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(FileBytes(Doc()), before);
  EXPECT_NE(Described(Doc()).find("source marker \"Changed\""), std::string::npos);
}

TEST_F(ScriptCommand, ARunawayLoopIsStoppedAndWritesNothing) {
  const std::string before = FileBytes(Doc());
  ProgramRun run = ChangeThen("while (true) {}\n", "--time-limit 1");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("time limit of 1 s"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("no document was changed"), std::string::npos) << run.out;
  EXPECT_EQ(FileBytes(Doc()), before);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Doc()).parent_path()))
    files += entry.path().filename().string().find(".xref-save-") != std::string::npos;
  EXPECT_EQ(files, 0);
}

TEST_F(ScriptCommand, AnUnboundedAllocationIsStoppedAndWritesNothing) {
  const std::string before = FileBytes(Doc());
  ProgramRun run = ChangeThen("var a = [];\nwhile (true) a.push('some text to keep ' + a.length);\n",
                              "--memory-limit 32");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("out of memory"), std::string::npos) << run.out;
  EXPECT_EQ(FileBytes(Doc()), before);
}

TEST_F(ScriptCommand, MarkersOfAnotherCrossReferenceAndMarkedCharactersAreRefused) {
  const std::string before = FileBytes(Doc());
  const std::string steal = Script("steal.js", "var x = app.documents[0].crossReferences;\n"
                                               "x[0].startMarker = x[1].startMarker;\n");
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(steal) + " --in-place");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("startMarker: the marker belongs to another cross-reference"), std::string::npos) << run.out;
  const std::string stray = Script("stray.js", "var doc = app.documents[0];\n"
                                               "doc.crossReferenceStartMarkers.add({text: doc.crossReferences[1].location});\n");
  run = RunXref("script " + Quote(Doc()) + " " + Quote(stray) + " --in-place");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("add: the character already carries a marker"), std::string::npos) << run.out;
  EXPECT_EQ(FileBytes(Doc()), before);
  // A marker that belongs to no cross-reference, on a free character, is taken.
  const std::string free = Script("free.js", "var doc = app.documents[0];\n"
                                             "var m = doc.crossReferenceStartMarkers.add({text: doc.stories[0].characters(1)});\n"
                                             "print(m.crossReference === null);\n");
  run = RunXref("script " + Quote(Doc()) + " " + Quote(free), false);
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "true\n");
}

TEST_F(ScriptCommand, PreferencesChangeOnlyWhenTheScriptEndsWell) {
  const std::string prefs = dir_.File("prefs");
  const char* was = std::getenv("XREF_PREFS_DIR");
  const std::string saved = was ? was : "";
  setenv("XREF_PREFS_DIR", prefs.c_str(), 1);
  const std::string prefsFile = prefs + "/prefs.xrefprefs";
  ASSERT_EQ(RunXref("script " + Quote(Doc()) + " " + Quote(Script("ok.js", "print('ran');\n"))).exitCode, 0);
  const std::string start = FileBytes(prefsFile);
  ASSERT_FALSE(start.empty());
  const std::string off = "app.crossReferencePreferences.liveUpdates = false;\n";
  for (const std::string& options : {std::string(), std::string(" --in-place")}) {
    ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(Script("fail.js", off + "throw new Error('x');\n")) +
                             options);
    EXPECT_EQ(run.exitCode, 2) << run.out;
    EXPECT_EQ(FileBytes(prefsFile), start) << options;
  }
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(Script("off.js", off)));
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(FileBytes(prefsFile), start);
  if (was) setenv("XREF_PREFS_DIR", saved.c_str(), 1);
  else unsetenv("XREF_PREFS_DIR");
}

TEST_F(ScriptCommand, UsageErrors) {
  const std::string script = Script("ok.js", "print('ran');\n");
  EXPECT_EQ(RunXref("script " + Quote(script)).exitCode, 2);
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(dir_.File("missing.js")));
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("missing.js"), std::string::npos) << run.out;
  run = RunXref("script " + Quote(Doc()) + " " + Quote(Plain()) + " " + Quote(script) + " -o " +
                Quote(dir_.File("x.xrefdoc")));
  EXPECT_EQ(run.exitCode, 2) << run.out;
  run = RunXref("script " + Quote(dir_.File("nothing.xrefdoc")) + " " + Quote(script));
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("nothing.xrefdoc"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("ran"), std::string::npos) << run.out;
}

TEST_F(ScriptCommand, SampleScripts) {
  const std::string samples = std::string(XREF_SOURCE_DIR) + "/samples/scripts/";
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(samples + "list-broken.js"), false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("to \"Nowhere\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("1 of 3 cross-references broken"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("to \"Intro\""), std::string::npos) << run.out;

  run = RunXref("script " + Quote(Doc()) + " " + Quote(samples + "rename-format.js") + " --in-place", false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("used by 2 cross-references"), std::string::npos) << run.out;
  const std::string described = Described(Doc());
  EXPECT_EQ(described.find("format \"Page\""), std::string::npos) << described;
  EXPECT_NE(described.find("text: \"p. 2\""), std::string::npos) << described;
}

// Sources in other documents are opened as an update opens them, so that
// list-broken.js does not call a sound external reference broken.
TEST_F(ScriptCommand, ExternalSourcesAreFoundAsAnUpdateFindsThem) {
  for (const char* name : {"chapter", "book"}) {
    WriteFile(dir_.File(std::string(name) + ".json"),
              FileBytes(std::string(XREF_SOURCE_DIR) + "/samples/workflow/" + name + ".json"));
    ASSERT_EQ(0, RunXref("build " + Quote(dir_.File(std::string(name) + ".json")) + " -o " +
                         Quote(dir_.File(std::string(name) + ".xrefdoc"))).exitCode);
  }
  const std::string samples = std::string(XREF_SOURCE_DIR) + "/samples/scripts/";
  ProgramRun run = RunXref("script " + Quote(dir_.File("book.xrefdoc")) + " " + Quote(samples + "list-broken.js"), false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("book.xrefdoc: 0 of 1 cross-references broken"), std::string::npos) << run.out;
}

// Outputs are written as every save is: the mode kept, and no FIFO,
// device or link replaced by a plain file.
TEST_F(ScriptCommand, OutputsAreSavedSafely) {
  const std::string script = Script("rename.js", "app.documents[0].sourceMarkers[0].name = 'Changed';\n");
  ASSERT_EQ(0, ::chmod(Doc().c_str(), 0600));
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(script) + " --in-place");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  struct stat st {};
  ASSERT_EQ(0, ::stat(Doc().c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);

  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  for (const std::string& out : {fifo, std::string("/dev/null")}) {
    run = RunXref("script " + Quote(Doc()) + " " + Quote(script) + " -o " + Quote(out), true, 60);
    EXPECT_EQ(run.exitCode, 2) << run.out;
    EXPECT_NE(run.out.find(out + ": not a regular file"), std::string::npos) << run.out;
    ASSERT_EQ(0, ::lstat(out.c_str(), &st));
    EXPECT_FALSE(S_ISREG(st.st_mode)) << out;
  }
  // A link to nowhere yet stays a link; the file appears where it points.
  const std::string link = dir_.File("link.xrefdoc");
  ASSERT_EQ(0, ::symlink("made.xrefdoc", link.c_str()));
  run = RunXref("script " + Quote(Doc()) + " " + Quote(script) + " -o " + Quote(link));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  ASSERT_EQ(0, ::lstat(link.c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(Described(dir_.File("made.xrefdoc")).find("source marker \"Changed\""), std::string::npos);
}

namespace {
// The children of a process, from /proc; empty when it has none (yet).
std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<pid_t> children;
  for (pid_t child; in >> child;) children.push_back(child);
  return children;
}

// True when the process is gone or a zombie, within a few seconds.
bool Ends(pid_t pid) {
  for (int i = 0; i < 100; ++i) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const size_t close = line.rfind(')');
    if (close != std::string::npos && line.size() > close + 2 && line[close + 2] == 'Z') return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// Starts `xref script DOC SCRIPT --in-place` running forever; answers the
// program's process and its script's child process.
std::pair<pid_t, pid_t> StartEndlessScript(const std::string& doc, const std::string& script, int* output) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {-1, -1};
  const pid_t program = ::fork();
  if (program == 0) {
    ::dup2(pipeFds[1], 2);
    ::close(pipeFds[0]);
    ::execl(XREF_BINARY, XREF_BINARY, "script", doc.c_str(), script.c_str(), "--in-place", "--time-limit", "60",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  *output = pipeFds[0];
  for (int i = 0; i < 400; ++i) {
    const std::vector<pid_t> children = ChildrenOf(program);
    if (!children.empty()) return {program, children.front()};
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return {program, -1};
}

std::string Drain(int fd) {
  std::string text;
  char buf[512];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  ::close(fd);
  return text;
}
}  // namespace

// The script's process dies with the program, and one killed from outside
// is not said to have run out of time.
TEST_F(ScriptCommand, TheScriptsProcessEndsWithTheProgram) {
  const std::string script = Script("endless.js", "while (true) {}\n");
  int output = -1;
  auto [program, child] = StartEndlessScript(Doc(), script, &output);
  ASSERT_GT(child, 0);
  ASSERT_EQ(0, ::kill(child, SIGKILL));
  int status = 0;
  ASSERT_EQ(program, ::waitpid(program, &status, 0));
  EXPECT_EQ(2, WEXITSTATUS(status));
  const std::string message = Drain(output);
  EXPECT_EQ(message.find("time limit"), std::string::npos) << message;
  EXPECT_NE(message.find("stopped by signal"), std::string::npos) << message;

  std::tie(program, child) = StartEndlessScript(Doc(), script, &output);
  ASSERT_GT(child, 0);
  ASSERT_EQ(0, ::kill(program, SIGKILL));
  ::waitpid(program, &status, 0);
  EXPECT_TRUE(Ends(child)) << "the script's process ran on";
  if (!Ends(child)) ::kill(child, SIGKILL);
  ::close(output);
}
}  // namespace

TEST_F(ScriptCommand, ACrossReferenceInsideAnotherOnesTextIsRefused) {
  const std::string before = FileBytes(Doc());
  // One past the start marker of the reference after "See ".
  const std::string script = Script("inside.js", R"(var story = app.documents[0].stories[0];
app.documents[0].crossReferences.add({text: story.characters(story.contents.indexOf("See ") + 5),
                                      sourceMarkerName: "Intro", formatName: "Page"});
)");
  ProgramRun run = RunXref("script " + Quote(Doc()) + " " + Quote(script) + " --in-place");
  EXPECT_EQ(2, run.exitCode) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("inside the text of a cross-reference")) << run.out;
  EXPECT_EQ(before, FileBytes(Doc()));
}

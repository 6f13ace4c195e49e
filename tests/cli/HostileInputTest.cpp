// The program against hostile or unlucky input: special files, damaged
// documents, numbers out of range, unknown commands. Every run has a
// deadline, and every failure exits 2 with a message naming the cause.
#include "headless/database/DocumentFile.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IFootnote.h"
#include "host/LayoutIDs.h"
#include "tests/support/ForgedFile.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>
#include <thread>
#include <sys/stat.h>

namespace {
const int kDeadline = 30;

std::string Quote(const std::string& s) { return "'" + s + "'"; }

std::string Sample() { return Quote(std::string(XREF_SOURCE_DIR) + "/samples/sample.json"); }

// A saved document whose story names its own footnote as its parent, with
// every checksum right.
void SaveCyclicDocument(const std::string& path) {
  TestApp app;
  DataBase* db = app->NewDocument();
  LayoutBuilder layout(db);
  layout.AddSpread(1);
  UID story = MakeStory(db, "some text here");
  layout.AddTextFrame(layout.PageUID(0), story, 20, 4);
  UID note = layout.AddFootnote(story, 4, WideString::FromUTF8("note"));
  ForgedFile f = ForgedFile::From(DocumentFile::Serialize(*db, DocumentFile::kDocument));
  std::string parent;
  for (int i = 0; i < 4; ++i) parent.push_back(static_cast<char>((UIDValue(note) >> (8 * i)) & 0xFF));
  f.SetBody(f.Impl(story, kHierarchyImpl), parent);
  std::ofstream(path, std::ios::binary) << f.Bytes();
}
}  // namespace

TEST(HostileInput, ACyclicDocumentIsRefusedNotCrashedOn) {
  TempDir dir;
  const std::string doc = dir.File("cyclic.xrefdoc");
  SaveCyclicDocument(doc);
  for (const std::string& args : {"describe " + Quote(doc), "preview --doc " + Quote(doc) + " --source x '<pagenum/>'"}) {
    ProgramRun r = RunXref(args, true, kDeadline);
    EXPECT_EQ(2, r.exitCode) << args << "\n" << r.out;
    EXPECT_NE(std::string::npos, r.out.find("loops")) << r.out;
  }
}

TEST(HostileInput, SpecialFilesAreNeitherReadNorReplaced) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  ProgramRun r = RunXref("describe " + Quote(fifo), true, kDeadline);
  EXPECT_EQ(2, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("not a regular file")) << r.out;
  r = RunXref("describe " + Quote(dir.File("")), true, kDeadline);
  EXPECT_EQ(2, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("is a directory")) << r.out;
  r = RunXref("build " + Quote(fifo) + " -o " + Quote(dir.File("x.xrefdoc")), true, kDeadline);
  EXPECT_EQ(2, r.exitCode) << r.out;

  r = RunXref("build " + Sample() + " -o " + Quote(fifo), true, kDeadline);
  EXPECT_EQ(2, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos, r.out.find(fifo)) << r.out;
  struct stat st {};
  ASSERT_EQ(0, ::lstat(fifo.c_str(), &st));
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(HostileInput, SavingKeepsTheModeAndTheLink) {
  TempDir dir;
  const std::string doc = dir.File("doc.xrefdoc"), link = dir.File("link.xrefdoc");
  ASSERT_EQ(0, RunXref("build " + Sample() + " -o " + Quote(doc), true, kDeadline).exitCode);
  ASSERT_EQ(0, ::chmod(doc.c_str(), 0600));
  ASSERT_EQ(0, ::symlink(doc.c_str(), link.c_str()));
  ProgramRun r = RunXref("build " + Sample() + " -o " + Quote(link), true, kDeadline);
  ASSERT_EQ(0, r.exitCode) << r.out;
  struct stat st {};
  ASSERT_EQ(0, ::lstat(link.c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(0, ::stat(doc.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);
}

TEST(HostileInput, NumbersOutOfRangeAndWrongTypesAreDescriptionErrors) {
  TempDir dir;
  const std::string desc = dir.File("d.json");
  const std::string huge(5000, '7');
  struct Case {
    std::string json, message;
  } cases[] = {
      {"{\"spreads\": [{\"pages\": 1e400}]}", "line 1, column"},
      {"{\"spreads\": [{\"pages\": -1e400}]}", "line 1, column"},
      {"{\"spreads\": [{\"pages\": " + huge + "}]}", "line 1, column"},
      {"{\"spreads\": [{}], \"stories\": [{\"frames\": [{\"page\": 0, \"columns\": \"twelve\"}]}]}",
       "stories[0].frames[0].columns"},
      {"{\"spreads\": [{}], \"stories\": [{\"frames\": [{\"page\": 0, \"x\": \"left\"}]}]}", "stories[0].frames[0].x"},
      {"{\"swatches\": [{\"name\": 5}]}", "swatches[0].name"},
  };
  for (const Case& c : cases) {
    std::ofstream(desc, std::ios::trunc) << c.json;
    for (const std::string& args : {"build " + Quote(desc) + " -o " + Quote(dir.File("d.xrefdoc")),
                                    "preview --doc " + Quote(desc) + " --source x '<pagenum/>'",
                                    "sample " + Quote(desc) + " --output " + Quote(dir.File("s"))}) {
      ProgramRun r = RunXref(args, true, kDeadline);
      EXPECT_EQ(2, r.exitCode) << args << "\n" << c.json.substr(0, 80) << "\n" << r.out;
      EXPECT_NE(std::string::npos, r.out.find(c.message)) << r.out;
    }
  }
}

TEST(HostileInput, AnUnknownCommandIsNamed) {
  ProgramRun r = RunXref("frob", true, kDeadline);
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.out.find("unknown command 'frob'")) << r.out;
}

namespace {
// A document big enough that reading, changing and saving it takes a while.
std::string BuildLargeDocument(TempDir& dir, int paragraphs) {
  std::string json = R"({"spreads": [{"pages": 1}], "stories": [{"frames": [{"page": 0, "columns": 60, "lines": 40}],
    "paragraphs": [{"runs": [{"sourceMarker": {"name": "Start"}}, "Heading"]})";
  for (int i = 0; i < paragraphs; ++i)
    json += R"(, {"runs": ["Paragraph )" + std::to_string(i) + R"( with words enough to make the text long."]})";
  json += "]}]}";
  std::ofstream(dir.File("large.json")) << json;
  const std::string doc = dir.File("large.xrefdoc");
  EXPECT_EQ(0, RunXref("build " + Quote(dir.File("large.json")) + " -o " + Quote(doc), true, 120).exitCode);
  return doc;
}
}  // namespace

// Two processes write one document at once: the second waits for the
// first, so both changes arrive; were it to give up, it would say so, and
// the first change would stand. A change is never lost without a word.
TEST(HostileInput, TwoWritersOfOneDocumentLoseNoChange) {
  TempDir dir;
  const std::string doc = BuildLargeDocument(dir, 8000);
  ProgramRun first, second;
  std::thread adding([&] { first = RunXref("formats " + Quote(doc) + " --add Added '<pagenum/>' --in-place", true, 120); });
  second = RunXref("rename-marker " + Quote(doc) + " Start Renamed --in-place", true, 120);
  adding.join();
  EXPECT_EQ(0, first.exitCode) << first.out;
  const ProgramRun formats = RunXref("formats " + Quote(doc), true, kDeadline);
  EXPECT_NE(std::string::npos, formats.out.find("Added\t<pagenum/>")) << formats.out;
  const ProgramRun described = RunXref("describe " + Quote(doc), true, kDeadline);
  if (second.exitCode == 0) {
    EXPECT_NE(std::string::npos, described.out.find("source marker \"Renamed\"")) << second.out;
  } else {
    EXPECT_EQ(2, second.exitCode);
    EXPECT_NE(std::string::npos, second.out.find(doc)) << second.out;
    EXPECT_NE(std::string::npos, second.out.find("another xref process")) << second.out;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File(".large.xrefdoc.xref-lock")));
}

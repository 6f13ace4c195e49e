// The program's document workflow: list, check, update, insert, modify,
// relink, to-text and rename-marker, with where changed documents go.
#include "headless/layout/LayoutBuilder.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {
// The program numbers stories by their place in the story list.
int32 StoryNumberIn(IDataBase* db, UID story) {
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i)
    if (stories->GetNthStoryUID(i) == story) return i;
  return -1;
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

class CrossRefWorkflow : public ::testing::Test {
protected:
  // A document with a laid-out story per text, saved at the path.
  DataBase* NewDoc(const std::vector<std::string>& texts, std::vector<UID>* stories) {
    DataBase* db = app_->NewDocument();
    LayoutBuilder layout(db);
    layout.AddSpread(1);
    int y = 0;
    for (const std::string& text : texts) {
      stories->push_back(MakeStory(db, text));
      layout.AddTextFrame(layout.PageUID(0), stories->back(), 40, 4, 0, y);
      y += 100;
    }
    return db;
  }
  void Save(DataBase* db, const std::string& path) {
    std::string error;
    ASSERT_TRUE(app_->SaveDocumentAs(db, path, &error)) << error;
  }
  UID Insert(DataBase* db, UID story, TextIndex at, const std::string& marker, const std::string& format,
             const std::string& source = "") {
    CrossRefRequest r;
    r.start = at;
    r.marker = marker;
    r.format = format;
    if (!source.empty()) r.source = IDFile(source);
    return InsertCrossRef(db, story, r);
  }

  // Source "chapter": heading "Setup" with marker Setup. Book: a local
  // reference to "Top", one to Setup in the chapter, and whatever a test adds.
  void MakeBook() {
    std::vector<UID> stories;
    DataBase* chapter = NewDoc({"Setup\rMore"}, &stories);
    InsertMarker(chapter, stories[0], 0, "Setup");
    Save(chapter, Chapter());
    stories.clear();
    book_ = NewDoc({"Top of the book", "See . Also ."}, &stories);
    top_ = stories[0];
    body_ = stories[1];
    InsertMarker(book_, top_, 0, "Top");
    local_ = Insert(book_, body_, 4, "Top", "<paratext/>");
    external_ = Insert(book_, body_, CrossRef(book_, local_)->GetEndIndex() + 8, "Setup", "<paratext/>", Chapter());
    ASSERT_EQ("Top of the book", CurrentText(book_, local_));
    ASSERT_EQ("Setup", CurrentText(book_, external_));
    app_->CloseDocument(chapter);
  }
  std::string Chapter() const { return dir_.File("chapter.xrefdoc"); }
  std::string Book() const { return dir_.File("book.xrefdoc"); }
  ProgramRun Xref(const std::string& args, bool mergeStderr = true) { return RunXref(args, mergeStderr); }

  TempDir dir_;
  TestApp app_;
  DataBase* book_ = nullptr;
  UID top_ = kInvalidUID, body_ = kInvalidUID, local_ = kInvalidUID, external_ = kInvalidUID;
};
}  // namespace

TEST_F(CrossRefWorkflow, CheckReportsEachProblemOnceAndUpdateClearsTheStaleOne) {
  MakeBook();
  // Broken locally, into a missing document, failing to compose, and stale.
  Insert(book_, body_, 0, "Nowhere", "<paratext/>");
  Insert(book_, body_, 0, "Top", "<paratext/>", dir_.File("missing.xrefdoc"));
  Insert(book_, body_, 0, "Top", "[<paranum/>]");
  ASSERT_EQ(kSuccess, Process(CmdsOf(book_, top_)->InsertCmd(1, WideString(u"X"))));
  Save(book_, Book());
  const std::string saved = FileBytes(Book());

  ProgramRun check = Xref("check " + Quote(Book()) + " --json", false);
  ASSERT_EQ(1, check.exitCode) << check.out;
  auto report = nlohmann::json::parse(check.out);
  EXPECT_FALSE(report["ok"].get<bool>());
  auto findings = report["documents"][0]["findings"];
  std::multiset<std::string> kinds;
  for (auto& f : findings) kinds.insert(f["kind"].get<std::string>());
  EXPECT_EQ((std::multiset<std::string>{"broken", "broken", "failed", "stale"}), kinds) << check.out;
  for (auto& f : findings) {
    EXPECT_FALSE(f["message"].get<std::string>().empty());
    EXPECT_TRUE(f.contains("page") && f.contains("story") && f.contains("index") && f.contains("text"));
    if (f["kind"] == "stale") {
      EXPECT_EQ("Top of the book", f["text"].get<std::string>());
      EXPECT_EQ(StoryNumberIn(book_, body_), f["story"].get<int32>());
    }
  }
  EXPECT_EQ(5, report["documents"][0]["crossReferences"].get<int>());
  // The check writes nothing.
  EXPECT_EQ(saved, FileBytes(Book()));

  ProgramRun update = Xref("update " + Quote(Book()) + " --in-place");
  EXPECT_EQ(1, update.exitCode) << update.out;  // two stay broken, one fails
  EXPECT_NE(std::string::npos, update.out.find("5 cross-references, 1 changed, 1 failed, 2 broken")) << update.out;
  check = Xref("check " + Quote(Book()) + " --json", false);
  findings = nlohmann::json::parse(check.out)["documents"][0]["findings"];
  kinds.clear();
  for (auto& f : findings) kinds.insert(f["kind"].get<std::string>());
  EXPECT_EQ((std::multiset<std::string>{"broken", "broken", "failed"}), kinds) << check.out;
}

TEST_F(CrossRefWorkflow, AStaleExternalReferenceIsFoundAndAnUpdateMakesTheCheckPass) {
  MakeBook();
  Save(book_, Book());
  ProgramRun check = Xref("check " + Quote(Book()));
  ASSERT_EQ(0, check.exitCode) << check.out;

  // The chapter's heading changes while the book is closed.
  std::string error;
  DataBase* chapter = app_->OpenDocument(Chapter(), &error);
  ASSERT_TRUE(chapter) << error;
  InterfacePtr<IXRefSourceMarker> marker(MarkerList(chapter)->QueryMarkerByName(PMString("Setup")));
  ASSERT_EQ(kSuccess, Process(CmdsOf(chapter, marker->GetStoryRef().GetUID())->InsertCmd(1, WideString(u"Quick "))));
  ASSERT_TRUE(app_->SaveDocument(chapter, &error)) << error;
  app_->CloseDocument(chapter);

  check = Xref("check " + Quote(Book()));
  EXPECT_EQ(1, check.exitCode) << check.out;
  EXPECT_NE(std::string::npos, check.out.find("stale: \"Setup\"")) << check.out;
  EXPECT_NE(std::string::npos, check.out.find("Quick Setup")) << check.out;

  ProgramRun update = Xref("update " + Quote(Book()) + " -o " + Quote(dir_.File("out.xrefdoc")));
  EXPECT_EQ(0, update.exitCode) << update.out;
  EXPECT_EQ(0, Xref("check " + Quote(dir_.File("out.xrefdoc"))).exitCode);
  ProgramRun list = Xref("list " + Quote(dir_.File("out.xrefdoc")), false);
  EXPECT_NE(std::string::npos, list.out.find("text \"Quick Setup\"")) << list.out;
  EXPECT_NE(std::string::npos, list.out.find("[page 1]")) << list.out;
}

TEST_F(CrossRefWorkflow, WhereChangesGoIsCheckedBeforeAnythingIsWritten) {
  MakeBook();
  Save(book_, Book());
  const std::string saved = FileBytes(Book());
  EXPECT_EQ(2, Xref("update " + Quote(Book())).exitCode);
  EXPECT_EQ(2, Xref("update " + Quote(Book()) + " " + Quote(Chapter()) + " -o " + Quote(dir_.File("x"))).exitCode);
  EXPECT_EQ(2, Xref("update " + Quote(Book()) + " -o x --in-place").exitCode);
  EXPECT_EQ(2, Xref("to-text " + Quote(Book()) + " --at 99:0 --in-place").exitCode);
  EXPECT_EQ(2, Xref("insert " + Quote(Book()) + " --at nonsense --source Top --markup x --in-place").exitCode);
  EXPECT_EQ(2, Xref("insert " + Quote(Book()) + " --at 3:0 --source Top --format Unknown --in-place").exitCode);
  EXPECT_EQ(2, Xref("rename-marker " + Quote(Book()) + " Nowhere Else --in-place").exitCode);
  EXPECT_EQ(2, Xref("relink " + Quote(Book()) + " --from /no/such --to /x --in-place").exitCode);
  EXPECT_EQ(saved, FileBytes(Book()));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("x")));
  ProgramRun missing = Xref("check " + Quote(dir_.File("none.xrefdoc")));
  EXPECT_EQ(2, missing.exitCode);
  EXPECT_NE(std::string::npos, missing.out.find("none.xrefdoc")) << missing.out;
}

TEST_F(CrossRefWorkflow, InsertModifyRelinkAndToTextChangeTheDocumentAsAsked) {
  MakeBook();
  Save(book_, Book());
  const std::string story = std::to_string(StoryNumberIn(book_, body_));
  ProgramRun insert = Xref("insert " + Quote(Book()) + " --at " + story + ":0 --source Top --markup '[<paratext/>]'" +
                           " --hyperlink --in-place");
  ASSERT_EQ(0, insert.exitCode) << insert.out;
  EXPECT_NE(std::string::npos, insert.out.find("\"[Top of the book]\"")) << insert.out;
  ProgramRun described = Xref("describe " + Quote(Book()));
  EXPECT_NE(std::string::npos, described.out.find("hyperlink \"[Top of the book]\": story " + story + " from 0"))
      << described.out;
  EXPECT_NE(std::string::npos, described.out.find("hyperlink destination \"Top\"")) << described.out;

  ProgramRun modify = Xref("modify " + Quote(Book()) + " --at " + story + ":1 --markup '<paratext/>!' --in-place");
  ASSERT_EQ(0, modify.exitCode) << modify.out;
  described = Xref("describe " + Quote(Book()));
  EXPECT_EQ(std::string::npos, described.out.find("hyperlink \"")) << described.out;

  const std::string moved = dir_.File("moved.xrefdoc");
  std::filesystem::copy_file(Chapter(), moved);
  ProgramRun relink = Xref("relink " + Quote(Book()) + " --from " + Quote(Chapter()) + " --to " + Quote(moved) +
                           " --in-place");
  ASSERT_EQ(0, relink.exitCode) << relink.out;
  ProgramRun list = Xref("list " + Quote(Book()) + " --json", false);
  auto entries = nlohmann::json::parse(list.out)["crossReferences"];
  ASSERT_EQ(3u, entries.size());
  EXPECT_EQ(moved, entries[2]["source"]["document"].get<std::string>());
  EXPECT_EQ("Setup", entries[2]["source"]["marker"].get<std::string>());
  // The source document is opened to look the marker up, so it is found.
  EXPECT_EQ(0, entries[2]["sourceState"].get<int>()) << list.out;

  ProgramRun toText = Xref("to-text " + Quote(Book()) + " --all -o " + Quote(dir_.File("plain.xrefdoc")));
  ASSERT_EQ(0, toText.exitCode) << toText.out;
  list = Xref("list " + Quote(dir_.File("plain.xrefdoc")), false);
  EXPECT_EQ("", list.out);
  described = Xref("describe " + Quote(dir_.File("plain.xrefdoc")));
  EXPECT_NE(std::string::npos, described.out.find("Top of the book!See Top of the book. Also Setup.")) << described.out;
}

TEST_F(CrossRefWorkflow, RenamingAMarkerWithItsReferencesKeepsThemSound) {
  MakeBook();
  Insert(book_, body_, 0, "Top", "<marker/>: ");
  Save(book_, Book());
  ProgramRun rename = Xref("rename-marker " + Quote(Book()) + " Top Summit --update-references --in-place");
  ASSERT_EQ(0, rename.exitCode) << rename.out;
  ProgramRun list = Xref("list " + Quote(Book()), false);
  EXPECT_NE(std::string::npos, list.out.find("text \"Summit: \"")) << list.out;
  EXPECT_EQ(0, Xref("check " + Quote(Book())).exitCode);

  // Without the references, they break.
  rename = Xref("rename-marker " + Quote(Book()) + " Summit Peak --in-place");
  ASSERT_EQ(0, rename.exitCode) << rename.out;
  ProgramRun check = Xref("check " + Quote(Book()));
  EXPECT_EQ(1, check.exitCode);
  EXPECT_NE(std::string::npos, check.out.find("broken")) << check.out;
}

TEST_F(CrossRefWorkflow, ABrokenReferenceIsAnUpdateFindingAndQuotesOfOneKindAreNoCheckFinding) {
  MakeBook();
  const UID quoted = Insert(book_, body_, 0, "Top", "\"<paratext/>\"");
  Save(book_, Book());
  ASSERT_EQ(0, Xref("check " + Quote(Book())).exitCode);
  // The straight opening quote in the story becomes a curly one.
  const TextIndex open = CrossRef(book_, quoted)->GetStartIndex();
  ASSERT_EQ(kSuccess, Process(CmdsOf(book_, body_)->InsertCmd(open, WideString(u"\u201C"))));
  ASSERT_EQ(kSuccess, Process(CmdsOf(book_, body_)->DeleteCmd(open + 1, 1)));
  ASSERT_EQ("\u201CTop of the book\"", CurrentText(book_, quoted));
  Save(book_, Book());
  ProgramRun check = Xref("check " + Quote(Book()));
  EXPECT_EQ(0, check.exitCode) << check.out;

  // One broken reference alone makes the update a finding.
  Insert(book_, body_, 0, "Nowhere", "<paratext/>");
  Save(book_, Book());
  ProgramRun update = Xref("update " + Quote(Book()) + " --in-place");
  EXPECT_EQ(1, update.exitCode) << update.out;
  EXPECT_NE(std::string::npos, update.out.find("0 failed, 1 broken")) << update.out;
}

TEST_F(CrossRefWorkflow, RefusedInsertionsAndConversionsLeaveTheFileAsItWas) {
  MakeBook();
  ASSERT_NE(kInvalidUID, Insert(book_, top_, 0, "Top", "<paratext/>"));
  InterfacePtr<IStoryLock>(book_, top_, IID_ISTORYLOCK)->SetLocked(true);
  Save(book_, Book());
  const std::string saved = FileBytes(Book());
  const std::string story = std::to_string(StoryNumberIn(book_, body_));
  // Index 6 lies inside the text of the local reference (markers at 4 and 20).
  ProgramRun inside = Xref("insert " + Quote(Book()) + " --at " + story + ":6 --source Top --markup x --in-place");
  EXPECT_EQ(2, inside.exitCode) << inside.out;
  EXPECT_NE(std::string::npos, inside.out.find("inside the text of a cross-reference")) << inside.out;
  ProgramRun link = Xref("insert " + Quote(Book()) + " --at " + story + ":0 --source Setup --source-doc " +
                         Quote(Chapter()) + " --markup x --hyperlink --in-place");
  EXPECT_EQ(2, link.exitCode) << link.out;
  EXPECT_NE(std::string::npos, link.out.find("cannot lead into another document")) << link.out;
  ProgramRun toText = Xref("to-text " + Quote(Book()) + " --all --in-place");
  EXPECT_EQ(2, toText.exitCode) << toText.out;
  EXPECT_NE(std::string::npos, toText.out.find("is locked")) << toText.out;
  ProgramRun action = Xref("action " + Quote(Book()) + " convert-all");
  EXPECT_EQ(1, action.exitCode) << action.out;
  EXPECT_NE(std::string::npos, action.out.find("is locked")) << action.out;
  EXPECT_EQ(saved, FileBytes(Book()));
}

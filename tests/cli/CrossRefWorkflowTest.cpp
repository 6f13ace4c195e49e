// The program's document workflow: list, check, update, insert, modify,
// relink, to-text and rename-marker, with where changed documents go.
#include "headless/layout/LayoutBuilder.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
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
  // The chapter's heading gains "Quick " while it is closed.
  void ReviseChapter(const std::string& path) {
    std::string error;
    DataBase* chapter = app_->OpenDocument(path, &error);
    ASSERT_TRUE(chapter) << error;
    InterfacePtr<IXRefSourceMarker> marker(MarkerList(chapter)->QueryMarkerByName(PMString("Setup")));
    ASSERT_EQ(kSuccess, Process(CmdsOf(chapter, marker->GetStoryRef().GetUID())->InsertCmd(1, WideString(u"Quick "))));
    ASSERT_TRUE(app_->SaveDocument(chapter, &error)) << error;
    app_->CloseDocument(chapter);
  }
  // (document, kind) of every finding of a check of the documents in order.
  std::multiset<std::pair<std::string, std::string>> Findings(const std::vector<std::string>& docs) {
    std::string args;
    for (const std::string& d : docs) args += " " + Quote(d);
    ProgramRun check = Xref("check" + args + " --json", false);
    std::multiset<std::pair<std::string, std::string>> found;
    const nlohmann::json report = nlohmann::json::parse(check.out);
    for (auto& doc : report["documents"])
      for (auto& f : doc["findings"]) found.insert({doc["document"].get<std::string>(), f["kind"].get<std::string>()});
    return found;
  }
  // What check finds before an update is what the update then does: the
  // stale cross-references are the ones whose text changes, and both count
  // the same broken, failed and locked ones.
  void ExpectCheckAndUpdateAgree(const std::string& doc) {
    SCOPED_TRACE(doc);
    const std::string out = dir_.File("updated.xrefdoc");
    auto before = nlohmann::json::parse(Xref("list " + Quote(doc) + " --json", false).out)["crossReferences"];
    auto findings = nlohmann::json::parse(Xref("check " + Quote(doc) + " --json", false).out)["documents"][0]["findings"];
    ProgramRun update = Xref("update " + Quote(doc) + " -o " + Quote(out));
    auto after = nlohmann::json::parse(Xref("list " + Quote(out) + " --json", false).out)["crossReferences"];
    ASSERT_EQ(before.size(), after.size());
    std::set<size_t> stale, changed;
    std::map<std::string, int> kinds;
    for (auto& f : findings) {
      ++kinds[f["kind"].get<std::string>()];
      for (size_t i = 0; i < before.size(); ++i)
        if (f["kind"] == "stale" && before[i]["story"] == f["story"] && before[i]["index"] == f["index"]) stale.insert(i);
    }
    for (size_t i = 0; i < before.size(); ++i)
      if (before[i]["text"] != after[i]["text"]) changed.insert(i);
    EXPECT_EQ(stale, changed) << update.out;
    EXPECT_NE(std::string::npos, update.out.find(std::to_string(before.size()) + " cross-references, " +
                                                 std::to_string(changed.size()) + " changed, " +
                                                 std::to_string(kinds["failed"]) + " failed, " +
                                                 std::to_string(kinds["broken"]) + " broken, " +
                                                 std::to_string(kinds["locked"]) + " locked"))
        << update.out;
    // What an update cannot mend is a finding for it too.
    EXPECT_EQ(kinds["failed"] + kinds["broken"] + kinds["locked"] > 0 ? 1 : 0, update.exitCode) << update.out;
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

TEST_F(CrossRefWorkflow, CheckJudgesEveryDocumentAsItIsWhateverTheOrder) {
  // The notes quote the book's paragraph that holds its external reference,
  // which goes stale when the chapter changes.
  MakeBook();
  InsertMarker(book_, body_, 0, "Body");
  Save(book_, Book());
  std::vector<UID> stories;
  DataBase* notes = NewDoc({"Notes: "}, &stories);
  Insert(notes, stories[0], 7, "Body", "<paratext/>", Book());
  Save(notes, dir_.File("notes.xrefdoc"));
  ReviseChapter(Chapter());
  const std::multiset<std::pair<std::string, std::string>> expected{{Book(), "stale"}};
  EXPECT_EQ(expected, Findings({Book(), dir_.File("notes.xrefdoc")}));
  EXPECT_EQ(expected, Findings({dir_.File("notes.xrefdoc"), Book()}));
  EXPECT_EQ(expected, Findings({Book()}));
}

TEST_F(CrossRefWorkflow, CheckAndUpdateAgreeOnGeneratedAndSampleDocuments) {
  MakeBook();
  // Broken twice, failing, and stale twice.
  Insert(book_, body_, 0, "Nowhere", "<paratext/>");
  Insert(book_, body_, 0, "Top", "<paratext/>", dir_.File("missing.xrefdoc"));
  Insert(book_, body_, 0, "Top", "[<paranum/>]");
  Insert(book_, body_, 0, "Top", "<paratext/> ");
  ASSERT_EQ(kSuccess, Process(CmdsOf(book_, top_)->InsertCmd(1, WideString(u"X"))));
  Save(book_, Book());
  EXPECT_EQ((std::multiset<std::pair<std::string, std::string>>{
                {Book(), "broken"}, {Book(), "broken"}, {Book(), "failed"}, {Book(), "stale"}, {Book(), "stale"}}),
            Findings({Book()}));
  EXPECT_NE(std::string::npos, Xref("check " + Quote(Book())).out.find("missing.xrefdoc\" cannot be found"));
  ExpectCheckAndUpdateAgree(Book());

  // In a locked story a current cross-reference is sound; a stale one is
  // reported as locked, and neither is touched.
  std::vector<UID> stories;
  DataBase* locked = NewDoc({"Top", "Locked: "}, &stories);
  InsertMarker(locked, stories[0], 0, "Top");
  Insert(locked, stories[1], 8, "Top", "<marker/>");
  Insert(locked, stories[1], 8, "Top", "<paratext/>");
  ASSERT_EQ(kSuccess, Process(CmdsOf(locked, stories[0])->InsertCmd(1, WideString(u"X"))));
  SetLocked(locked, stories[1], true);
  const std::string lockedPath = dir_.File("locked.xrefdoc");
  Save(locked, lockedPath);
  EXPECT_EQ((std::multiset<std::pair<std::string, std::string>>{{lockedPath, "locked"}}), Findings({lockedPath}));
  ProgramRun list = Xref("list " + Quote(lockedPath), false);
  EXPECT_NE(std::string::npos, list.out.find("text \"Top\" source ok, composition ok, locked, up to date")) << list.out;
  EXPECT_NE(std::string::npos, list.out.find("locked, out of date")) << list.out;
  ExpectCheckAndUpdateAgree(lockedPath);

  ASSERT_EQ(0, Xref("sample --output " + Quote(dir_.File("s"))).exitCode);
  ExpectCheckAndUpdateAgree(dir_.File("s/sample.xrefdoc"));
  for (const char* name : {"chapter", "book", "chapter-revised"})
    std::filesystem::copy_file(std::string(XREF_SOURCE_DIR) + "/samples/workflow/" + name + ".json",
                               dir_.File(std::string(name) + ".json"));
  ASSERT_EQ(0, Xref("build " + Quote(dir_.File("chapter.json")) + " -o " + Quote(Chapter())).exitCode);
  ASSERT_EQ(0, Xref("build " + Quote(dir_.File("book.json")) + " -o " + Quote(Book())).exitCode);
  ExpectCheckAndUpdateAgree(Book());
  ASSERT_EQ(0, Xref("build " + Quote(dir_.File("chapter-revised.json")) + " -o " + Quote(Chapter())).exitCode);
  EXPECT_EQ(1u, Findings({Book()}).size());
  ExpectCheckAndUpdateAgree(Book());
}

TEST_F(CrossRefWorkflow, LiveUpdatesReachEveryDocumentWhateverTheOrder) {
  MakeBook();
  SetLiveUpdates(book_, true);
  Save(book_, Book());
  const std::string notes = dir_.File("notes.xrefdoc");
  std::vector<UID> stories;
  DataBase* notesDoc = NewDoc({"Notes: "}, &stories);
  Insert(notesDoc, stories[0], 7, "Top", "<paratext/>", Book());
  SetLiveUpdates(notesDoc, true);
  Save(notesDoc, notes);
  // The book's heading changes; the notes name it.
  ProgramRun edit = Xref("edit " + Quote(Book()) + " " + Quote(notes) + " --insert 0:1:ZZZ");
  ASSERT_EQ(0, edit.exitCode) << edit.out;
  EXPECT_EQ(0, Xref("check " + Quote(Book()) + " " + Quote(notes)).exitCode) << edit.out;
  std::ofstream(dir_.File("edit.json")) << R"([{"edit": "insert", "document": 1, "story": 0, "at": 1, "text": "Q"}])";
  edit = Xref("edit " + Quote(notes) + " " + Quote(Book()) + " --script " + Quote(dir_.File("edit.json")));
  ASSERT_EQ(0, edit.exitCode) << edit.out;
  EXPECT_EQ(0, Xref("check " + Quote(notes) + " " + Quote(Book())).exitCode) << Xref("list " + Quote(notes)).out;
  // Only changed texts are printed; recompositions that changed nothing are counted.
  EXPECT_FALSE(std::regex_search(edit.out, std::regex(R"re("([^"]*)" -> "\1")re"))) << edit.out;
  EXPECT_NE(std::string::npos, edit.out.find("recomposition(s) left the text as it was")) << edit.out;
}

TEST_F(CrossRefWorkflow, RenamingWithReferencesFollowsThoseThatNameTheDocumentsOwnFile) {
  MakeBook();
  Save(book_, Book());
  Insert(book_, body_, 0, "Top", "<marker/>: ", Book());
  Save(book_, Book());
  ProgramRun rename = Xref("rename-marker " + Quote(Book()) + " Top Summit --update-references --in-place");
  ASSERT_EQ(0, rename.exitCode) << rename.out;
  EXPECT_EQ(0, Xref("check " + Quote(Book())).exitCode) << Xref("list " + Quote(Book())).out;
  EXPECT_NE(std::string::npos, Xref("list " + Quote(Book()), false).out.find("text \"Summit: \""));
}

TEST_F(CrossRefWorkflow, BuiltDocumentsFindTheirSourcesAfterTheirFolderMoves) {
  std::filesystem::create_directories(dir_.File("a"));
  for (const char* name : {"chapter", "book"})
    std::filesystem::copy_file(std::string(XREF_SOURCE_DIR) + "/samples/workflow/" + name + ".json",
                               dir_.File(std::string("a/") + name + ".json"));
  ASSERT_EQ(0, Xref("build " + Quote(dir_.File("a/chapter.json")) + " -o " + Quote(dir_.File("a/chapter.xrefdoc")))
                   .exitCode);
  ASSERT_EQ(0, Xref("build " + Quote(dir_.File("a/book.json")) + " -o " + Quote(dir_.File("a/book.xrefdoc"))).exitCode);
  std::filesystem::rename(dir_.File("a"), dir_.File("b"));
  ProgramRun check = Xref("check " + Quote(dir_.File("b/book.xrefdoc")));
  EXPECT_EQ(0, check.exitCode) << check.out;
}

TEST_F(CrossRefWorkflow, RelinkingRecomposesFromTheNewSourceAndAMissingOneIsAFinding) {
  MakeBook();
  Save(book_, Book());
  const std::string moved = dir_.File("moved.xrefdoc");
  std::filesystem::copy_file(Chapter(), moved);
  ReviseChapter(moved);
  ProgramRun relink =
      Xref("relink " + Quote(Book()) + " --from " + Quote(Chapter()) + " --to " + Quote(moved) + " --in-place");
  ASSERT_EQ(0, relink.exitCode) << relink.out;
  EXPECT_NE(std::string::npos, Xref("list " + Quote(Book()), false).out.find("text \"Quick Setup\""));
  EXPECT_EQ(0, Xref("check " + Quote(Book())).exitCode);

  relink = Xref("relink " + Quote(Book()) + " --from " + Quote(moved) + " --to " + Quote(dir_.File("gone.xrefdoc")) +
                " --in-place");
  EXPECT_EQ(1, relink.exitCode) << relink.out;
  EXPECT_NE(std::string::npos, relink.out.find("gone.xrefdoc\" cannot be found")) << relink.out;
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
  ProgramRun action = Xref("action " + Quote(Book()) + " convert-all --in-place");
  EXPECT_EQ(1, action.exitCode) << action.out;
  EXPECT_NE(std::string::npos, action.out.find("is locked")) << action.out;
  EXPECT_EQ(saved, FileBytes(Book()));
}

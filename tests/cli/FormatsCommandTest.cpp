// xref formats: listing, and changes through the format commands that reach
// the cross-references and are saved; refused changes leave the file alone.
#include "headless/layout/LayoutBuilder.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/FormatTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {
class FormatsCommand : public ::testing::Test {
protected:
  // A document with formats "Plain" and "Other" and one cross-reference in
  // "Plain", saved.
  void SetUp() override {
    DataBase* doc = app_->NewDocument();
    const UID source = MakeStory(doc, "Introduction\rBody");
    const UID story = MakeStory(doc, "See here");
    LayoutBuilder layout(doc);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), source, 40, 5);
    layout.AddTextFrame(layout.PageUID(0), story, 40, 5, 0, 200);
    InsertMarker(doc, source, 0, "Intro");
    AddFormat(DocWorkspace(doc), "Plain", "<paratext/>");
    AddFormat(DocWorkspace(doc), "Other", "<pagenum/>");
    CrossRefRequest r;
    r.start = 4;
    r.marker = "Intro";
    r.formatName = "Plain";
    crossRef_ = InsertCrossRef(doc, story, r);
    ASSERT_NE(kInvalidUID, crossRef_);
    std::string error;
    ASSERT_TRUE(app_->SaveDocumentAs(doc, path_, &error)) << error;
    app_->CloseDocument(doc);
  }

  DataBase* Reopen() {
    std::string error;
    for (DataBase* open : app_->Documents()) app_->CloseDocument(open);
    DataBase* doc = app_->OpenDocument(path_, &error);
    EXPECT_TRUE(doc) << error;
    return doc;
  }

  TestApp app_;
  TempDir dir_;
  const std::string path_ = dir_.File("doc.xrefdoc");
  UID crossRef_ = kInvalidUID;
};
}  // namespace

TEST_F(FormatsCommand, ListsTheFormatsAsTextAndAsJson) {
  ProgramRun text = RunXref("formats " + path_, false);
  ASSERT_EQ(0, text.exitCode);
  EXPECT_EQ("Other\t<pagenum/>\nPlain\t<paratext/>\n", text.out);
  ProgramRun json = RunXref("formats --json " + path_, false);
  ASSERT_EQ(0, json.exitCode);
  auto parsed = nlohmann::json::parse(json.out);
  ASSERT_EQ(2u, parsed.size());
  EXPECT_EQ("Other", parsed[0]["name"]);
  EXPECT_EQ("<paratext/>", parsed[1]["markup"]);
}

TEST_F(FormatsCommand, ModifyingRecomposesItsCrossReferencesAndDeletingKeepsTheirText) {
  ProgramRun modify = RunXref("formats " + path_ + " --modify plain --name Renamed --markup 'Go to <paratext/>' --in-place");
  ASSERT_EQ(0, modify.exitCode) << modify.out;
  EXPECT_NE(std::string::npos, modify.out.find("1 cross-reference(s) recomposed, 0 locked, 0 failed"));
  DataBase* doc = Reopen();
  EXPECT_EQ("Renamed", CrossRef(doc, crossRef_)->GetFormatName().GetUTF8String());
  EXPECT_EQ("Go to Introduction", CurrentText(doc, crossRef_));
  EXPECT_EQ(1, FormatsOf(DocWorkspace(doc))->FindFormat(PMString("Renamed")));

  ProgramRun del = RunXref("formats " + path_ + " --delete renamed --in-place");
  ASSERT_EQ(0, del.exitCode) << del.out;
  doc = Reopen();
  EXPECT_EQ("", CrossRef(doc, crossRef_)->GetFormatName().GetUTF8String());
  EXPECT_EQ("Go to <paratext/>", CrossRef(doc, crossRef_)->GetFormatString().GetUTF8String());
  EXPECT_EQ("Go to Introduction", CurrentText(doc, crossRef_));
  EXPECT_EQ(1, FormatsOf(DocWorkspace(doc))->GetFormatCount());

  ProgramRun add = RunXref("formats " + path_ + " --add 'Page only' '<pagenum/>' --in-place");
  ASSERT_EQ(0, add.exitCode) << add.out;
  EXPECT_EQ("Other\t<pagenum/>\nPage only\t<pagenum/>\n", RunXref("formats " + path_, false).out);
}

TEST_F(FormatsCommand, ModifyingCountsOnlyWhatWasRecomposedAndNamesTheLocked) {
  DataBase* doc = Reopen();
  SetLocked(doc, CrossRef(doc, crossRef_)->GetStoryRef().GetUID(), true);
  std::string error;
  ASSERT_TRUE(app_->SaveDocument(doc, &error)) << error;
  app_->CloseDocument(doc);
  ProgramRun modify = RunXref("formats " + path_ + " --modify Plain --markup 'Go to <paratext/>' --in-place");
  EXPECT_EQ(1, modify.exitCode) << modify.out;
  EXPECT_NE(std::string::npos, modify.out.find("0 cross-reference(s) recomposed, 1 locked, 0 failed")) << modify.out;
  doc = Reopen();
  EXPECT_EQ("Introduction", CurrentText(doc, crossRef_));
}

TEST_F(FormatsCommand, RefusedChangesLeaveTheFileAsItWas) {
  const std::string before = FileBytes(path_);
  const std::pair<std::string, std::string> refused[] = {
      {"--delete Nowhere", "no format named \"Nowhere\""},
      {"--modify Nowhere --name X", "no format named \"Nowhere\""},
      {"--add other '<pagenum/>'", "a format named \"other\" already exists"},
      {"--modify Plain --name OTHER", "a format named \"OTHER\" already exists"},
      {"--add Bad 'x^q'", "unknown escape"},
      {"--add '' x", "a format needs a name"},
      {"--name X", ""},                      // --name needs --modify
      {"--add A a --delete Plain", ""},      // one change at a time
  };
  for (const auto& r : refused) {
    ProgramRun run = RunXref("formats " + path_ + " " + r.first + " --in-place");
    EXPECT_EQ(2, run.exitCode) << r.first << ": " << run.out;
    EXPECT_NE(std::string::npos, run.out.find(r.second)) << r.first << ": " << run.out;
    if (!r.second.empty()) {
      EXPECT_NE(std::string::npos, run.out.find(path_)) << r.first;
    }
    EXPECT_EQ(before, FileBytes(path_)) << r.first;
  }
}

namespace {
// What the program prints on a terminal (a pseudo-terminal from script(1)).
std::string OnTerminal(const std::string& args) {
  const std::string cmd = "script -qec \"" + std::string(XREF_BINARY) + " " + args + "\" /dev/null 2>&1";
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}
}  // namespace

// A name holding an escape sequence is shown escaped on a terminal, and as
// it is when the output goes elsewhere.
TEST_F(FormatsCommand, ControlCharactersAreShownEscapedOnATerminal) {
  if (std::system("command -v script > /dev/null") != 0) GTEST_SKIP() << "script(1) is not installed";
  const std::string name = "\x1b[31mRed\x07\xc2\x9b";
  ASSERT_EQ(0, RunXref("formats " + path_ + " --add '" + name + "' '<pagenum/>' --in-place").exitCode);
  const std::string shown = OnTerminal("formats " + path_);
  EXPECT_NE(std::string::npos, shown.find("\\x1B[31mRed\\x07\\u009B\t<pagenum/>")) << shown;
  EXPECT_EQ(std::string::npos, shown.find('\x1b')) << shown;
  ASSERT_EQ(0, RunXref("rename-marker " + path_ + " Intro '\x1b]0;title\x07' --in-place").exitCode);
  const std::string described = OnTerminal("describe " + path_);
  EXPECT_NE(std::string::npos, described.find("source marker \"\\x1B]0;title\\x07\"")) << described;
  EXPECT_EQ(std::string::npos, described.find('\x1b')) << described;
  EXPECT_NE(std::string::npos, RunXref("formats " + path_, false).out.find(name + "\t<pagenum/>"));
}

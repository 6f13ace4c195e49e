// Scripts run by the embedded interpreter: what they see of the documents,
// how their errors read, their undo step and their memory limit.
#include "headless/scripting/ScriptRunner.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <sstream>

namespace {
class Scripts : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = app_->NewDocument();
    story_ = MakeStory(db_, "Heading one\rSee here.\r");
    InsertMarker(db_, story_, 0, "Target");
    db_->ClearUndo();
  }
  bool Run(const std::string& source, size_t memory = 0) {
    out_.str("");
    error_.clear();
    ScriptLimits limits;
    limits.memoryBytes = memory;
    return RunScript("test.js", source, out_, limits, &error_);
  }

  TestApp app_;
  DataBase* db_ = nullptr;
  UID story_ = kInvalidUID;
  std::ostringstream out_;
  std::string error_;
};

TEST_F(Scripts, SeeDocumentsStoriesAndThePlugInsCollections) {
  ASSERT_TRUE(Run("var d = app.documents[0];\n"
                  "print(app.documents.length, d.stories.length, d.sourceMarkers.length, d.crossReferences.length);\n"
                  "print(d.sourceMarkers[0].name, d.sourceMarkers.item('target').index, d.stories[0].length);\n"
                  "print(d.sourceMarkers[1] === undefined, d.sourceMarkers.item('nope'), d.crossReferences[0]);\n"))
      << error_;
  EXPECT_EQ(out_.str(), "1 1 1 0\nTarget 0 23\ntrue null undefined\n");
}

TEST_F(Scripts, ChangesAreOneUndoStep) {
  ASSERT_TRUE(Run("var s = app.documents[0].stories[0];\n"
                  "var x = app.documents[0].crossReferences.add({text: s.characters(16), sourceMarkerName: 'Target',"
                  " formatDefinition: '<paratext/>'});\n"
                  "x.update();\n"
                  "s.sourceMarkers.add({text: s.characters(0), name: 'Second'});\n"
                  "print(x.contents);\n"))
      << error_;
  EXPECT_EQ(out_.str(), "Heading one\n");
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 1);
  EXPECT_EQ(MarkerList(db_)->GetMarkerCount(), 2);
  EXPECT_EQ(db_->UndoDepth(), 1);
  EXPECT_EQ(db_->UndoName(), "test.js");
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 0);
  EXPECT_EQ(MarkerList(db_)->GetMarkerCount(), 1);
}

TEST_F(Scripts, AScriptMayAskForMoreUndoSteps) {
  ASSERT_TRUE(Run("var d = app.documents[0], s = d.stories[0];\n"
                  "s.sourceMarkers.add({text: s.characters(3), name: 'One'});\n"
                  "undoStep('Second step');\n"
                  "s.sourceMarkers.add({text: s.characters(5), name: 'Two'});\n"))
      << error_;
  EXPECT_EQ(db_->UndoDepth(), 2);
  EXPECT_EQ(db_->UndoName(), "Second step");
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(ListedNames(db_).size(), 2u);
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(ListedNames(db_).size(), 1u);
}

TEST_F(Scripts, ErrorsNameTheFileLineAndMessage) {
  EXPECT_FALSE(Run("var a = 1;\n\nnull.x;\n"));
  EXPECT_EQ(error_, "test.js:3: TypeError: cannot convert null to object");
  EXPECT_FALSE(Run("var a = 1;\nvar b = ;\n"));
  EXPECT_EQ(error_.rfind("test.js:2: ", 0), 0u) << error_;
  EXPECT_FALSE(Run("function f() {\n  app.documents[0].sourceMarkers[0].index = 4;\n}\nf();\n"));
  EXPECT_EQ(error_, "test.js:2: Error: index: the property is read-only");
  EXPECT_FALSE(Run("app.documents[0].sourceMarkers.add({bogus: 1});\n"));
  EXPECT_NE(error_.find("no such property: bogus"), std::string::npos) << error_;
  EXPECT_FALSE(Run("throw 'plain';\n"));
  EXPECT_EQ(error_, "test.js:1: plain");
}

// Whatever is thrown and however the script fails, the error names the
// line, once, and the interpreter survives it.
TEST_F(Scripts, EveryErrorHasALine) {
  EXPECT_FALSE(Run("var a = 1;\nthrow 42;\n"));
  EXPECT_EQ(error_, "test.js:2: 42");
  EXPECT_FALSE(Run("function f(n) { return f(n + 1) + 1; }\n\nf(0);\n"));
  EXPECT_EQ(error_.rfind("test.js:1: ", 0), 0u) << error_;
  EXPECT_NE(error_.find("overflow"), std::string::npos) << error_;
  EXPECT_FALSE(Run("var a = [];\nwhile (true) a.push('some text to keep ' + a.length);\n", 8u << 20));
  EXPECT_EQ(error_.rfind("test.js:2: ", 0), 0u) << error_;
  EXPECT_NE(error_.find("out of memory"), std::string::npos) << error_;
  EXPECT_FALSE(Run("var a = 1;\neval('a a');\n"));
  EXPECT_EQ(error_.rfind("test.js:2: ", 0), 0u) << error_;
  EXPECT_EQ(error_.find("test.js", 1), std::string::npos) << error_;
  // Forged stack traces: a getter that throws, a value that is no text.
  EXPECT_FALSE(Run("var e = new Error('forged');\n"
                   "Object.defineProperty(e, 'stackTrace', {get: function() { throw 1; }});\nthrow e;\n"));
  EXPECT_EQ(error_, "test.js:3: Error: forged");
  EXPECT_FALSE(Run("\nthrow {stackTrace: {toString: function() { throw 2; }}, toString: function() { return 'odd'; }};\n"));
  EXPECT_EQ(error_, "test.js:2: odd");
}

TEST_F(Scripts, IndexesBeyondThe32BitRangeNameNothing) {
  ASSERT_TRUE(Run("var m = app.documents[0].sourceMarkers;\n"
                  "print(m[0].name, m['4294967296'], m.item(4294967296), m.item(0.5), m[2147483648]);\n"))
      << error_;
  EXPECT_EQ(out_.str(), "Target undefined null null undefined\n");
}

// A getter of the script's, run while a request reads its arguments, ends
// the script like any other error, and the request does nothing.
TEST_F(Scripts, AThrowingGetterInARequestsArgumentsEndsTheScriptCleanly) {
  EXPECT_FALSE(Run("var m = app.documents[0].sourceMarkers;\n"
                   "m.add({get name() { throw new Error('no name'); }, text: app.documents[0].stories[0].characters(5)});\n"));
  EXPECT_EQ(error_, "test.js:2: Error: no name");
  ASSERT_TRUE(Run("print(app.documents[0].sourceMarkers.length);\n")) << error_;
  EXPECT_EQ(out_.str(), "1\n");
}

TEST_F(Scripts, ARangeReachingPastTheIntegerLimitIsRefused) {
  EXPECT_FALSE(Run("app.documents[0].stories[0].characters(2147483647, 1);\n"));
  EXPECT_NE(error_.find("outside the story"), std::string::npos) << error_;
  EXPECT_FALSE(Run("app.documents[0].stories[0].characters(1, 2147483647);\n"));
  EXPECT_NE(error_.find("outside the story"), std::string::npos) << error_;
}

TEST_F(Scripts, NoFileOrProcessAccess) {
  EXPECT_TRUE(Run("print(typeof load, typeof read, typeof require, typeof quit, typeof readline);")) << error_;
  EXPECT_EQ(out_.str(), "undefined undefined undefined undefined undefined\n");
}

TEST_F(Scripts, AllocationBeyondTheLimitStopsTheScript) {
  EXPECT_FALSE(Run("var a = [];\nwhile (true) a.push('some text to keep ' + a.length);\n", 8u << 20));
  EXPECT_NE(error_.find("out of memory"), std::string::npos) << error_;
  // The same script with room enough for a bounded loop ends well.
  EXPECT_TRUE(Run("var a = [];\nfor (var i = 0; i < 1000; ++i) a.push('x' + i);\nprint(a.length);\n", 8u << 20))
      << error_;
  EXPECT_EQ(out_.str(), "1000\n");
}
}  // namespace

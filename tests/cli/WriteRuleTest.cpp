// One rule for writing documents: a command that changes documents writes
// them to -o OUT or --in-place, else writes nothing and says so; a file whose
// content would not change stays untouched, bytes and time; and time stamps
// follow SOURCE_DATE_EPOCH, so builds are reproducible.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;

std::string Quote(const std::string& s) { return "'" + s + "'"; }
bool Has(const ProgramRun& run, const std::string& text) { return run.out.find(text) != std::string::npos; }

const char* kDescription = R"({"spreads": [{"pages": 2}], "stories": [
  {"frames": [{"page": 0, "columns": 30, "lines": 2}, {"page": 1, "columns": 30, "lines": 9}],
   "paragraphs": ["Filler", {"runs": [{"sourceMarker": {"name": "Head"}}, "Heading"]},
                  {"runs": [{"crossReference": {"source": "Head", "markup": "<paratext/> on page <pagenum/>"}}]}]}]})";

// SOURCE_DATE_EPOCH for the programs a test runs, restored afterwards.
class Epoch {
public:
  explicit Epoch(const char* value) {
    if (const char* old = std::getenv("SOURCE_DATE_EPOCH")) old_ = old, had_ = true;
    value ? ::setenv("SOURCE_DATE_EPOCH", value, 1) : ::unsetenv("SOURCE_DATE_EPOCH");
  }
  ~Epoch() { had_ ? ::setenv("SOURCE_DATE_EPOCH", old_.c_str(), 1) : ::unsetenv("SOURCE_DATE_EPOCH"); }

private:
  std::string old_;
  bool had_ = false;
};

class WriteRule : public ::testing::Test {
protected:
  void SetUp() override {
    std::ofstream(desc_) << kDescription;
    ProgramRun run = RunXref("build " + Quote(desc_) + " -o " + Quote(doc_));
    ASSERT_EQ(0, run.exitCode) << run.out;
  }
  // Dates the file an hour back, so that a rewrite shows in its time.
  fs::file_time_type Backdate(const std::string& path) const {
    const auto then = fs::last_write_time(path) - std::chrono::hours(1);
    fs::last_write_time(path, then);
    return then;
  }

  Epoch unset_{nullptr};
  TempDir dir_;
  const std::string desc_ = dir_.File("doc.json"), doc_ = dir_.File("doc.xrefdoc");
};
}  // namespace

TEST_F(WriteRule, WithoutOutputOrInPlaceNothingIsWrittenAndTheCommandSaysSo) {
  const std::string before = FileBytes(doc_);
  std::ofstream(dir_.File("add.js")) << "app.documents[0].formats.add({formatName: 'Added', formatDefinition: '<pagenum/>'});\n";
  std::ofstream(dir_.File("look.js")) << "print(app.documents[0].formats.length);\n";
  // Commands whose whole point is the change refuse to start.
  for (const std::string& args : {"action " + Quote(doc_) + " update-all",
                                  "formats " + Quote(doc_) + " --add New '<pagenum/>'",
                                  "update " + Quote(doc_)}) {
    ProgramRun run = RunXref(args);
    EXPECT_EQ(2, run.exitCode) << args << "\n" << run.out;
    EXPECT_TRUE(Has(run, "nothing written")) << args << "\n" << run.out;
  }
  // Edits and scripts run, show what they did, and name what they left unwritten.
  ProgramRun edit = RunXref("edit " + Quote(doc_) + " --insert 0:0:More", true);
  EXPECT_EQ(0, edit.exitCode) << edit.out;
  EXPECT_TRUE(Has(edit, doc_ + ": changes not written")) << edit.out;
  ProgramRun script = RunXref("script " + Quote(doc_) + " " + Quote(dir_.File("add.js")));
  EXPECT_EQ(0, script.exitCode) << script.out;
  EXPECT_TRUE(Has(script, doc_ + ": changes not written")) << script.out;
  ProgramRun look = RunXref("script " + Quote(doc_) + " " + Quote(dir_.File("look.js")));
  EXPECT_EQ(0, look.exitCode) << look.out;
  EXPECT_FALSE(Has(look, "not written")) << look.out;
  EXPECT_EQ(before, FileBytes(doc_));

  // With one of the options they write; one long name everywhere.
  ASSERT_EQ(0, RunXref("formats " + Quote(doc_) + " --add New '<pagenum/>' --output " + Quote(dir_.File("f.xrefdoc"))).exitCode);
  EXPECT_TRUE(Has(RunXref("formats " + Quote(dir_.File("f.xrefdoc"))), "New\t<pagenum/>"));
  EXPECT_EQ(0, RunXref("action " + Quote(doc_) + " update-all --output " + Quote(dir_.File("a.xrefdoc"))).exitCode);
  EXPECT_TRUE(fs::exists(dir_.File("a.xrefdoc")));
  EXPECT_EQ(0, RunXref("render " + Quote(doc_) + " --output " + Quote(dir_.File("p.pdf"))).exitCode);
  EXPECT_EQ(2, RunXref("render " + Quote(doc_) + " --out " + Quote(dir_.File("q.pdf"))).exitCode);
  EXPECT_EQ(2, RunXref("edit " + Quote(doc_) + " " + Quote(dir_.File("a.xrefdoc")) + " -o x.xrefdoc").exitCode);
}

TEST_F(WriteRule, OnlyDocumentsWhoseContentChangesAreWritten) {
  const std::string other = dir_.File("other.xrefdoc");
  fs::copy_file(doc_, other);
  const auto docTime = Backdate(doc_), otherTime = Backdate(other);
  const std::string before = FileBytes(doc_);

  // Recomposing every cross-reference to the text it had changes nothing
  // but update times: the file stays as it was, bytes and time.
  ProgramRun update = RunXref("update " + Quote(doc_) + " --in-place");
  ASSERT_EQ(0, update.exitCode) << update.out;
  EXPECT_EQ(before, FileBytes(doc_));
  EXPECT_TRUE(fs::last_write_time(doc_) == docTime);
  ASSERT_EQ(0, RunXref("action " + Quote(doc_) + " update-all --in-place").exitCode);
  EXPECT_TRUE(fs::last_write_time(doc_) == docTime);

  // An edit of one of two documents writes that one only.
  ProgramRun edit = RunXref("edit " + Quote(doc_) + " " + Quote(other) + " --insert 0:0:More --in-place");
  ASSERT_EQ(0, edit.exitCode) << edit.out;
  EXPECT_TRUE(Has(edit, "wrote 1 of 2 document(s)")) << edit.out;
  EXPECT_NE(before, FileBytes(doc_));
  EXPECT_TRUE(fs::last_write_time(other) == otherTime);
  EXPECT_EQ(before, FileBytes(other));
}

TEST_F(WriteRule, BuildsUnderOneSourceDateEpochAreIdentical) {
  const std::string a = dir_.File("a.xrefdoc"), b = dir_.File("b.xrefdoc"), c = dir_.File("c.xrefdoc");
  {
    Epoch epoch("1600000000");
    ASSERT_EQ(0, RunXref("build " + Quote(desc_) + " -o " + Quote(a)).exitCode);
    ASSERT_EQ(0, RunXref("build " + Quote(desc_) + " -o " + Quote(b)).exitCode);
  }
  EXPECT_TRUE(FileBytes(a) == FileBytes(b));
  {
    // The time stamps are what follows it.
    Epoch epoch("1600000001");
    ASSERT_EQ(0, RunXref("build " + Quote(desc_) + " -o " + Quote(c)).exitCode);
  }
  EXPECT_EQ(FileBytes(a).size(), FileBytes(c).size());
  EXPECT_FALSE(FileBytes(a) == FileBytes(c));
  Epoch bad("yesterday");
  ProgramRun run = RunXref("build " + Quote(desc_) + " -o " + Quote(c));
  EXPECT_EQ(2, run.exitCode);
  EXPECT_TRUE(Has(run, "SOURCE_DATE_EPOCH: 'yesterday' is not a whole number of seconds")) << run.out;
}

// xref render: files per page or spread, bad requests refused with nothing
// written, and the document file untouched.
#include "headless/drawing/PngImage.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {
size_t Count(const std::string& hay, const std::string& needle) {
  size_t n = 0;
  for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
  return n;
}

class RenderCommand : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = dir_.File("sample.xrefdoc");
    ProgramRun built = RunXref("build " + std::string(XREF_SOURCE_DIR) + "/samples/sample.json -o " + doc_);
    ASSERT_EQ(0, built.exitCode) << built.out;
  }
  TempDir dir_;
  std::string doc_;
};
}  // namespace

TEST_F(RenderCommand, PdfHoldsOnePagePerPageAndPngsAreNumberedPerSpread) {
  const std::string before = FileBytes(doc_);
  ProgramRun run = RunXref("render " + doc_ + " -o " + dir_.File("all.pdf") + " --show-hidden");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_EQ(5u, Count(FileBytes(dir_.File("all.pdf")), "/Type /Page\n") + Count(FileBytes(dir_.File("all.pdf")), "/Type /Page "));
  run = RunXref("render " + doc_ + " -o " + dir_.File("s.png") + " --all --scale 0.5");
  ASSERT_EQ(0, run.exitCode) << run.out;
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(std::filesystem::exists(dir_.File("s-" + std::to_string(n) + ".png"))) << n;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("s.png")));
  // One page: the page alone; one spread of two pages: both with the pasteboard around.
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("p.png") + " --page 2").exitCode);
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("sp.png") + " --spread 2").exitCode);
  PngImage page, spread;
  std::string error;
  ASSERT_TRUE(page.Read(dir_.File("p.png"), &error)) << error;
  ASSERT_TRUE(spread.Read(dir_.File("sp.png"), &error)) << error;
  EXPECT_EQ(420, page.Width());
  EXPECT_EQ(2 * 420 + 2 * 36, spread.Width());
  EXPECT_EQ(595 + 2 * 36, spread.Height());
  EXPECT_EQ(before, FileBytes(doc_)) << "rendering never writes the document";
}

TEST_F(RenderCommand, BadRequestsExitTwoAndWriteNothing) {
  struct Case {
    std::string args, message;
  } cases[] = {
      {" -o " + dir_.File("x.pdf") + " --page 9", "no page 9"},
      {" -o " + dir_.File("x.png") + " --spread 0", "no spread 0"},
      {" -o " + dir_.File("x.jpg"), "must end in .pdf or .png"},
      {" -o " + dir_.File("x.png") + " --scale 0", "--scale"},
  };
  for (const Case& c : cases) {
    ProgramRun run = RunXref("render " + doc_ + c.args);
    EXPECT_EQ(2, run.exitCode) << c.args;
    EXPECT_NE(std::string::npos, run.out.find(c.message)) << run.out;
  }
  ProgramRun missing = RunXref("render " + dir_.File("none.xrefdoc") + " -o " + dir_.File("x.png"));
  EXPECT_EQ(2, missing.exitCode);
  EXPECT_NE(std::string::npos, missing.out.find("none.xrefdoc")) << missing.out;
  EXPECT_EQ(2, RunXref("render " + doc_ + " -o " + dir_.File("x.png") + " --page 1 --spread 1").exitCode);
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(doc_).parent_path()))
    EXPECT_EQ("sample.xrefdoc", entry.path().filename().string()) << "left behind: " << entry.path();
}

// Outputs are saved as documents are: a FIFO or a device is refused and
// left as it was, an existing output keeps its mode, a link stays a link.
TEST_F(RenderCommand, OutputsAreSavedAsDocumentsAre) {
  const std::string fifo = dir_.File("fifo.png");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  ASSERT_EQ(0, ::symlink("/dev/null", dir_.File("null.pdf").c_str()));
  for (const std::string& out : {fifo, dir_.File("null.pdf")}) {
    ProgramRun run = RunXref("render " + doc_ + " -o " + out + " --page 1", true, 60);
    EXPECT_EQ(2, run.exitCode) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("not a regular file")) << run.out;
  }
  struct stat st {};
  ASSERT_EQ(0, ::lstat(fifo.c_str(), &st));
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(0, ::stat("/dev/null", &st));
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  const std::string pdf = dir_.File("kept.pdf");
  std::ofstream(pdf) << "old";
  ASSERT_EQ(0, ::chmod(pdf.c_str(), 0600));
  ASSERT_EQ(0, ::symlink("kept.pdf", dir_.File("link.pdf").c_str()));
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("link.pdf") + " --page 1").exitCode);
  ASSERT_EQ(0, ::lstat(dir_.File("link.pdf").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(0, ::stat(pdf.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);
  EXPECT_EQ(0u, FileBytes(pdf).rfind("%PDF", 0));
}

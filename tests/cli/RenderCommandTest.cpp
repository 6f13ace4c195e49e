// xref render: files per page or spread, bad requests refused with nothing
// written, and the document file untouched.
#include "headless/drawing/PngImage.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <filesystem>
#include <map>
#include <fstream>
#include <sstream>
#include <vector>
#include <sys/stat.h>

namespace {
size_t Count(const std::string& hay, const std::string& needle) {
  size_t n = 0;
  for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
  return n;
}

// Pixels of the broken wash (red) and of the failed one (magenta), at half
// opacity over the white page.
std::pair<int, int> Washes(const std::string& png) {
  PngImage image;
  std::string error;
  EXPECT_TRUE(image.Read(png, &error)) << error;
  int red = 0, magenta = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const Pixel p = image.At(x, y);
      if (p.r < 200 || p.g < 100 || p.g > 160) continue;
      red += p.b < 160;
      magenta += p.b > 200;
    }
  return {red, magenta};
}

// The text of one page of a PDF, in the order it was drawn, runs of white
// space made one space.
std::string PageText(const std::string& pdf, int page) {
  const std::string n = std::to_string(page);
  ProgramRun run = RunCommand("pdftotext -raw -enc UTF-8 -f " + n + " -l " + n + " '" + pdf + "' - 2>&1");
  EXPECT_EQ(0, run.exitCode) << "pdftotext (poppler-utils, scripts/setup.sh): " << run.out;
  std::string text;
  for (char c : run.out) {
    const bool space = c == ' ' || c == '\n' || c == '\f' || c == '\t';
    if (space && (text.empty() || text.back() == ' ')) continue;
    text += space ? ' ' : c;
  }
  return text;
}

// Each piece, in the order given.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& pieces) {
  size_t at = 0;
  for (const std::string& piece : pieces) {
    const size_t found = text.find(piece, at);
    EXPECT_NE(std::string::npos, found) << "\"" << piece << "\" after position " << at << " in: " << text;
    if (found != std::string::npos) at = found + piece.size();
  }
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
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("p.png") + " --page Ch3-1").exitCode);
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("sp.png") + " --spread 1").exitCode);
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
      {" -o " + dir_.File("x.pdf") + " --page 2", "no page named '2' (the pages are Front-i Ch3-1 Ch3-2 Ch3-3 Ch3-4)"},
      {" -o " + dir_.File("x.png") + " --spread 3", "no spread 3 (the spreads are 0 to 2)"},
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

// Sources in other documents are found as an update finds them, and a
// format that fails is washed as failing although states are not stored.
TEST_F(RenderCommand, WashesShowWhatHoldsOfEachCrossReference) {
  for (const char* name : {"chapter", "book"}) {
    std::filesystem::copy_file(std::string(XREF_SOURCE_DIR) + "/samples/workflow/" + name + ".json",
                               dir_.File(std::string(name) + ".json"));
    ASSERT_EQ(0, RunXref("build " + dir_.File(std::string(name) + ".json") + " -o " +
                         dir_.File(std::string(name) + ".xrefdoc")).exitCode);
  }
  ASSERT_EQ(0, RunXref("render " + dir_.File("book.xrefdoc") + " -o " + dir_.File("book.png")).exitCode);
  EXPECT_EQ(std::make_pair(0, 0), Washes(dir_.File("book.png")));

  std::ofstream(dir_.File("failing.json")) << R"({"version": 1, "spreads": [{"pages": 1}], "stories": [
    {"frames": [{"page": 0, "columns": 40, "lines": 5}],
     "paragraphs": [{"runs": ["Head", {"sourceMarker": {"name": "Head"}}]},
                    {"runs": ["See ", {"crossReference": {"source": "Head", "markup": "<paratext cstyle=\"Nowhere\"/>"}}]}]}]})";
  ASSERT_EQ(0, RunXref("build " + dir_.File("failing.json") + " -o " + dir_.File("failing.xrefdoc")).exitCode);
  ASSERT_EQ(0, RunXref("render " + dir_.File("failing.xrefdoc") + " -o " + dir_.File("failing.png")).exitCode);
  const std::pair<int, int> washes = Washes(dir_.File("failing.png"));
  EXPECT_EQ(0, washes.first);
  EXPECT_GT(washes.second, 0);
}

// Pages are taken by the names describe lists, whatever their place: the
// page named "Ch3-1" is the second, and each name gives its own page.
TEST_F(RenderCommand, APageIsTakenByTheNameDescribeLists) {
  ProgramRun described = RunXref("describe " + doc_);
  ASSERT_NE(std::string::npos, described.out.find("\npages: Front-i Ch3-1 Ch3-2 Ch3-3 Ch3-4\n")) << described.out;
  std::map<std::string, std::string> pictures;
  for (const std::string name : {"Front-i", "Ch3-1", "Ch3-2"}) {
    ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File(name + ".png") + " --page " + name).exitCode) << name;
    pictures[name] = FileBytes(dir_.File(name + ".png"));
  }
  EXPECT_NE(pictures["Front-i"], pictures["Ch3-1"]);
  EXPECT_NE(pictures["Ch3-1"], pictures["Ch3-2"]);
  // Spreads count from 0, as descriptions number them: the first holds one page.
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("first.pdf") + " --spread 0").exitCode);
  EXPECT_EQ(1u, Count(FileBytes(dir_.File("first.pdf")), "/Type /Page\n") +
                    Count(FileBytes(dir_.File("first.pdf")), "/Type /Page "));
}

TEST_F(RenderCommand, PdfPagesReadAsTypesetWithNumbersFootnotesAndFolios) {
  const std::string pdf = dir_.File("all.pdf");
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + pdf + " --print").exitCode);
  // The variable's text, the heading's number, the footnote reference
  // raised in the text and its note below the frame, the page's name last.
  ExpectInOrder(PageText(pdf, 1), {"This guide describes XRef and its formats.", "1. Introduction",
                                   "keep their text up to date1 when the text", "1. Also across documents.",
                                   "Front-i"});
  ExpectInOrder(PageText(pdf, 2), {"1.1. Formats and building blocks", "1 The road of one cross-reference",
                                   "1.2. Chemistry", "Water is H2O, a formula", "Ch3-1"});
  // Cross-references quote what the pages show; their markers take no room.
  ExpectInOrder(PageText(pdf, 4), {"For the road, see (fig. 1, p. 1); for the beginning, See \u201cIntroduction\u201d "
                                   "on page i. Chemistry starts page 1.",
                                   "Ch3-3"});
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + pdf + " --no-folios").exitCode);
  const std::string bare = PageText(pdf, 1);
  EXPECT_EQ(std::string::npos, bare.find("Front-i")) << bare;
  EXPECT_NE(std::string::npos, bare.find("1. Also across documents.")) << bare;
}

TEST_F(RenderCommand, ImagesOverThePixelLimitAreRefusedUnlessRaised) {
  // A frame far out on the pasteboard makes the spread's picture huge.
  const std::string desc = dir_.File("far.json");
  std::ofstream(desc) << R"({"version": 1, "spreads": [{"pages": 1}], "stories": [{"frames": [)"
                         R"({"page": 0, "columns": 10, "lines": 2}, {"pasteboard": 0, "x": 20000, "y": 20000}],)"
                         R"( "paragraphs": [{"runs": ["Far away"]}]}]})";
  ProgramRun run = RunXref("render " + desc + " -o " + dir_.File("far.png") + " --spread 0 --scale 1.6");
  EXPECT_EQ(2, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("limit of 100000000 pixels")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("--max-pixels")) << run.out;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("far.png")));
  // A page of 420 x 595 pixels: refused one pixel under, drawn at its size.
  const std::string page = " -o " + dir_.File("p.png") + " --page Front-i --max-pixels ";
  EXPECT_EQ(2, RunXref("render " + doc_ + page + std::to_string(420 * 595 - 1)).exitCode);
  EXPECT_EQ(0, RunXref("render " + doc_ + page + std::to_string(420 * 595)).exitCode);
}

// Outputs are saved as documents are: a FIFO or a device is refused and
// left as it was, an existing output keeps its mode, a link stays a link.
TEST_F(RenderCommand, OutputsAreSavedAsDocumentsAre) {
  const std::string fifo = dir_.File("fifo.png");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  ASSERT_EQ(0, ::symlink("/dev/null", dir_.File("null.pdf").c_str()));
  for (const std::string& out : {fifo, dir_.File("null.pdf")}) {
    ProgramRun run = RunXref("render " + doc_ + " -o " + out + " --page Front-i", true, 60);
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
  ASSERT_EQ(0, RunXref("render " + doc_ + " -o " + dir_.File("link.pdf") + " --page Front-i").exitCode);
  ASSERT_EQ(0, ::lstat(dir_.File("link.pdf").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(0, ::stat(pdf.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);
  EXPECT_EQ(0u, FileBytes(pdf).rfind("%PDF", 0));
}

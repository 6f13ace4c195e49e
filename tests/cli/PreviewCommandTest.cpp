// xref preview and the main job, end to end through the program.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"

namespace {
const std::string kSample = std::string("'") + XREF_SOURCE_DIR + "/samples/sample.json'";
}

TEST(PreviewCommand, PreviewsAtASourceMarkerOfADescribedDocument) {
  // Marker names are found whatever their case.
  ProgramRun r = RunXref("preview --doc " + kSample + " --source formats '<paratext/>' 'page^s<pagenum/>' '<paranum/>'");
  ASSERT_EQ(0, r.exitCode) << r.out;
  EXPECT_EQ("Formats and building blocks\npage\xC2\xA0" "1\n1.1.\n", r.out);

  // Seen from the first page, on the spread before the source's.
  ProgramRun relative = RunXref("preview --doc " + kSample +
                                " --source Formats --at 0:0 '<pagenum usenext=\"yes\" nexttext=\"next page\"/>'");
  EXPECT_EQ("next page\n", relative.out);

  ProgramRun unknown = RunXref("preview --doc " + kSample + " --source Nowhere '<paratext/>'");
  EXPECT_EQ(2, unknown.exitCode);
  EXPECT_NE(std::string::npos, unknown.out.find("no source marker named 'Nowhere'"));
  EXPECT_EQ(2, RunXref("preview --source Formats '<paratext/>'").exitCode);  // --source needs --doc
  ProgramRun bad = RunXref("preview 'x^q'");
  EXPECT_EQ(1, bad.exitCode);
  EXPECT_NE(std::string::npos, bad.out.find("unknown escape \"^q\" at position 2"));
}

TEST(PreviewCommand, TheMainJobShowsTheDefaultFormatsAtTheSampleMarkers) {
  TempDir dir;
  ProgramRun r = RunXref("sample --out '" + dir.File("out") + "'");
  ASSERT_EQ(0, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("Heading & Page: \xE2\x80\x9CIntroduction\xE2\x80\x9D on page i\n"));
  EXPECT_NE(std::string::npos, r.out.find("See Heading & Page: See \xE2\x80\x9CSummary\xE2\x80\x9D on page 2.\n"));
  EXPECT_NE(std::string::npos, r.out.find("Figure number: (fig. 1.1., p. 1)\n"));
  EXPECT_NE(std::string::npos, r.out.find("identical bytes"));
}

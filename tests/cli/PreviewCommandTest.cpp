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
  ProgramRun r = RunXref("sample --output '" + dir.File("out") + "'");
  ASSERT_EQ(0, r.exitCode) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("Heading & Page: \xE2\x80\x9CIntroduction\xE2\x80\x9D on page i\n"));
  EXPECT_NE(std::string::npos, r.out.find("See Heading & Page: See \xE2\x80\x9CSummary\xE2\x80\x9D on page 2.\n"));
  EXPECT_NE(std::string::npos, r.out.find("Figure number: (fig. 1.1., p. 1)\n"));
  EXPECT_NE(std::string::npos, r.out.find("identical bytes"));
}

TEST(PreviewCommand, StoriesAreNumberedByTheirPlaceInTheStoryListEverywhere) {
  TempDir dir;
  const std::string file = "'" + dir.File("s.xrefdoc") + "'";
  ASSERT_EQ(0, RunXref("build " + kSample + " -o " + file).exitCode);
  // describe lists every story by its number, the footnote's too, and names
  // the stories of markers and footnotes by the same numbers.
  ProgramRun described = RunXref("describe " + file);
  ASSERT_EQ(0, described.exitCode) << described.out;
  EXPECT_NE(std::string::npos, described.out.find("\nstory 0: 666 characters, 5 frames\n")) << described.out;
  EXPECT_NE(std::string::npos, described.out.find("\nstory 1: 24 characters, a footnote's text\n"));
  EXPECT_NE(std::string::npos, described.out.find("  footnote 1 at 148: story 1, "));
  EXPECT_NE(std::string::npos, described.out.find("source marker \"Formats\": story 0 at 185, "));
  EXPECT_NE(std::string::npos, described.out.find("cross-reference 1: story 0 at 546, ")) << described.out;

  // The closing return of each story, at INDEX = its length, is a
  // destination; one past it is not.
  const std::string at = "preview --doc " + file + " --source Formats --at ";
  EXPECT_EQ("Formats and building blocks\n", RunXref(at + "1:24 '<paratext/>'").out);
  EXPECT_EQ(0, RunXref(at + "0:666 '<paratext/>'").exitCode);
  ProgramRun past = RunXref(at + "1:25 '<paratext/>'");
  EXPECT_EQ(2, past.exitCode);
  EXPECT_NE(std::string::npos, past.out.find("story 1 has 24 characters before its closing return, so INDEX goes from 0 to 24")) << past.out;
  EXPECT_EQ(2, RunXref(at + "2:0 '<paratext/>'").exitCode);
  EXPECT_EQ(2, RunXref(at + "0:1x '<paratext/>'").exitCode);
}

TEST(PreviewCommand, ProblemsOfComposingAtAMarkerGoToStandardErrorAndExitOne) {
  const std::string at = "preview --doc " + kSample + " --source Formats ";
  ProgramRun out = RunXref(at + "'[<fnnum/>]' '<paratext/>'", false);
  EXPECT_EQ(1, out.exitCode);
  EXPECT_EQ("[]\nFormats and building blocks\n", out.out);
  ProgramRun all = RunXref(at + "'[<fnnum/>]' '<paratext precedingpstyle=\"Nope\"/>'");
  EXPECT_NE(std::string::npos, all.out.find("xref: '[<fnnum/>]': ")) << all.out;
  EXPECT_NE(std::string::npos, all.out.find("(element 'fnnum')\n")) << all.out;
  EXPECT_NE(std::string::npos, all.out.find("(element 'paratext', attribute 'precedingpstyle')\n")) << all.out;
  EXPECT_EQ(0, RunXref(at + "'<paratext/>'").exitCode);
}

// xref convert-format: the Basic formats a format yields, and its warnings
// as a finding.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"

TEST(ConvertFormatCommand, PrintsTheBasicFormatsAndTheWarnings) {
  ProgramRun clean = RunXref("convert-format Page '<pagenum/>'", false);
  EXPECT_EQ(0, clean.exitCode);
  EXPECT_EQ("Basic format \"Page\":\n  page number\n", clean.out);

  ProgramRun warned = RunXref("convert-format Note 'See <span lang=\"de\"><fnnum/>x</span>'", false);
  EXPECT_EQ(1, warned.exitCode);
  EXPECT_EQ("Basic format \"Note\":\n  custom text \"See \"\n"
            "Basic format \"Note (de)\":\n  custom text \"x\"\n"
            "warnings:\n[Note] Basic formats have no footnote number; it was left out.\n",
            warned.out);

  EXPECT_EQ(2, RunXref("convert-format OnlyAName", false).exitCode);
  ProgramRun missing = RunXref("convert-format F x --doc /nonexistent/doc.xrefdoc");
  EXPECT_EQ(2, missing.exitCode);
  EXPECT_NE(std::string::npos, missing.out.find("/nonexistent/doc.xrefdoc"));
}

TEST(ConvertFormatCommand, AnInvalidFormatIsSaidToBeInvalidAndWhy) {
  for (const char* markup : {"'<pagenum'", "'a > ]]> b'"}) {
    ProgramRun run = RunXref(std::string("convert-format Broken ") + markup, false);
    SCOPED_TRACE(markup);
    EXPECT_EQ(1, run.exitCode) << run.out;
    const size_t at = run.out.find("invalid: ");
    ASSERT_NE(std::string::npos, at) << run.out;
    EXPECT_GT(run.out.size(), at + 10) << "no reason given";
  }
}

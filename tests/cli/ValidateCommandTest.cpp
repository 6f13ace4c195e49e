// xref validate: a line per format, exit 0 only when all are valid.
#include "tests/support/RunProgram.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
typedef ProgramRun ProgramOutput;

// Arguments are passed through single quotes; none of the formats below holds one.
ProgramOutput Validate(const std::vector<std::string>& formats) {
  std::string args = "validate";
  for (auto& f : formats) args += " '" + f + "'";
  return RunXref(args);
}
}  // namespace

TEST(ValidateCommand, PrintsValidForEachValidFormat) {
  ProgramOutput r = Validate({"See ^{<paratext/>^} on page <pagenum/>.", "", "<filename fullpath=\u201Cyes\u201D/>"});
  EXPECT_EQ(0, r.exitCode);
  EXPECT_EQ("valid\nvalid\nvalid\n", r.out);
}

TEST(ValidateCommand, GivesTheReasonForEachInvalidFormat) {
  ProgramOutput r = Validate({"page^s<pagenum/>", "x^\u00E9y", "<paratext>x</paratext>", "<pagenum numbertype=\"roman\"/>"});
  EXPECT_EQ(1, r.exitCode);
  EXPECT_EQ(0u, r.out.find("valid\ninvalid: unknown escape \"^\u00E9\" at position 2\ninvalid: ")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("roman")) << r.out;
  EXPECT_EQ(4, std::count(r.out.begin(), r.out.end(), '\n'));
}

TEST(ValidateCommand, NeedsAtLeastOneFormat) { EXPECT_EQ(2, Validate({}).exitCode); }

// A bracketed argument is one format as typed, before and after "--".
TEST(ValidateCommand, TakesEachArgumentAsOneFormatAsTyped) {
  ProgramOutput r = Validate({"[]", "[a,b]", "--", "[<paratext/>, <x/>]"});
  EXPECT_EQ(1, r.exitCode);
  EXPECT_EQ(0u, r.out.find("valid\nvalid\ninvalid: ")) << r.out;
  EXPECT_EQ(3, std::count(r.out.begin(), r.out.end(), '\n')) << r.out;
  ProgramRun preview = RunXref("preview '[<paratext/>]' -- '[See <marker/>, <paratext/>]' '--x'");
  EXPECT_EQ(0, preview.exitCode);
  EXPECT_EQ("[Sample paragraph text]\n[See Source Marker, Sample paragraph text]\n--x\n", preview.out);
}

// A name the language lacks is answered with the names it has and the one
// most likely meant; the help says where the language is described.
TEST(ValidateCommand, NamesTheElementsAndAttributesThatExistAndTheNearest) {
  ProgramOutput r = Validate({"<fignum/>", "<pagenum usethat=\"yes\"/>", "<zzzzzzzz/>"});
  EXPECT_EQ(1, r.exitCode);
  EXPECT_NE(std::string::npos,
            r.out.find("invalid: no declaration found for element 'fignum'; the elements are chapnum, char, filename, "
                       "fnnum, marker, pagenum, paranum, paratext, span; did you mean 'fnnum'? "
                       "(see docs/format-language.md)\n"))
      << r.out;
  EXPECT_NE(std::string::npos, r.out.find("pagenum takes cstyle, format, lang, precedingpstyle,")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("; did you mean 'usethis'?")) << r.out;
  // Nothing is near enough to guess.
  EXPECT_NE(std::string::npos, r.out.find("element 'zzzzzzzz'; the elements are chapnum")) << r.out;
  EXPECT_EQ(2, std::count(r.out.begin(), r.out.end(), '?')) << r.out;
  EXPECT_NE(std::string::npos, RunXref("validate --help").out.find("docs/format-language.md"));
}

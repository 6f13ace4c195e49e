#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "tests/support/TestApp.h"
#include <regex>

namespace {
InterfacePtr<IXRefPreviewer> Previewer() {
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  return InterfacePtr<IXRefPreviewer>(utils ? utils->QueryPreviewer() : nullptr);
}

std::string Sample(const char* format, ErrorCode* err = nullptr) {
  PMString text("unchanged");
  ErrorCode e = Previewer()->PreviewSample(&text, PMString(format));
  if (err) *err = e;
  return text.GetUTF8String();
}
}  // namespace

TEST(Previewer, SamplesStandInForEveryBuildingBlock) {
  TestApp app;
  ASSERT_TRUE(Previewer());
  const std::string see = Sample("See ^{<paratext/>^} on page <pagenum/>.");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(see, m, std::regex("See \xE2\x80\x9CSample paragraph text\xE2\x80\x9D on page ([0-9]+)\\.")))
      << see;
  int page = std::stoi(m[1]);
  EXPECT_GE(page, 1);
  EXPECT_LE(page, 50);
  EXPECT_TRUE(std::regex_match(Sample("<paranum/> <chapnum/>"), std::regex("[1-5]\\. [1-5]")));
  EXPECT_EQ("C:\\Documents\\Tessary\\sample.xrefdoc", Sample("<filename fullpath=\"yes\"/>"));
  EXPECT_EQ("sample.xrefdoc", Sample("<filename extension=\"no\"/>"));
  EXPECT_EQ("Source Marker", Sample("<marker/>"));
  // Without a destination the language filter has nothing to compare with.
  EXPECT_EQ("[only German]", Sample("[<span lang=\"German\">only German</span>]"));
  for (int i = 0; i < 50; ++i) {
    std::string c = Sample("<char code=\"65\"/>");
    ASSERT_EQ(1u, c.size());
    EXPECT_TRUE(c[0] >= 0x29 && c[0] <= 0x42) << c;
  }
}

TEST(Previewer, FailuresLeaveTheTextAlone) {
  TestApp app;
  ErrorCode err = kSuccess;
  EXPECT_EQ("unchanged", Sample("bad ^q escape", &err));
  EXPECT_EQ(kFailure, err);
  EXPECT_EQ("unchanged", Sample("<paratext>x</paratext>", &err));
  EXPECT_NE(kSuccess, err);
  EXPECT_EQ("", Sample("", &err));
  EXPECT_EQ(kSuccess, err);
}

#include "headless/layout/LineBreaker.h"
#include "headless/layout/PageNumbers.h"
#include "host/LayoutIDs.h"
#include <gtest/gtest.h>

namespace {
std::vector<std::u16string> Lines(const std::u16string& text, const std::vector<FrameBox>& frames,
                                  TextIndex* overset = nullptr) {
  std::vector<ComposedLine> lines;
  TextIndex o = BreakLines(text, frames, &lines);
  if (overset) *overset = o;
  std::vector<std::u16string> result;
  for (auto& l : lines) result.push_back(text.substr(static_cast<size_t>(l.start), static_cast<size_t>(l.length)));
  return result;
}
}  // namespace

TEST(LineBreaker, BreaksAfterSpacesAtReturnsAndInsideLongWords) {
  EXPECT_EQ((std::vector<std::u16string>{u"one two ", u"three\r", u"four\r"}),
            Lines(u"one two three\rfour\r", {{10, 9}}));
  // A word longer than a line is cut at the column limit.
  EXPECT_EQ((std::vector<std::u16string>{u"abcd", u"efgh", u"ij\r"}), Lines(u"abcdefghij\r", {{4, 9}}));
  // A surrogate pair is never split.
  EXPECT_EQ((std::vector<std::u16string>{u"ab", u"\U0001D400c", u"d\r"}), Lines(u"ab\U0001D400cd\r", {{3, 9}}));
  // A return right at the limit stays on its line; it takes no column.
  EXPECT_EQ((std::vector<std::u16string>{u"abcd\r", u"e\r"}), Lines(u"abcd\re\r", {{4, 9}}));
}

TEST(LineBreaker, FillsFramesInOrderAndLeavesTheRestOverset) {
  TextIndex overset = 0;
  auto lines = Lines(u"aa bb cc dd ee\r", {{3, 2}, {0, 5}, {3, 1}}, &overset);
  EXPECT_EQ((std::vector<std::u16string>{u"aa ", u"bb ", u"cc "}), lines);
  EXPECT_EQ(9, overset);
  std::vector<ComposedLine> composed;
  BreakLines(u"aa bb cc dd ee\r", {{3, 2}, {0, 5}, {3, 1}}, &composed);
  EXPECT_EQ(2, composed[2].frame);  // the frame without columns holds nothing
  EXPECT_EQ(0, composed[2].lineInFrame);
  EXPECT_EQ(0, BreakLines(u"x\r", {}, &composed));
}

TEST(PageNumbersTest, StylesAndTheirLimits) {
  EXPECT_EQ("xiv", FormatNumber(14, kLowerRomanNumbers).GetUTF8String());
  EXPECT_EQ("MCMXCIX", FormatNumber(1999, kUpperRomanNumbers).GetUTF8String());
  EXPECT_EQ("4000", FormatNumber(4000, kUpperRomanNumbers).GetUTF8String());
  EXPECT_EQ("0", FormatNumber(0, kLowerRomanNumbers).GetUTF8String());
  EXPECT_EQ("Z", FormatNumber(26, kUpperLetterNumbers).GetUTF8String());
  EXPECT_EQ("aa", FormatNumber(27, kLowerLetterNumbers).GetUTF8String());
  EXPECT_EQ("-3", FormatNumber(-3, kArabicNumbers).GetUTF8String());
}

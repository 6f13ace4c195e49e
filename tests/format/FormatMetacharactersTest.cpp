// Metacharacter conversion: escapes, typographic quotes, and failures that
// leave the text alone.
#include "tests/support/FormatFixture.h"

namespace {
class Metacharacters : public FormatFixture {
protected:
  // The converted text, or "error at N".
  std::u16string Convert(const std::u16string& in) {
    PMString text(in);
    int32 position = -7;
    if (utils_->ConvertMetacharacters(text, &position)) {
      EXPECT_EQ(in, text.Units()) << "a failed conversion must leave the text alone";
      return u"error at " + Utf::ToUTF16(std::to_string(position));
    }
    return text.Units();
  }
};
}  // namespace

TEST_F(Metacharacters, CaretsAtTheEdges) {
  EXPECT_EQ(u"page ^", Convert(u"page ^"));
  EXPECT_EQ(u"^", Convert(u"^^"));
  EXPECT_EQ(u"^^", Convert(u"^^^^"));
  EXPECT_EQ(u"^^", Convert(u"^^^"));
  EXPECT_EQ(u"", Convert(u""));
  EXPECT_EQ(u"error at 1", Convert(u"^q"));
  EXPECT_EQ(u"error at 6", Convert(u"ab^^ ^S"));  // escapes are case-sensitive
  EXPECT_EQ(u"error at 3", Convert(u"^s^ "));
  PMString text(u"^q");
  EXPECT_TRUE(utils_->ConvertMetacharacters(text, nullptr));  // no position wanted
}

TEST_F(Metacharacters, EveryEscapeGivesItsCharacter) {
  const std::u16string escapes = u"^{}[]_=~-sm>f34%/.<|tyih8e2rd67";
  const std::u16string expected = {0x5E,   0x201C, 0x201D, 0x2018, 0x2019, 0x2014, 0x2013, 0x2011,
                                   0xAD,   0xA0,   0x2003, 0x2002, 0x2001, 0x2004, 0x2005, 0x2006,
                                   0x2007, 0x2008, 0x2009, 0x200A, 0x09,   0x08,   0x07,   0x03,
                                   0x2022, 0x2026, 0xA9,   0xAE,   0x2122, 0xA7,   0xB6};
  ASSERT_EQ(escapes.size(), expected.size());
  std::u16string all;
  for (char16_t c : escapes) all += std::u16string(u"^") + c;
  EXPECT_EQ(expected, Convert(all));
}

TEST_F(Metacharacters, TypographicQuotesTypedBecomeStraightButEscapedOnesStay) {
  EXPECT_EQ(u"See \u201C<paratext/>\u201D on page <pagenum/>.",
            Convert(u"See ^{<paratext/>^} on page <pagenum/>."));
  EXPECT_EQ(u"<filename fullpath=\"yes\"/> 'x'", Convert(u"<filename fullpath=\u201Cyes\u201D/> \u2018x\u2019"));
  EXPECT_EQ(u"\u2018\u2019", Convert(u"^[^]"));
  // A quote after a caret is no escape, typed straight or curly.
  EXPECT_EQ(u"error at 1", Convert(u"^\u201C"));
}

TEST_F(Metacharacters, EscapesWorkInsideAttributeValues) {
  EXPECT_EQ("<span cstyle=a\u00A0b\u2014c></span>", Events(u"<span cstyle='a^sb^_c'/>"));
}

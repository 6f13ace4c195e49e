// The validator: what the format language accepts and rejects, and what it
// leaves in the global error code.
#include "tests/support/FormatFixture.h"

namespace {
class Validator : public FormatFixture {};

// Every attribute of every building block, with a value its type accepts.
const std::vector<std::pair<const char16_t*, std::vector<std::pair<const char16_t*, const char16_t*>>>>
    kDeclaredAttributes = {
        {u"paratext",
         {{u"precedingpstyle", u"H1"}, {u"followingpstyle", u"Group:H2"}, {u"filterbycstyle", u"Em"},
          {u"includesoftcr", u"yes"}, {u"includetab", u"no"}, {u"retainfontfamily", u"true"},
          {u"retainfontstyle", u"false"}, {u"retainposition", u"yes"}, {u"retainunderline", u"yes"},
          {u"delimiter", u":"}, {u"includedelimiter", u"yes"}, {u"includetrailingws", u"yes"},
          {u"includexref", u"yes"}, {u"reversedelimiter", u"."}, {u"remove", u"x"}, {u"replace", u"y"},
          {u"cutfirst", u"1"}, {u"cutlast", u"2"}}},
        {u"paranum",
         {{u"precedingpstyle", u"H1"}, {u"followingpstyle", u"H1"}, {u"numberonly", u"yes"},
          {u"includetrailingws", u"no"}, {u"includetrailingpunct", u"false"}, {u"noerror", u"true"}}},
        {u"pagenum",
         {{u"precedingpstyle", u"H1"}, {u"followingpstyle", u"H1"}, {u"usesectionname", u"yes"},
          {u"forcearabic", u"yes"}, {u"numbertype", u"actual"}, {u"usepage", u"yes"}, {u"pagetext", u"p. #"},
          {u"usethis", u"yes"}, {u"thistext", u"here"}, {u"useprev", u"yes"}, {u"prevtext", u"before"},
          {u"usenext", u"yes"}, {u"nexttext", u"after"}, {u"useopposite", u"yes"}, {u"oppositetext", u"facing"}}},
        {u"filename", {{u"fullpath", u"yes"}, {u"extension", u"no"}}},
        {u"fnnum", {{u"from", u"reftext"}}},
        {u"char", {{u"code", u"8212"}}},
        {u"chapnum", {}},
        {u"marker", {}},
        {u"span", {}},
};
}  // namespace

TEST_F(Validator, TheDefaultFormatsAreValid) {
  for (const char16_t* format :
       {u"^{<paratext/>^} on page <pagenum/>", u"page^s<pagenum/>", u"See ^{<paratext/>^} on page <pagenum/>.",
        u"(fig. <paranum/>, p. <pagenum/>)", u"<fnnum format=\"font-size: 9 pt; position: sup\"/>",
        u"For more on <paratext/> see page^<<pagenum/>",
        u"<pagenum usepage=\"yes\" usethis=\"yes\" thistext=\"this page\" usenext=\"yes\" nexttext=\"next page\" "
        u"useprev=\"yes\" prevtext=\"previous page\" useopposite=\"yes\" oppositetext=\"opposite page\"/>"})
    EXPECT_EQ(kSuccess, Validate(format)) << Utf::ToUTF8(format);
}

TEST_F(Validator, EveryDeclaredAttributeIsAcceptedAndNoOther) {
  for (auto& element : kDeclaredAttributes) {
    const std::u16string name = element.first;
    for (const char16_t* common : {u"cstyle", u"format", u"lang"})
      EXPECT_EQ(kSuccess, Validate(u"<" + name + u" " + common + u"='x'/>")) << Utf::ToUTF8(name);
    for (auto& attribute : element.second) {
      std::u16string format = u"<" + name + u" " + attribute.first + u"='" + attribute.second + u"'/>";
      EXPECT_EQ(kSuccess, Validate(format)) << Utf::ToUTF8(format);
    }
    EXPECT_NE(kSuccess, Validate(u"<" + name + u" bogus='1'/>")) << Utf::ToUTF8(name);
    EXPECT_NE(kSuccess, Validate(u"<" + name + u" CSTYLE='x'/>")) << Utf::ToUTF8(name);
  }
}

TEST_F(Validator, EnumeratedValuesOutsideTheirListAreRejected) {
  EXPECT_EQ(kSuccess, Validate(u"<pagenum numbertype='ordinal'/>"));
  EXPECT_NE(kSuccess, Validate(u"<pagenum numbertype='roman'/>"));
  EXPECT_NE(kSuccess, Validate(u"<filename fullpath='maybe'/>"));
  EXPECT_NE(kSuccess, Validate(u"<filename fullpath='Yes'/>"));
  EXPECT_NE(kSuccess, Validate(u"<fnnum from='page'/>"));
}

TEST_F(Validator, OnlyMarkerAndSpanHoldContent) {
  EXPECT_NE(kSuccess, Validate(u"<paratext>x</paratext>"));
  EXPECT_NE(kSuccess, Validate(u"<pagenum><span/></pagenum>"));
  EXPECT_NE(kSuccess, Validate(u"<char> </char>"));
  EXPECT_EQ(kSuccess, Validate(u"<span>x</span>"));
  EXPECT_EQ(kSuccess, Validate(u"<marker>x</marker>"));
  EXPECT_EQ(kSuccess, Validate(u"<span lang='English; German'>a<marker>b<paratext/></marker></span>"));
  EXPECT_EQ(kSuccess, Validate(u"<paratext></paratext>"));  // empty content is still EMPTY
}

TEST_F(Validator, MarkupMustBeWellFormedAndDeclared) {
  EXPECT_EQ(kSuccess, Validate(u""));
  EXPECT_EQ(kSuccess, Validate(u"plain text, no elements"));
  EXPECT_EQ(kSuccess, Validate(u"&lt;&amp;&#x2014;<!-- note -->"));
  EXPECT_EQ(kSuccess, Validate(u"<span cstyle='No Such Style'/>"));  // validity needs no document
  EXPECT_EQ(kSuccess, Validate(u"a^yb^h^i^t"));
  for (const char16_t* bad :
       {u"<foo/>", u"a < b", u"a & b", u"&nbsp;", u"<span>", u"</span>", u"<Span/>", u"</xref><xref>",
        u"]]>", u"<!DOCTYPE x>", u"<span cstyle='a^yb'/>", u"\u0001", u"\xD800", u"<?xml version='1.0'?>"})
    EXPECT_NE(kSuccess, Validate(bad)) << Utf::ToUTF8(bad);
}

TEST_F(Validator, UnknownEscapesFailWithoutTouchingTheGlobalError) {
  ErrorUtils::PMSetGlobalErrorCode(kCancel);
  EXPECT_EQ(kFailure, Validate(u"<span>^q</span>"));
  EXPECT_EQ(kCancel, ErrorUtils::PMGetGlobalErrorCode());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}


// The format attribute's scanner and properties, read into the attributes
// they set at a destination.
#include "format/XRefFormatProperties.h"
#include "tests/support/ComposerFixture.h"

namespace {
class FormatProperties : public ComposerFixture {
protected:
  void SetUp() override {
    ComposerFixture::SetUp();
    composer_.reset(utils_->QueryComposer());
    ASSERT_TRUE(composer_);
    destination_ = Location(IID_IXREFDESTTEXTLOC);
    destination_->SetLocation(doc_, Story({{"a", AttributeBossList()}}), 1);
  }
  // The attributes as "class=value", in the order set; "failed" on failure.
  std::string Read(const char16_t* value) {
    AttributeBossList list;
    if (ReadFormatProperties(PMString(value), destination_.get(), &list) != kSuccess) return "failed";
    std::string out;
    for (int32 i = 0; i < list.CountBosses(); ++i) {
      const TextAttribute& a = list.GetNth(i);
      if (!out.empty()) out += " ";
      out += std::to_string(IdValue(a.cls) - 0x1100) + "=";
      if (a.cls == kTextAttrPointSizeBoss) out += std::to_string(a.realValue).substr(0, 4);
      else if (a.cls == kTextAttrFontStyleBoss) out += a.stringValue.GetUTF8String();
      else out += std::to_string(a.intValue);
    }
    return out;
  }
  std::string Uid(UID u) const { return std::to_string(UIDValue(u)); }

  InterfacePtr<IXRefTextLoc> destination_;
};
}  // namespace

// Classes: 0 font, 1 font style, 2 size, 3 colour, 4 underline, 5 strike,
// 6 no-break, 7 position, 8 capitalisation.
TEST_F(FormatProperties, EachPropertySetsItsAttribute) {
  EXPECT_EQ("0=" + Uid(serif_), Read(u"font-family: serif"));
  EXPECT_EQ("1=Bold Italic", Read(u"font-style: Bold Italic"));
  EXPECT_EQ("2=9.00", Read(u"font-size: 9 pt"));
  EXPECT_EQ("3=" + Uid(red_), Read(u"color: Red"));
  EXPECT_EQ("3=" + Uid(redLower_), Read(u"color: red"));
  EXPECT_EQ("4=1 5=0 6=1", Read(u"underline: YES; strike: false; nobreak: true"));
  EXPECT_EQ("7=2", Read(u"position: subscript"));
  EXPECT_EQ("7=1", Read(u"position: Super"));
  EXPECT_EQ("8=1", Read(u"case: small"));
  EXPECT_EQ("8=2", Read(u"case: AllCaps"));
  EXPECT_EQ("8=0 7=0", Read(u"case: normal; position: normal"));
}

TEST_F(FormatProperties, ScannerDropsLeadingPunctuationAndKeepsWhatFollowsAWordCharacter) {
  EXPECT_EQ("2=9.00 7=1", Read(u"  ;; -font-size:: 9pt ;position: sup;;"));
  EXPECT_EQ("", Read(u"font-size : 9"));  // the space is part of the name
  EXPECT_EQ("", Read(u"underline yes"));  // no colon: one long name, no value
  EXPECT_EQ("1=Demi: Bold", Read(u"font-style: Demi: Bold"));
  EXPECT_EQ("2=10.5", Read(u"font-size: 10.5 points and more"));
  EXPECT_EQ("", Read(u""));
}

TEST_F(FormatProperties, UnknownNamesAndValuesSetNothingButAnUnknownFontFails) {
  EXPECT_EQ("", Read(u"colour: Red; position: sideways; underline: maybe; case: title; color: Green"));
  // Text of no size would vanish.
  EXPECT_EQ("", Read(u"font-size: big; font-size: 0"));
  EXPECT_EQ("failed", Read(u"font-size: 9; font-family: Nope"));
  destination_->SetLocation(doc_, kInvalidUID, 0);
  EXPECT_EQ("failed", Read(u"font-size: 9"));
  AttributeBossList list;
  EXPECT_EQ(kFailure, ReadFormatProperties(PMString("font-size: 9"), nullptr, &list));
}

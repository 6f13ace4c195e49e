// The format's body as the parser gets it: changes made only in the lexical
// context that needs them, and a clear refusal where XML has no place.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "format/IXRefValidator.h"
#include "format/XRefMarkupScanner.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "tests/support/TestApp.h"

namespace {
std::string Body(const std::u16string& format, MarkupFault* fault = nullptr) {
  std::u16string out;
  MarkupFault ignored;
  if (!ScanFormatMarkup(format, &out, fault ? fault : &ignored)) return "refused";
  return PMString(out).GetUTF8String();
}
}  // namespace

TEST(MarkupScanner, QuotesOutsideTagsDoNotOpenAttributeValues) {
  // A quote in a comment, a CDATA section or a processing instruction, or
  // in literal text, leaves what follows alone.
  EXPECT_EQ("<![CDATA[it's\tx]]>", Body(u"<![CDATA[it's\tx]]>"));
  EXPECT_EQ("<!-- don't --><paratext delimiter=\"'&#9;\"/>", Body(u"<!-- don't --><paratext delimiter=\"'\t\"/>"));
  EXPECT_EQ("<?pi it's?><a b='&#9;'/>\t", Body(u"<?pi it's?><a b='\t'/>\t"));
  EXPECT_EQ("it's\t<a b=\"x&#10;\"/>", Body(u"it's\t<a b=\"x\n\"/>"));
  // A ">" inside a value does not end the tag; "-->" ends a comment only there.
  EXPECT_EQ("<a b='>&#9;' c='&#9;'/>", Body(u"<a b='>\t' c='\t'/>"));
  EXPECT_EQ("<!-- <a b=' -->\t'", Body(u"<!-- <a b=' -->\t'"));
  // "]]>" in a value is just text; a CDATA section ends at its own.
  EXPECT_EQ("<a b=']]>&#9;'/><![CDATA[<a b=']]>\t", Body(u"<a b=']]>\t'/><![CDATA[<a b=']]>\t"));
}

TEST(MarkupScanner, ControlCharactersBecomeElementsWhereTextIsAndAreRefusedInValues) {
  EXPECT_EQ("a<char code='8' />b", Body(u"a\u0008b"));
  // In a CDATA section the element goes between two sections.
  EXPECT_EQ("<![CDATA[a]]><char code='7' /><![CDATA[b]]>", Body(u"<![CDATA[a\u0007b]]>"));
  // Comments and instructions output nothing; the character goes with them.
  EXPECT_EQ("<!-- ab -->", Body(u"<!-- a\u0003b -->"));
  MarkupFault fault;
  EXPECT_EQ("refused", Body(u"<paratext delimiter=\"\u0007\"/>", &fault));
  EXPECT_EQ(21, fault.position);
  EXPECT_EQ(u'\u0007', fault.character);
  EXPECT_EQ(u"delimiter", fault.attribute);
  EXPECT_EQ("refused", Body(u"<a x='1' b = '\u0008'/>", &fault));
  EXPECT_EQ(u"b", fault.attribute);
  EXPECT_EQ("\"^y\" at position 14 cannot stand in the value of attribute 'b': XML has no place for that character there",
            MarkupFaultMessage(fault).GetUTF8String());
}

TEST(MarkupScanner, ValidatorAndPreviewerNameTheEscapeAndTheAttribute) {
  TestApp app;
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  InterfacePtr<IXRefValidator> validator(utils->QueryValidator());
  InterfacePtr<IXRefPreviewer> previewer(utils->QueryPreviewer());
  ASSERT_TRUE(validator && previewer);
  for (const char* escape : {"^h", "^i", "^y"}) {
    const std::string format = std::string("<paratext delimiter=\"") + escape + "\"/>";
    EXPECT_EQ(kParserError, validator->Validate(PMString(format.c_str()), true));
    const std::string message = Host::Get().GlobalErrorMessage().GetUTF8String();
    EXPECT_EQ(std::string("\"") + escape + "\" at position 21 cannot stand in the value of attribute 'delimiter'",
              message.substr(0, message.find(':')));
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  // Previews of the review's formats: the tab stays a tab.
  PMString text;
  ASSERT_EQ(kSuccess, previewer->PreviewSample(&text, PMString("<![CDATA[it's^tx]]>")));
  EXPECT_EQ("it's\tx", text.GetUTF8String());
  // Control characters in text and in CDATA become (sample) char elements.
  EXPECT_EQ(kSuccess, validator->Validate(PMString("a^yb<![CDATA[^ic]]>"), false));
  ASSERT_EQ(kSuccess, previewer->PreviewSample(&text, PMString("a^yb<![CDATA[^ic]]>")));
  ASSERT_EQ(5u, text.Units().size());
  EXPECT_EQ(u"abc", text.Units().substr(0, 1) + text.Units().substr(2, 1) + text.Units().substr(4, 1));
}

// The host's SAX parser service: switches, DTD defaults, errors, and input
// that must not reach outside the stream or blow up.
#include "headless/objects/Host.h"
#include "headless/xml/XercesReaderPool.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/IK2ServiceRegistry.h"
#include "host/IPMStream.h"
#include "host/ISAXContentHandler.h"
#include "host/ISAXParser.h"
#include "host/ISAXParserOptions.h"
#include "host/InterfacePtr.h"
#include "tests/support/RecordingHandler.h"
#include <gtest/gtest.h>

namespace {
// UTF-16 without a byte-order mark is recognised by its XML declaration.
const char16_t kDecl[] = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n";
const char16_t kDTD[] =
    u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
    u"<!DOCTYPE doc [\n"
    u"  <!ELEMENT doc ANY>\n"
    u"  <!ELEMENT item EMPTY>\n"
    u"  <!ATTLIST item kind (a | b) \"a\" label CDATA #IMPLIED>\n"
    u"]>\n";

struct Outcome {
  ErrorCode code;
  std::string events;
  std::string message;
};

class SAXParserTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterRecorderClass();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }

  // A new parser, told to validate or left with its switches as they come.
  static InterfacePtr<ISAXParser> NewParser(bool validate) {
    InterfacePtr<ISAXParser> parser(
        static_cast<ISAXParser*>(ServiceRegistry::QueryDefaultServiceProvider(kSAXParserService, IID_ISAXPARSER)));
    InterfacePtr<ISAXParserOptions> options(parser.get(), IID_ISAXPARSEROPTIONS);
    if (options && validate) options->SetValidationFeature(true);
    return parser;
  }

  // Parses the text as UTF-16 code units without a byte-order mark.
  static Outcome Parse(const std::u16string& text, bool validate) {
    InterfacePtr<ISAXParser> parser = NewParser(validate);
    InterfacePtr<IPMUnknown> recorder(CreateObject(kTestRecorderBoss, IPMUnknown::kControllingIID));
    InterfacePtr<ISAXContentHandler> handler(recorder.get(), IID_ISAXCONTENTHANDLER);
    InterfacePtr<IPMStream> stream(
        StreamUtil::CreatePointerStreamRead(text.data(), static_cast<int32>(text.size() * 2)));
    ErrorCode code = parser->Parse(stream.get(), handler.get());
    Outcome out{code, RecordedEvents(recorder.get()), Host::Get().GlobalErrorMessage().GetUTF8String()};
    EXPECT_EQ(code, ErrorUtils::PMGetGlobalErrorCode());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return out;
  }
};
}  // namespace

TEST_F(SAXParserTest, ValidatingParseAppliesDefaultsAndStopsAtTheFirstViolation) {
  Outcome ok = Parse(std::u16string(kDTD) + u"<doc>x <item label='L'/> y</doc>", true);
  EXPECT_EQ(kSuccess, ok.code);
  EXPECT_EQ("[<doc>x <item kind=a label=L></item> y</doc>]", ok.events);

  Outcome undeclared = Parse(std::u16string(kDTD) + u"<doc>before<other/>after</doc>", true);
  EXPECT_EQ(kParserError, undeclared.code);
  EXPECT_NE(std::string::npos, undeclared.message.find("other")) << undeclared.message;
  // Events up to the fault arrive; nothing after it.
  EXPECT_EQ("[<doc>before", undeclared.events);

  EXPECT_EQ(kParserError, Parse(std::u16string(kDTD) + u"<doc><item kind='c'/></doc>", true).code);
  EXPECT_EQ(kParserError, Parse(std::u16string(kDTD) + u"<doc><item>text</item></doc>", true).code);
  EXPECT_EQ(kParserError, Parse(std::u16string(kDTD) + u"<doc><item color='red'/></doc>", true).code);
}

TEST_F(SAXParserTest, NewParsersDoNotValidateButStillApplyDeclaredDefaults) {
  Outcome out = Parse(std::u16string(kDTD) + u"<doc><item/><other kind='z'/></doc>", false);
  EXPECT_EQ(kSuccess, out.code) << out.message;
  EXPECT_EQ("[<doc><item kind=a></item><other kind=z></other></doc>]", out.events);
}

TEST_F(SAXParserTest, MalformedOrEmptyInputFailsWithAMessage) {
  for (const char16_t* body : {u"<doc><unclosed></doc>", u"<doc>a & b</doc>", u"", u"<doc/><doc/>"}) {
    Outcome out = Parse(std::u16string(kDecl) + body, false);
    EXPECT_EQ(kParserError, out.code) << Utf::ToUTF8(body);
    EXPECT_FALSE(out.message.empty());
  }
  InterfacePtr<ISAXParser> parser = NewParser(false);
  EXPECT_EQ(kInvalidParameterError, parser->Parse(nullptr, nullptr));
}

TEST_F(SAXParserTest, NothingOutsideTheStreamIsRead) {
  // An external subset or entity would read a file; the host refuses both.
  Outcome externalDTD = Parse(std::u16string(kDecl) + u"<!DOCTYPE doc SYSTEM \"/etc/hostname\"><doc>x</doc>", false);
  EXPECT_EQ(kSuccess, externalDTD.code) << externalDTD.message;
  EXPECT_EQ("[<doc>x</doc>]", externalDTD.events);
  Outcome externalEntity =
      Parse(std::u16string(kDecl) + u"<!DOCTYPE doc [<!ENTITY e SYSTEM \"/etc/hostname\">]><doc>&e;</doc>", false);
  EXPECT_EQ(kParserError, externalEntity.code);
  EXPECT_EQ("[<doc>", externalEntity.events);
}

TEST_F(SAXParserTest, EntityExpansionIsBounded) {
  std::u16string bomb = std::u16string(kDecl) + u"<!DOCTYPE doc [<!ENTITY a0 \"xxxxxxxxxx\">";
  for (int i = 1; i <= 9; ++i) {
    std::u16string prev = u"&a" + Utf::ToUTF16(std::to_string(i - 1)) + u";";
    bomb += u"<!ENTITY a" + Utf::ToUTF16(std::to_string(i)) + u" \"";
    for (int k = 0; k < 10; ++k) bomb += prev;
    bomb += u"\">";
  }
  bomb += u"]><doc>&a9;</doc>";
  Outcome out = Parse(bomb, false);
  EXPECT_EQ(kParserError, out.code);
  EXPECT_NE(std::string::npos, out.message.find("expansion")) << out.message;
  EXPECT_LT(out.events.size(), 200000u);  // of 10^10 characters
}

// Readers are reused from one parse to the next; nothing of one document
// (its DTD, its entities, its failure) may show in the next.
TEST_F(SAXParserTest, ReusedReadersGiveTheSameOutcomesAsFreshOnes) {
  const std::u16string entityDTD = std::u16string(kDecl) +
                                   u"<!DOCTYPE doc [<!ELEMENT doc ANY><!ELEMENT item EMPTY>"
                                   u"<!ATTLIST item kind (a | b) 'b'><!ENTITY who 'World'>]>";
  const std::u16string brokenDTD = std::u16string(kDecl) + u"<!DOCTYPE doc [<!ELEMENT doc ANY>"
                                                           u"<!ATTLIST doc kind (a | b) 'c'>]>";
  const std::vector<std::u16string> docs = {
      std::u16string(kDTD) + u"<doc>x <item label='L'/> y</doc>",
      std::u16string(kDTD) + u"<doc><other/></doc>",
      std::u16string(kDTD) + u"<doc><item kind='c'/></doc>",
      std::u16string(kDTD) + u"<other/>",
      entityDTD + u"<doc>Hello &who;<item/></doc>",
      entityDTD + u"<doc>&nobody;</doc>",
      brokenDTD + u"<doc/>",
      std::u16string(kDecl) + u"<doc>&who;</doc>",
      std::u16string(kDTD) + u"<doc><item/></doc>",
  };
  std::vector<std::string> fresh;
  XercesReaderPool::SetReuse(false);
  for (const std::u16string& doc : docs) {
    Outcome out = Parse(doc, true);
    fresh.push_back(std::to_string(ErrorValue(out.code)) + " " + out.events + " " + out.message);
  }
  XercesReaderPool::SetReuse(true);
  for (int round = 0; round < 3; ++round) {
    for (size_t i = 0; i < docs.size(); ++i) {
      Outcome out = Parse(docs[i], true);
      EXPECT_EQ(fresh[i], std::to_string(ErrorValue(out.code)) + " " + out.events + " " + out.message)
          << "document " << i << ", round " << round;
    }
  }
  EXPECT_EQ('0', fresh[0][0]);
  EXPECT_EQ("0 [<doc>Hello World<item kind=b></item></doc>] ", fresh[4]);
  EXPECT_NE('0', fresh[6][0]);  // a broken DTD stays broken
  EXPECT_NE('0', fresh[7][0]);  // and entities do not outlive their document
}

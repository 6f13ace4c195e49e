// The parsing utility: the assembled document, the element registry, what the
// parser hands to content handlers, and attribute reading.
#include <algorithm>
#include "format/IXRefComposer.h"
#include "format/IXRefElement.h"
#include "format/IXRefPreviewer.h"
#include "format/XRefElement.h"
#include "format/XRefFormatDocument.h"
#include "headless/objects/Host.h"
#include "host/IK2ServiceRegistry.h"
#include "host/ISAXParser.h"
#include "integration/ImplementationRecord.h"
#include "tests/support/FormatFixture.h"

namespace {
class ParsingUtils : public FormatFixture {};

const char* const kElementNames[] = {"paratext", "paranum", "marker", "pagenum", "chapnum",
                                     "fnnum",    "filename", "char",  "span"};
}  // namespace

TEST_F(ParsingUtils, DocumentIsHeaderRootAndFormatWithRightIndentTabsAsElements) {
  PMString header;
  ASSERT_TRUE(BuildFormatDTDHeader(&header));
  const std::string h = header.GetUTF8String();
  EXPECT_EQ(0u, h.find("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n<!DOCTYPE xref [\n  <!ELEMENT xref ANY>\n"));
  EXPECT_EQ(h.size() - 3, h.rfind("]>\n"));
  // Fragments run from the last registered provider to the first.
  std::vector<std::string> expected;
  std::vector<ClassID> providers = ServiceRegistry::ProvidersOf(kXRefElementService);
  for (auto it = providers.rbegin(); it != providers.rend(); ++it) {
    InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject(*it, IID_IXREFELEMENT)));
    expected.push_back(element->GetName().GetUTF8String());
  }
  std::vector<std::string> declared;
  for (size_t at = h.find("<!ELEMENT xref ANY>") + 1; (at = h.find("<!ELEMENT ", at)) != std::string::npos; ++at) {
    size_t start = at + 10;
    declared.push_back(h.substr(start, h.find(' ', start) - start));
  }
  EXPECT_EQ(expected, declared);
  // The nine blocks of the language; tests may register more of their own.
  for (const char* name : {"paratext", "paranum", "marker", "pagenum", "chapnum", "fnnum", "filename", "char", "span"})
    EXPECT_NE(declared.end(), std::find(declared.begin(), declared.end(), name)) << name;

  PMString document;
  MarkupFault fault;
  ASSERT_TRUE(AssembleFormatDocument(header, PMString(), &document, &fault));
  EXPECT_EQ(h + "<xref></xref>", document.GetUTF8String());
  ASSERT_TRUE(AssembleFormatDocument(header, Str(u"a\u0008b\u0008\u0003\u0007\u0001"), &document, &fault));
  EXPECT_EQ(h + "<xref>a<char code='8' />b<char code='8' /><char code='3' /><char code='7' />\x01</xref>",
            document.GetUTF8String());
}

TEST_F(ParsingUtils, ElementsAreFoundByTheirExactName) {
  for (const char* name : kElementNames) {
    InterfacePtr<IXRefElement> element(utils_->QueryElement(PMString(name)));
    ASSERT_TRUE(element) << name;
    EXPECT_EQ(name, element->GetName().GetUTF8String());
    EXPECT_NE(std::string::npos, element->GetDTD().GetUTF8String().find(std::string("<!ATTLIST ") + name));
  }
  EXPECT_FALSE(InterfacePtr<IXRefElement>(utils_->QueryElement(PMString("Paratext"))));
  EXPECT_FALSE(InterfacePtr<IXRefElement>(utils_->QueryElement(PMString("xref"))));
  EXPECT_FALSE(InterfacePtr<IXRefElement>(utils_->QueryElement(PMString(""))));
  EXPECT_TRUE(InterfacePtr<IXRefPreviewer>(utils_->QueryPreviewer()));
  EXPECT_TRUE(InterfacePtr<IXRefComposer>(utils_->QueryComposer()));
}

TEST_F(ParsingUtils, DeclaredDefaultsArriveAsAttributes) {
  EXPECT_EQ("<filename extension=true fullpath=yes></filename>", Events(u"<filename fullpath=\u201Cyes\u201D/>"));
  EXPECT_EQ("<fnnum from=footnote></fnnum>", Events(u"<fnnum/>"));
  EXPECT_EQ("<paranum includetrailingpunct=true includetrailingws=false noerror=false numberonly=false></paranum>",
            Events(u"<paranum/>"));
  EXPECT_EQ("<pagenum forcearabic=false nexttext=next page numbertype=default oppositetext=opposite page "
            "pagetext=page # prevtext=previous page thistext=this page usenext=false useopposite=false "
            "usepage=false useprev=false usesectionname=false usethis=false></pagenum>",
            Events(u"<pagenum/>"));
  EXPECT_EQ("<span></span><chapnum></chapnum><char></char>", Events(u"<span/><chapnum/><char/>"));
}

TEST_F(ParsingUtils, CharacterDataReachesHandlersAsWritten) {
  EXPECT_EQ("a<char code=8></char>b", Events(u"a^yb"));
  // Control characters XML 1.0 forbids come as char elements; a tab as itself.
  EXPECT_EQ("<char code=3></char><char code=7></char>\t", Events(u"^h^i^t"));
  EXPECT_EQ("  a  <span> b </span>  ", Events(u"  a  <span> b </span>  "));
  EXPECT_EQ("<&A\"", Events(u"&lt;&amp;&#x41;&quot;"));
  EXPECT_EQ("<marker>x<span>y</span></marker>", Events(u"<marker>x<span>y</span></marker>"));
  EXPECT_EQ("", Events(u""));
}

// A format that parsed cleanly is not parsed again: its events, attributes
// and character data included, are played back the same.
TEST_F(ParsingUtils, AFormatParsedBeforeGivesTheSameEventsAgain) {
  const char16_t* format = u"See <span>x</span> on <pagenum usepage=\u201Ctrue\u201D/>";
  const std::string first = Events(format);
  EXPECT_NE(std::string::npos, first.find("usepage=true"));
  EXPECT_EQ(first, Events(format));
}

TEST_F(ParsingUtils, AttributesAreReadByExactName) {
  FakeAttributes attrs({{u"name", u"Intro"}, {u"t", u"true"}, {u"y", u"yes"}, {u"f", u"false"}, {u"n", u"no"},
                        {u"T", u"True"}, {u"m", u"maybe"}, {u"num", u"-12"}, {u"pt", u"9 pt"}, {u"e", u""}});
  EXPECT_TRUE(utils_->HasAttribute(&attrs, PMString("name")));
  EXPECT_FALSE(utils_->HasAttribute(&attrs, PMString("Name")));
  EXPECT_FALSE(utils_->HasAttribute(nullptr, PMString("name")));

  PMString value = utils_->GetStringAttribute(&attrs, PMString("name"), PMString("d"));
  EXPECT_EQ("Intro", value.GetUTF8String());
  EXPECT_FALSE(value.GetTranslatable());
  EXPECT_EQ("d", utils_->GetStringAttribute(&attrs, PMString("missing"), PMString("d")).GetUTF8String());
  EXPECT_EQ("", utils_->GetStringAttribute(&attrs, PMString("e"), PMString("d")).GetUTF8String());

  for (bool fallback : {false, true}) {
    EXPECT_TRUE(utils_->GetBoolAttribute(&attrs, PMString("t"), fallback));
    EXPECT_TRUE(utils_->GetBoolAttribute(&attrs, PMString("y"), fallback));
    EXPECT_FALSE(utils_->GetBoolAttribute(&attrs, PMString("f"), fallback));
    EXPECT_FALSE(utils_->GetBoolAttribute(&attrs, PMString("n"), fallback));
    EXPECT_EQ(fallback, utils_->GetBoolAttribute(&attrs, PMString("T"), fallback) != 0);
    EXPECT_EQ(fallback, utils_->GetBoolAttribute(&attrs, PMString("m"), fallback) != 0);
    EXPECT_EQ(fallback, utils_->GetBoolAttribute(&attrs, PMString("missing"), fallback) != 0);
  }

  EXPECT_EQ(-12, utils_->GetIntAttribute(&attrs, PMString("num"), 5));
  EXPECT_EQ(5, utils_->GetIntAttribute(&attrs, PMString("pt"), 5));  // trailing text is a conversion error
  EXPECT_EQ(5, utils_->GetIntAttribute(&attrs, PMString("e"), 5));
  EXPECT_EQ(5, utils_->GetIntAttribute(&attrs, PMString("missing"), 5));
}

TEST_F(ParsingUtils, ParseFailuresReportTheParserErrorAndClearItUnlessKept) {
  InterfacePtr<IPMUnknown> recorder(CreateObject(kTestRecorderBoss, IPMUnknown::kControllingIID));
  EXPECT_EQ(kParserError, utils_->ParseFormat(Str(u"<bogus/>"), recorder.get(), false));
  EXPECT_EQ(kSuccess, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_EQ("[<xref>", RecordedEvents(recorder.get()));  // events before the fault arrived

  EXPECT_EQ(kParserError, utils_->ParseFormat(Str(u"<bogus/>"), recorder.get(), true));
  EXPECT_EQ(kParserError, ErrorUtils::PMGetGlobalErrorCode());
  EXPECT_NE(std::string::npos, Host::Get().GlobalErrorMessage().GetUTF8String().find("bogus"));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);

  // The utility object itself has no content handler.
  EXPECT_EQ(kFailure, utils_->ParseFormat(Str(u"x"), utils_.get(), false));
  EXPECT_EQ(kFailure, utils_->ParseFormat(Str(u"x"), nullptr, false));
}

TEST(ParsingUtilsWithoutSession, ParseFormatFailsWithoutASession) {
  InterfacePtr<IXRefParsingUtils> utils;
  {
    TestApp app;
    utils.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    ASSERT_TRUE(utils);
  }
  InterfacePtr<IPMUnknown> validator(utils->QueryValidator());
  EXPECT_FALSE(InterfacePtr<ISAXParser>(utils->CreateSAXParser(true)));
  EXPECT_EQ(kFailure, utils->ParseFormat(PMString("x"), validator.get(), false));
}

namespace {
// A building block that a later plug-in might add.
constexpr ClassID kTestElementBoss{0x7402};
constexpr ImplementationID kTestElementImpl{0x7502};
class TestGlossElement : public XRefElement {
public:
  explicit TestGlossElement(IPMUnknown* boss) : XRefElement(boss, "gloss", kAny) {}
};
}  // namespace

TEST_F(ParsingUtils, BlocksRegisteredLaterJoinTheLanguage) {
  EXPECT_NE(kSuccess, Validate(u"<gloss>x</gloss>"));
  Host::Get().Impls().InstallHost<TestGlossElement>(kTestElementImpl);
  Host::Get().Classes().Define(
      {kTestElementBoss, kInvalidClass,
       {{IID_IK2SERVICEPROVIDER, kXRefElementServiceProviderImpl}, {IID_IXREFELEMENT, kTestElementImpl}}});
  ServiceRegistry::Rescan();
  // The utilities object the validator fetches is a new one, with a new DTD.
  EXPECT_EQ(kSuccess, Validate(u"<gloss>x<paratext/></gloss>"));
  InterfacePtr<IXRefElement> gloss(
      InterfacePtr<IXRefParsingUtils>(UtilsBoss::QueryUtils<IXRefParsingUtils>())->QueryElement(PMString("gloss")));
  EXPECT_TRUE(gloss);
}

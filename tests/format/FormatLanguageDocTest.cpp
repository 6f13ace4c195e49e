// The writers' page on the format language names every element, attribute
// and escape the plug-in knows, so that none is left for writers to find
// in the code.
#include "format/IXRefElement.h"
#include "format/XRefFormatID.h"
#include "host/IK2ServiceRegistry.h"
#include "tests/support/FormatFixture.h"
#include <fstream>
#include <regex>
#include <sstream>

namespace {
std::string PageText() {
  std::ifstream in(std::string(XREF_SOURCE_DIR) + "/docs/format-language.md");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Names(const std::string& page, const std::string& name) {
  return page.find("`" + name + "`") != std::string::npos || page.find("`" + name + " ") != std::string::npos ||
         page.find("`<" + name) != std::string::npos;
}
}  // namespace

class FormatLanguagePage : public FormatFixture {};

TEST_F(FormatLanguagePage, NamesEveryElementAndAttribute) {
  const std::string page = PageText();
  ASSERT_FALSE(page.empty());
  static const std::regex attribute("\\s([a-z]+)\\s+(CDATA|\\()");
  int32 elements = 0;
  for (ClassID provider : ServiceRegistry::ProvidersOf(kXRefElementService)) {
    InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject(provider, IID_IXREFELEMENT)));
    if (!element) continue;
    ++elements;
    const std::string name = element->GetName().GetUTF8String();
    EXPECT_NE(std::string::npos, page.find("### `" + name + "`")) << name;
    const std::string dtd = element->GetDTD().GetUTF8String();
    for (std::sregex_iterator it(dtd.begin(), dtd.end(), attribute), end; it != end; ++it)
      EXPECT_TRUE(Names(page, (*it)[1].str())) << name << " " << (*it)[1].str();
  }
  EXPECT_EQ(9, elements);
}

TEST_F(FormatLanguagePage, NamesEveryEscape) {
  const std::string page = PageText();
  int32 escapes = 0;
  for (char c = 0x21; c < 0x7F; ++c) {
    PMString format(std::u16string{u'^', static_cast<char16_t>(c)});
    if (utils_->ConvertMetacharacters(format, nullptr)) continue;
    ++escapes;
    const std::string written = c == '|' ? "`^\\|`" : std::string("`^") + c + "`";
    EXPECT_NE(std::string::npos, page.find(written)) << written;
  }
  EXPECT_EQ(31, escapes);
}

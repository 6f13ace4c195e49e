#include "format/XRefElement.h"
#include <string>

const char kXRefCDATA[] = "CDATA";
const char kXRefBool[] = "(true | false | yes | no)";

namespace {
const XRefAttributeDecl kCommonAttributes[] = {
    {"cstyle", kXRefCDATA, nullptr},
    {"format", kXRefCDATA, nullptr},
    {"lang", kXRefCDATA, nullptr},
};

void AppendDecl(std::string& dtd, const XRefAttributeDecl& a) {
  dtd += "    ";
  dtd += a.name;
  dtd += ' ';
  dtd += a.type;
  if (a.defaultValue) {
    dtd += " \"";
    dtd += a.defaultValue;
    dtd += "\"\n";
  } else {
    dtd += " #IMPLIED\n";
  }
}
}  // namespace

XRefElement::XRefElement(IPMUnknown* boss, const char* name, Content content, const XRefAttributeDecl* attributes,
                         size_t count)
    : CPMUnknown<IXRefElement>(boss), name_(name), content_(content), attributes_(attributes), count_(count) {}

PMString XRefElement::GetName() const {
  PMString name(name_);
  name.SetTranslatable(false);
  return name;
}

PMString XRefElement::GetDTD() const {
  std::string dtd = std::string("  <!ELEMENT ") + name_ + (content_ == kEmpty ? " EMPTY>\n" : " ANY>\n");
  dtd += std::string("  <!ATTLIST ") + name_ + "\n";
  for (const XRefAttributeDecl& a : kCommonAttributes) AppendDecl(dtd, a);
  for (size_t i = 0; i < count_; ++i) AppendDecl(dtd, attributes_[i]);
  dtd += "  >\n";
  PMString result(dtd);
  result.SetTranslatable(false);
  return result;
}

ErrorCode XRefElement::AddPreview(std::vector<ComposedRun>&, ISAXAttributes*) { return kXRefMissingInputError; }

ErrorCode XRefElement::Compose(std::vector<ComposedRun>&, ISAXAttributes*, IXRefComposerState*, IXRefTextLoc*,
                               IXRefTextLoc*) {
  return kXRefMissingInputError;
}

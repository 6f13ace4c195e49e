#include "format/XRefFormatDocument.h"
#include "format/IXRefElement.h"
#include "host/CreateObject.h"
#include "host/IK2ServiceRegistry.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"

bool BuildFormatDTDHeader(PMString* header) {
  if (!GetExecutionContextSession()) return false;
  PMString dtd("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n<!DOCTYPE xref [\n  <!ELEMENT xref ANY>\n");
  std::vector<ClassID> providers = ServiceRegistry::ProvidersOf(kXRefElementService);
  for (size_t i = providers.size(); i-- > 0;) {
    InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject(providers[i], IID_IXREFELEMENT)));
    if (!element) break;
    dtd.Append(element->GetDTD());
  }
  dtd.Append("]>\n");
  dtd.SetTranslatable(false);
  *header = dtd;
  return true;
}

namespace {
// The control characters the escapes produce that XML 1.0 does not allow
// (U+0009 is allowed), as the char elements that give them back.
const char16_t* CharElementFor(char16_t c) {
  switch (c) {
    case 0x0003: return u"<char code='3' />";
    case 0x0007: return u"<char code='7' />";
    case 0x0008: return u"<char code='8' />";
    default: return nullptr;
  }
}
}  // namespace

PMString AssembleFormatDocument(const PMString& header, const PMString& format) {
  static const std::u16string kOpen = u"<xref>", kClose = u"</xref>";
  const std::u16string& text = format.Units();
  std::u16string doc;
  doc.reserve(header.Units().size() + kOpen.size() + text.size() + kClose.size());
  doc += header.Units();
  doc += kOpen;
  for (char16_t c : text) {
    if (const char16_t* element = CharElementFor(c)) doc += element;
    else doc.push_back(c);
  }
  doc += kClose;
  PMString result(doc);
  result.SetTranslatable(false);
  return result;
}

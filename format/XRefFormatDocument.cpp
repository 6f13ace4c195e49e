#include "format/XRefFormatDocument.h"
#include "format/IXRefElement.h"
#include "host/CreateObject.h"
#include "host/IK2ServiceRegistry.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"

bool BuildFormatDTD(std::vector<ClassID>* providers, WideString* declarations) {
  if (!GetExecutionContextSession()) return false;
  *providers = ServiceRegistry::ProvidersOf(kXRefElementService);
  PMString dtd("  <!ELEMENT xref ANY>\n");
  for (size_t i = providers->size(); i-- > 0;) {
    InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject((*providers)[i], IID_IXREFELEMENT)));
    if (!element) break;
    dtd.Append(element->GetDTD());
  }
  *declarations = WideString(dtd.Units());
  return true;
}

bool BuildFormatDTDHeader(PMString* header) {
  std::vector<ClassID> providers;
  WideString declarations;
  if (!BuildFormatDTD(&providers, &declarations)) return false;
  PMString dtd("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n<!DOCTYPE xref [\n");
  dtd.Append(PMString(declarations.Units()));
  dtd.Append("]>\n");
  dtd.SetTranslatable(false);
  *header = dtd;
  return true;
}

PMString FormatDocumentHeader(const WideString& systemID) {
  PMString header("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n<!DOCTYPE xref SYSTEM \"");
  header.Append(PMString(systemID.Units()));
  header.Append("\">\n");
  header.SetTranslatable(false);
  return header;
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
  // The parser turns a tab, line feed or return inside an attribute value
  // into a space ("^t" as a delimiter would stop at the first blank); as
  // character references they keep what they are.
  bool inTag = false;
  char16_t quote = 0;
  for (char16_t c : text) {
    if (quote && (c == u'\t' || c == u'\n' || c == u'\r')) {
      doc += c == u'\t' ? u"&#9;" : c == u'\n' ? u"&#10;" : u"&#13;";
      continue;
    }
    if (c == u'<' && !quote) inTag = true;
    else if (inTag && (c == u'"' || c == u'\'')) quote = quote == c ? 0 : quote ? quote : c;
    else if (c == u'>' && !quote) inTag = false;
    if (const char16_t* element = CharElementFor(c)) doc += element;
    else doc.push_back(c);
  }
  doc += kClose;
  PMString result(doc);
  result.SetTranslatable(false);
  return result;
}

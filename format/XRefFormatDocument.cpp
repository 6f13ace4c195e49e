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

bool AssembleFormatDocument(const PMString& header, const PMString& format, PMString* document, MarkupFault* fault) {
  static const std::u16string kOpen = u"<xref>", kClose = u"</xref>";
  const std::u16string& text = format.Units();
  std::u16string doc;
  doc.reserve(header.Units().size() + kOpen.size() + text.size() + kClose.size());
  doc += header.Units();
  doc += kOpen;
  if (!ScanFormatMarkup(text, &doc, fault)) return false;
  doc += kClose;
  *document = PMString(doc);
  document->SetTranslatable(false);
  return true;
}

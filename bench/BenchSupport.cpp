#include "bench/BenchSupport.h"
#include "format/IXRefParsingUtils.h"
#include "format/XRefFormatDocument.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "host/ILayout.h"
#include "host/IPlugIn.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <cstdlib>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/XMLUni.hpp>

extern "C" IPlugIn* GetPlugIn();

using namespace xercesc;

const char16_t* const kBenchDefaultFormats[7] = {
    u"^{<paratext/>^} on page <pagenum/>",
    u"page^s<pagenum/>",
    u"See ^{<paratext/>^} on page <pagenum/>.",
    u"(fig. <paranum/>, p. <pagenum/>)",
    u"<fnnum format=\"font-size: 9 pt; position: sup\"/>",
    u"For more on <paratext/> see page^<<pagenum/>",
    u"<pagenum usepage=\"yes\" usethis=\"yes\" thistext=\"this page\" usenext=\"yes\" nexttext=\"next page\" "
    u"useprev=\"yes\" prevtext=\"previous page\" useopposite=\"yes\" oppositetext=\"opposite page\"/>",
};

PagedDocument::PagedDocument(int32 pages) : app(AppOptions{"-", nullptr}) {
  StartBenchApplication(app);
  doc = app.NewDocument();
  LayoutBuilder layout(doc);
  DocumentBuilder text(doc);
  UID story = text.NewStory();
  for (int32 p = 0; p < pages; ++p) {
    InterfacePtr<ISpread> spread(doc, layout.AddSpread(1), IID_ISPREAD);
    layout.AddTextFrame(spread->GetNthPageUID(0), story, 40, 1);
    text.AddParagraph(story);
    text.AddRun(story, WideString::FromUTF8("para " + std::to_string(p)));
  }
  doc->ClearUndo();
}

void StartBenchApplication(Application& app) {
  std::string error;
  if (!app.RegisterPlugin(GetPlugIn(), &error)) abort();
  app.Start();
}

std::vector<std::u16string> AssembledFormats(const char16_t* const* formats, size_t count) {
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  PMString header;
  if (!utils || !BuildFormatDTDHeader(&header)) abort();
  std::vector<std::u16string> documents;
  for (size_t i = 0; i < count; ++i) {
    PMString format(formats[i]);
    utils->ConvertMetacharacters(format, nullptr);
    PMString document;
    MarkupFault fault;
    if (!AssembleFormatDocument(header, format, &document, &fault)) abort();
    documents.push_back(document.Units());
  }
  return documents;
}

std::unique_ptr<SAX2XMLReader> BareReader() {
  std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
  reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
  reader->setFeature(XMLUni::fgSAX2CoreValidation, true);
  reader->setFeature(XMLUni::fgXercesDynamic, false);
  return reader;
}

void BareParse(SAX2XMLReader& reader, const std::u16string& document) {
  DefaultHandler handler;
  reader.setContentHandler(&handler);
  reader.setErrorHandler(&handler);
  MemBufInputSource source(reinterpret_cast<const XMLByte*>(document.data()), document.size() * 2, "format");
  reader.parse(source);
}

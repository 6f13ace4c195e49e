// Validating the seven default formats through the plug-in's validator,
// against a bare Xerces validating parse of the same assembled documents.
// The host keeps its Xerces readers for reuse; the "NewReaders" variant turns
// that off to measure what the plug-in's and host's layers themselves add.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "format/XRefFormatDocument.h"
#include "headless/Application.h"
#include "headless/XercesReaderPool.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/XMLUni.hpp>

extern "C" IPlugIn* GetPlugIn();

namespace {
using namespace xercesc;

const char16_t* const kDefaultFormats[] = {
    u"^{<paratext/>^} on page <pagenum/>",
    u"page^s<pagenum/>",
    u"See ^{<paratext/>^} on page <pagenum/>.",
    u"(fig. <paranum/>, p. <pagenum/>)",
    u"<fnnum format=\"font-size: 9 pt; position: sup\"/>",
    u"For more on <paratext/> see page^<<pagenum/>",
    u"<pagenum usepage=\"yes\" usethis=\"yes\" thistext=\"this page\" usenext=\"yes\" nexttext=\"next page\" "
    u"useprev=\"yes\" prevtext=\"previous page\" useopposite=\"yes\" oppositetext=\"opposite page\"/>",
};

struct Session {
  Session() : app(AppOptions{"-", nullptr}) {
    std::string error;
    if (!app.RegisterPlugin(GetPlugIn(), &error)) abort();
    app.Start();
    utils.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    validator.reset(utils->QueryValidator());
    PMString header;
    if (!validator || !BuildFormatDTDHeader(&header)) abort();
    for (const char16_t* f : kDefaultFormats) {
      PMString format(f);
      utils->ConvertMetacharacters(format, nullptr);
      documents.push_back(AssembleFormatDocument(header, format).Units());
    }
  }
  Application app;
  InterfacePtr<IXRefParsingUtils> utils;
  InterfacePtr<IXRefValidator> validator;
  std::vector<std::u16string> documents;  // as the validator assembles them
};

Session& TheSession() {
  static Session* session = new Session();
  return *session;
}

void ValidateAll(benchmark::State& state) {
  Session& s = TheSession();
  for (auto _ : state) {
    for (const char16_t* f : kDefaultFormats)
      if (s.validator->Validate(PMString(f), false) != kSuccess) state.SkipWithError("a default format is invalid");
  }
  state.SetItemsProcessed(state.iterations() * 7);
}

std::unique_ptr<SAX2XMLReader> BareReader() {
  std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
  reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
  reader->setFeature(XMLUni::fgSAX2CoreValidation, true);
  reader->setFeature(XMLUni::fgXercesDynamic, false);
  return reader;
}

void BareParse(SAX2XMLReader& reader, const std::u16string& doc) {
  DefaultHandler handler;
  reader.setContentHandler(&handler);
  reader.setErrorHandler(&handler);
  MemBufInputSource source(reinterpret_cast<const XMLByte*>(doc.data()), doc.size() * 2, "format");
  reader.parse(source);
}
}  // namespace

static void BM_Validate_NewReaders(benchmark::State& state) {
  XercesReaderPool::SetReuse(false);
  ValidateAll(state);
  XercesReaderPool::SetReuse(true);
}
BENCHMARK(BM_Validate_NewReaders);

static void BM_Validate(benchmark::State& state) { ValidateAll(state); }
BENCHMARK(BM_Validate);

static void BM_BareXercesParse(benchmark::State& state) {
  Session& s = TheSession();
  for (auto _ : state) {
    for (const std::u16string& doc : s.documents) {
      std::unique_ptr<SAX2XMLReader> reader = BareReader();
      BareParse(*reader, doc);
    }
  }
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_BareXercesParse);

static void BM_BareXercesParse_ReusedReader(benchmark::State& state) {
  Session& s = TheSession();
  std::unique_ptr<SAX2XMLReader> reader = BareReader();
  for (auto _ : state)
    for (const std::u16string& doc : s.documents) BareParse(*reader, doc);
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_BareXercesParse_ReusedReader);

// Both sides in one loop, alternating, so that load on the machine weighs on
// them alike; "ratio" is the validator's time over the bare parse's.
static void RatioTo(benchmark::State& state, bool reuse) {
  Session& s = TheSession();
  XercesReaderPool::SetReuse(reuse);
  using Clock = std::chrono::steady_clock;
  Clock::duration ours{}, bare{};
  for (auto _ : state) {
    Clock::time_point t0 = Clock::now();
    for (const char16_t* f : kDefaultFormats) s.validator->Validate(PMString(f), false);
    Clock::time_point t1 = Clock::now();
    for (const std::u16string& doc : s.documents) {
      std::unique_ptr<SAX2XMLReader> reader = BareReader();
      BareParse(*reader, doc);
    }
    Clock::time_point t2 = Clock::now();
    ours += t1 - t0;
    bare += t2 - t1;
  }
  XercesReaderPool::SetReuse(true);
  state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(bare);
}

static void BM_Ratio_NewReaders(benchmark::State& state) { RatioTo(state, false); }
BENCHMARK(BM_Ratio_NewReaders);

static void BM_Ratio(benchmark::State& state) { RatioTo(state, true); }
BENCHMARK(BM_Ratio);

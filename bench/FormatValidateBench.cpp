// Validating the seven default formats through the plug-in's validator,
// against a bare Xerces validating parse of the same assembled documents.
// The host keeps its Xerces readers for reuse; the "NewReaders" variant turns
// that off to measure what the plug-in's and host's layers themselves add.
#include "bench/BenchSupport.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "headless/application/Application.h"
#include "headless/xml/XercesReaderPool.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace {
using namespace xercesc;

struct Session {
  Session() : app(AppOptions{"-", nullptr}) {
    StartBenchApplication(app);
    utils.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    validator.reset(utils->QueryValidator());
    if (!validator) abort();
    documents = AssembledFormats(kBenchDefaultFormats, 7);
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
    for (const char16_t* f : kBenchDefaultFormats)
      if (s.validator->Validate(PMString(f), false) != kSuccess) state.SkipWithError("a default format is invalid");
  }
  state.SetItemsProcessed(state.iterations() * 7);
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
    for (const char16_t* f : kBenchDefaultFormats) s.validator->Validate(PMString(f), false);
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

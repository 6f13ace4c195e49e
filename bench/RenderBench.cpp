// Drawing every page of a document to a PDF, at 1,000 and 10,000 pages.
// "growth" is the time at 10,000 pages over the time at 1,000: ten times
// the pages should cost about ten times the time (at most 11), not a
// hundred, as it did when each spread walked every frame of the document.
#include "bench/BenchSupport.h"
#include "headless/drawing/RenderOutput.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include <benchmark/benchmark.h>
#include <ctime>
#include <cstdio>
#include <unistd.h>

namespace {
// One application at a time: each document is made, drawn and gone in turn.
double SecondsToRender(int32 pageCount) {
  const PagedDocument d(pageCount);
  InterfacePtr<IPageList> list(d.doc, kRootUID, IID_IPAGELIST);
  std::vector<UID> pages;
  for (int32 p = 0; p < list->GetPageCount(); ++p) pages.push_back(list->GetNthPageUID(p));
  const std::string path = "/tmp/xref-render-bench-" + std::to_string(::getpid()) + ".pdf";
  // Processor time: the machine may be shared, and the growth is what counts.
  const std::clock_t start = std::clock();
  std::string error;
  const bool ok = Renderer(d.doc, DrawOptions()).WritePDF(pages, path, &error);
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  std::remove(path.c_str());
  if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
  return seconds;
}

void BM_RenderAllGrowth(benchmark::State& state) {
  for (auto _ : state) {
    const double a = SecondsToRender(1000), b = SecondsToRender(10000);
    state.counters["seconds_1000"] = a;
    state.counters["seconds_10000"] = b;
    state.counters["growth"] = b / a;
  }
}
}  // namespace

BENCHMARK(BM_RenderAllGrowth)->Iterations(1)->Unit(benchmark::kSecond);

// Describing a built document and asking its page list, at 1,000 and 10,000
// pages: the time per page should stay flat (linear growth overall). The
// page-query benchmark asks every page's index and string, as describing
// does for each paragraph.
#include "bench/BenchSupport.h"
#include "cli/Describe.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include <benchmark/benchmark.h>
#include <sstream>

namespace {
void BM_Describe(benchmark::State& state) {
  PagedDocument d(static_cast<int32>(state.range(0)));
  for (auto _ : state) {
    std::ostringstream out;
    DescribeDocument(d.doc, out);
    benchmark::DoNotOptimize(out.str().size());
  }
  state.SetComplexityN(state.range(0));
  state.counters["per_page"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}

void BM_PageQueries(benchmark::State& state) {
  PagedDocument d(static_cast<int32>(state.range(0)));
  InterfacePtr<IPageList> pages(d.doc, kRootUID, IID_IPAGELIST);
  for (auto _ : state) {
    int64_t sum = 0;
    for (int32 p = 0; p < pages->GetPageCount(); ++p) {
      UID page = pages->GetNthPageUID(p);
      PMString s;
      pages->GetPageString(page, &s, true, false, kDefaultPageNumber, true);
      sum += pages->GetPageIndex(page) + s.CharCount();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetComplexityN(state.range(0));
  state.counters["per_page"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}
}  // namespace

BENCHMARK(BM_Describe)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_PageQueries)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

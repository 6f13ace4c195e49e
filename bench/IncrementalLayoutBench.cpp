// N single-character edits in one long story, each followed by a line
// question, as updating N cross-references in one story asks. The story's
// composition follows each edit from the line it touched, so the cost per
// edit does not grow with N: 10 times the edits take about 10 times as long.
// The baseline composes the whole story after each edit, as the host did
// before.
#include "headless/application/Application.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/layout/StoryComposition.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/text/StoryEditor.h"
#include "host/ILineInfo.h"
#include "host/InterfacePtr.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {
constexpr int32 kStoryLength = 100000;

struct LayoutBench {
  std::unique_ptr<Application> app;
  DataBase* doc = nullptr;
  UID story = kInvalidUID;

  LayoutBench() {
    AppOptions options;
    options.prefsPath = "-";
    app = std::make_unique<Application>(options);
    doc = app->NewDocument();
    story = DocumentBuilder(doc).NewStory();
    std::u16string text;
    for (int32 i = 0; text.size() < static_cast<size_t>(kStoryLength - 1); ++i)
      text += i % 9 == 8 ? u"ending.\r" : u"word and ";
    StoryEditor(UIDRef(doc, story)).Insert(0, text);
    LayoutBuilder layout(doc);
    layout.AddSpread(1);
    layout.AddTextFrame(layout.PageUID(0), story, 40, 1000000);
    ComposeStory(doc, story);
  }
};

// One edit (an insertion, or a deletion that keeps the story's length), then
// the line holding a random index.
template <class Query>
void EditAndQuery(LayoutBench& bench, std::mt19937& rng, int32 edit, Query query) {
  StoryEditor editor(UIDRef(bench.doc, bench.story));
  const TextIndex at = static_cast<TextIndex>(rng() % static_cast<uint32>(editor.Length() - 2));
  if (edit % 2 == 0) editor.Insert(at, u"x");
  else editor.Delete(at, 1);
  query(static_cast<TextIndex>(rng() % static_cast<uint32>(editor.Length() - 1)));
}

void IncrementalEdits(benchmark::State& state) {
  LayoutBench bench;
  InterfacePtr<ILineInfo> lines(bench.doc, bench.story, IID_ILINEINFO);
  std::mt19937 rng(7);
  const int32 n = static_cast<int32>(state.range(0));
  for (auto _ : state) {
    for (int32 i = 0; i < n; ++i)
      EditAndQuery(bench, rng, i, [&](TextIndex at) {
        LineInfo info;
        benchmark::DoNotOptimize(lines->GetLineInfo(at, &info));
      });
  }
  state.counters["s_per_edit"] = benchmark::Counter(static_cast<double>(state.iterations()) * n,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void FullRecomposition(benchmark::State& state) {
  LayoutBench bench;
  std::mt19937 rng(7);
  const int32 n = static_cast<int32>(state.range(0));
  for (auto _ : state) {
    for (int32 i = 0; i < n; ++i)
      EditAndQuery(bench, rng, i, [&](TextIndex at) {
        auto scratch = ComposeStoryFromScratch(bench.doc, bench.story);
        benchmark::DoNotOptimize(scratch->LineAt(at));
      });
  }
  state.counters["s_per_edit"] = benchmark::Counter(static_cast<double>(state.iterations()) * n,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
}  // namespace

BENCHMARK(IncrementalEdits)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(FullRecomposition)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(2);

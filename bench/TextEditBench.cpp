// Edits at random positions in stories of 10 thousand and 1 million
// characters, each with 4000 attribute runs and a paragraph every 64
// characters. The cost per edit must not grow with the story.
//
// Three measures: the story's storage (every strand, through the editor,
// outside any undo step); the text commands as the plug-in runs them, each
// its own undo step as a user's typing makes them; and the same commands
// inside one open undo step, which leaves out what closing a step costs.
// Only the second tells what an edit costs a user (LargeStoryBench.cpp
// compares it across story lengths in one run).
#include "headless/application/Application.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/text/StoryEditor.h"
#include "host/CmdUtils.h"
#include "host/ITextModelCmds.h"
#include "host/TextAttr.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {
constexpr int32 kRuns = 4000;
constexpr int32 kParagraph = 64;

struct StoryBench {
  std::unique_ptr<Application> app;
  DataBase* doc = nullptr;
  UID story = kInvalidUID;

  explicit StoryBench(int32 size) {
    AppOptions options;
    options.prefsPath = "-";
    app = std::make_unique<Application>(options);
    doc = app->NewDocument();
    story = DocumentBuilder(doc).NewStory();
    std::u16string text(static_cast<size_t>(size - 1), u'x');
    for (size_t i = kParagraph - 1; i < text.size(); i += kParagraph) text[i] = u'\r';
    StoryEditor editor(UIDRef(doc, story));
    editor.Insert(0, text);
    AttributeBossList small;
    small.ApplyAttribute(TextAttr::PointSize(9));
    const int32 runLength = size / kRuns;
    for (int32 run = 1; run < kRuns; run += 2) editor.ApplyAttributes(run * runLength, runLength, small);
  }
};

void PerEditCounter(benchmark::State& state) {
  state.counters["ns_per_edit"] = benchmark::Counter(static_cast<double>(state.iterations()) * 2,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void EditStorage(benchmark::State& state) {
  StoryBench bench(static_cast<int32>(state.range(0)));
  StoryEditor editor(UIDRef(bench.doc, bench.story));
  std::mt19937 rng(1);
  const std::u16string pieces[] = {u"abc", u"a\rb"};
  for (auto _ : state) {
    const std::u16string& piece = pieces[rng() % 2];
    int32 length = editor.Length();
    editor.Insert(static_cast<TextIndex>(rng() % static_cast<uint32>(length - 1)), piece);
    editor.Delete(static_cast<TextIndex>(rng() % static_cast<uint32>(length - 1)), static_cast<int32>(piece.size()));
  }
  PerEditCounter(state);
}

// Two commands, an insertion and a deletion, at random places.
struct CommandEdits {
  StoryBench bench;
  InterfacePtr<ITextModelCmds> cmds;
  InterfacePtr<ITextModel> model;
  std::mt19937 rng{2};

  explicit CommandEdits(int32 size)
      : bench(size), cmds(bench.doc, bench.story, IID_ITEXTMODELCMDS), model(bench.doc, bench.story, IID_ITEXTMODEL) {}
  void Edit() {
    static const WideString pieces[] = {WideString("abc"), WideString("a\rb")};
    const WideString& piece = pieces[rng() % 2];
    int32 length = model->TotalLength();
    InterfacePtr<ICommand> insert(
        cmds->InsertCmd(static_cast<TextIndex>(rng() % static_cast<uint32>(length - 1)), piece));
    CmdUtils::ProcessCommand(insert.get());
    InterfacePtr<ICommand> remove(
        cmds->DeleteCmd(static_cast<TextIndex>(rng() % static_cast<uint32>(length - 1)), piece.Length()));
    CmdUtils::ProcessCommand(remove.get());
  }
};

void EditCommands(benchmark::State& state) {
  CommandEdits edits(static_cast<int32>(state.range(0)));
  for (auto _ : state) edits.Edit();
  PerEditCounter(state);
}

void EditCommandsInOneOpenStep(benchmark::State& state) {
  CommandEdits edits(static_cast<int32>(state.range(0)));
  {
    CmdUtils::SequenceContext step(PMString("bench"));
    edits.Edit();
    for (auto _ : state) edits.Edit();
  }
  PerEditCounter(state);
}
}  // namespace

BENCHMARK(EditStorage)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(EditCommands)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(EditCommandsInOneOpenStep)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

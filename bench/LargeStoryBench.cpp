// Edits of a generated story of 10 thousand characters and of one of a
// million (one heading with a source marker and one cross-reference per
// thousand characters, a footnote per ten thousand), each edit its own undo
// step as a user's typing makes them. Every iteration times the same edit
// in both stories; "ratio" is the long story's time over the short one's
// and should stay near 1 (at most 1.5): an edit costs what it changes.
// With argument 1 the edits follow a cursor, as typing does (a jump to a
// random place every 64 edits); with 0 each lands at a random place, so
// that the long story's structures are mostly out of the processor's
// caches, which the short story's never are.
//
// Also: building a described million-character story with 1,000 markers
// and 1,000 cross-references against the same text without them (the
// "ratio" of BuildWithObjects, the median over builds timed in pairs, at
// most 2), and the undo history that 10,000 typed characters leave in the
// long story ("history_MB", at most 10).
#include "bench/BenchSupport.h"
#include "bench/LargeDocument.h"
#include "cli/DocumentSource.h"
#include "commands/XRefCommandID.h"
#include "headless/layout/StoryComposition.h"
#include "host/CmdUtils.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefSourceMarkerList.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

std::string DescriptionFile(const LargeDocumentSpec& spec, const std::string& name) {
  const std::string path = "/tmp/xref-bench-" + name + ".json";
  if (!WriteLargeDescription(spec, path)) std::abort();
  return path;
}

LargeDocumentSpec Spec(int32 characters, bool objects) {
  LargeDocumentSpec spec;
  spec.characters = characters;
  spec.headings = characters / 1000;
  spec.crossRefs = characters / 1000;
  spec.footnotes = characters / 10000;
  spec.withObjects = objects;
  return spec;
}

// Builds a description, stopping the run unless every object it describes
// was placed: a figure "with objects" means nothing without them.
DataBase* Build(Application& app, const LargeDocumentSpec& spec, const std::string& path) {
  std::string error;
  DataBase* doc = BuildDescribedDocument(app, path, &error);
  if (!doc) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::abort();
  }
  InterfacePtr<IXRefSourceMarkerList> markers(doc, kRootUID);
  InterfacePtr<IXRefCrossRefList> refs(doc, kRootUID);
  const int32 wantMarkers = spec.withObjects ? spec.headings : 0;
  const int32 wantRefs = spec.withObjects ? spec.crossRefs + spec.externalRefs : 0;
  if (markers->GetMarkerCount() != wantMarkers || refs->GetCrossRefCount() != wantRefs) {
    std::fprintf(stderr, "%s: %d markers and %d cross-references placed, not %d and %d\n", path.c_str(),
                 markers->GetMarkerCount(), refs->GetCrossRefCount(), wantMarkers, wantRefs);
    std::abort();
  }
  return doc;
}

struct LargeStory {
  DataBase* doc = nullptr;
  UID story = kInvalidUID;
  std::mt19937 rng{7};
  bool scattered = false;
  TextIndex cursor = 0;
  int32 edits = 0;

  LargeStory(Application& app, int32 characters) {
    const LargeDocumentSpec spec = Spec(characters, true);
    doc = Build(app, spec, DescriptionFile(spec, std::to_string(characters)));
    InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
    story = stories->GetNthStoryUID(0);
    ComposeStory(doc, story);
  }
  int32 Length() const { return InterfacePtr<ITextModel>(doc, story, IID_ITEXTMODEL)->TotalLength(); }
  TextIndex RandomIndex() { return static_cast<TextIndex>(rng() % static_cast<uint32>(Length() - 1)); }
  // Where the next edit goes.
  TextIndex Next() {
    if (scattered || edits++ % 64 == 0 || cursor >= Length() - 20) cursor = RandomIndex();
    return ++cursor;
  }
  ErrorCode Process(ICommand* raw) {
    InterfacePtr<ICommand> cmd(raw);
    return CmdUtils::ProcessCommand(cmd.get());
  }
  ErrorCode Type(TextIndex at) {
    InterfacePtr<ITextModelCmds> cmds(doc, story, IID_ITEXTMODELCMDS);
    return Process(cmds->InsertCmd(at, WideString("x")));
  }
};

struct Stories {
  Application app{AppOptions{"-", nullptr}};
  std::unique_ptr<LargeStory> small, large;
  Stories() {
    StartBenchApplication(app);
    small = std::make_unique<LargeStory>(app, 10000);
    large = std::make_unique<LargeStory>(app, 1000000);
  }
};

Stories& Shared() {
  static Stories* stories = new Stories();  // built once for all the edit benchmarks
  return *stories;
}

// Runs `edit` (answering the seconds of the part it times) on both stories
// per iteration.
template <class Edit>
void Compare(benchmark::State& state, Edit edit) {
  Stories& s = Shared();
  s.small->scattered = s.large->scattered = state.range(0) == 0;
  double small = 0, large = 0;
  for (auto _ : state) {
    small += edit(*s.small);
    large += edit(*s.large);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["small_us"] = small / n * 1e6;
  state.counters["large_us"] = large / n * 1e6;
  state.counters["ratio"] = large / small;
}

template <class F>
double Timed(F f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Each typed character is undone untimed, so that the stories keep their
// sizes for the benchmarks that follow: a hundred thousand characters typed
// into the short story would make it no longer short.
void TypeOneCharacter(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    const TextIndex at = s.Next();
    const double t = Timed([&] { s.Type(at); });
    s.doc->Undo();
    return t;
  });
}

void DeleteRange(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    const TextIndex at = s.Next();
    InterfacePtr<ITextModelCmds> cmds(s.doc, s.story, IID_ITEXTMODELCMDS);
    const int32 count = std::min<int32>(16, s.Length() - 1 - at);
    const double t = Timed([&] { s.Process(cmds->DeleteCmd(at, count)); });
    s.doc->Undo();
    return t;
  });
}

void UndoTyping(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    s.Type(s.Next());
    return Timed([&] { s.doc->Undo(); });
  });
}

// The redone character is undone again, untimed, as typing's is: left in,
// two hundred thousand of them would overfill the long story's frames and
// make the short one long for the benchmarks that follow.
void RedoTyping(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    s.Type(s.Next());
    s.doc->Undo();
    const double t = Timed([&] { s.doc->Redo(); });
    s.doc->Undo();
    return t;
  });
}

ErrorCode InsertCrossRef(LargeStory& s, TextIndex at) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
  cmd->SetItemList(UIDList(s.doc, s.story));
  InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(at, 0);
  InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile());
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString("H1"));
  InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)->SetFormatData(PMString("Bench"), PMString("page <pagenum/>"));
  InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(false);
  return CmdUtils::ProcessCommand(cmd.get());
}

// The insertion command composes the cross-reference's text; the story is
// composed again after it, as the next idle pass would.
// A place inside another cross-reference's text is refused; the next place
// is tried, and only the insertion that succeeds is timed.
void InsertOneCrossRef(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    for (int tries = 0; tries < 100; ++tries) {
      const TextIndex at = s.Next();
      ErrorCode inserted = kFailure;
      const double t = Timed([&] {
        inserted = InsertCrossRef(s, at);
        if (inserted == kSuccess) ComposeStory(s.doc, s.story);
      });
      if (inserted != kSuccess) continue;
      s.doc->Undo();
      return t;
    }
    std::abort();
    return 0.0;
  });
}

void BuildWithObjects(benchmark::State& state) {
  Stories& s = Shared();
  const LargeDocumentSpec plainSpec = Spec(1000000, false), fullSpec = Spec(1000000, true);
  const std::string plain = DescriptionFile(plainSpec, "plain");
  const std::string full = DescriptionFile(fullSpec, "full");
  double without = 0, with = 0;
  std::vector<double> ratios;
  auto build = [&](const LargeDocumentSpec& spec, const std::string& path) {
    return Timed([&] {
      DataBase* doc = Build(s.app, spec, path);
      InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
      ComposeStory(doc, stories->GetNthStoryUID(0));
      s.app.CloseDocument(doc);
    });
  };
  for (auto _ : state) {
    const double plainTime = build(plainSpec, plain), objectsTime = build(fullSpec, full);
    without += plainTime;
    with += objectsTime;
    ratios.push_back(objectsTime / plainTime);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["plain_ms"] = without / n * 1e3;
  state.counters["objects_ms"] = with / n * 1e3;
  // The median of builds timed side by side: a stall of the machine during
  // one build moves it less than it moves a ratio of sums.
  std::sort(ratios.begin(), ratios.end());
  state.counters["ratio"] = ratios[ratios.size() / 2];
}

void TypingHistory(benchmark::State& state) {
  Stories& s = Shared();
  LargeStory& story = *s.large;
  double mb = 0;
  for (auto _ : state) {
    story.doc->ClearUndo();
    for (int i = 0; i < 10000; ++i) story.Type(story.Next());
    mb = static_cast<double>(story.doc->HistoryBytes()) / (1024.0 * 1024.0);
  }
  state.counters["history_MB"] = mb;
  if (mb > 10) state.SkipWithError("the undo history of 10,000 typed characters passed 10 MB");
}
}  // namespace

BENCHMARK(TypeOneCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteRange)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoTyping)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(RedoTyping)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(InsertOneCrossRef)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuildWithObjects)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TypingHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

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
// "ratio" of BuildWithObjects, at most 2), and the undo history that
// 10,000 typed characters leave in the long story ("history_MB", at most 10).
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
#include "model/IXRefFormatData.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <random>

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
  spec.headings = objects ? characters / 1000 : 0;
  spec.crossRefs = objects ? characters / 1000 : 0;
  spec.footnotes = objects ? characters / 10000 : 0;
  return spec;
}

struct LargeStory {
  DataBase* doc = nullptr;
  UID story = kInvalidUID;
  std::mt19937 rng{7};
  bool scattered = false;
  TextIndex cursor = 0;
  int32 edits = 0;

  LargeStory(Application& app, int32 characters) {
    std::string error;
    doc = BuildDescribedDocument(app, DescriptionFile(Spec(characters, true), std::to_string(characters)), &error);
    if (!doc) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
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

void TypeOneCharacter(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    const TextIndex at = s.Next();
    return Timed([&] { s.Type(at); });
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

void RedoTyping(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    s.Type(s.Next());
    s.doc->Undo();
    return Timed([&] { s.doc->Redo(); });
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
void InsertOneCrossRef(benchmark::State& state) {
  Compare(state, [](LargeStory& s) {
    const TextIndex at = s.Next();
    const double t = Timed([&] {
      if (InsertCrossRef(s, at) != kSuccess) std::abort();
      ComposeStory(s.doc, s.story);
    });
    s.doc->Undo();
    return t;
  });
}

void BuildWithObjects(benchmark::State& state) {
  Stories& s = Shared();
  const std::string plain = DescriptionFile(Spec(1000000, false), "plain");
  const std::string full = DescriptionFile(Spec(1000000, true), "full");
  double without = 0, with = 0;
  auto build = [&](const std::string& path) {
    return Timed([&] {
      std::string error;
      DataBase* doc = BuildDescribedDocument(s.app, path, &error);
      if (!doc) std::abort();
      InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
      ComposeStory(doc, stories->GetNthStoryUID(0));
      s.app.CloseDocument(doc);
    });
  };
  for (auto _ : state) {
    without += build(plain);
    with += build(full);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["plain_ms"] = without / n * 1e3;
  state.counters["objects_ms"] = with / n * 1e3;
  state.counters["ratio"] = with / without;
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
BENCHMARK(BuildWithObjects)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(TypingHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Updating N cross-references of one long story, pointing at source markers
// spread through the document, against a bare Xerces validating parse of
// the format they use. "update_ratio" is the cost of one cross-reference's
// update over one bare parse; compare "us_per_update" across N = 1,000 and
// 10,000 for how the cost grows. Last, checking against updating.
// XREF_BENCH_ITER=K runs K iterations instead of 3, for profiling.
#include "bench/BenchSupport.h"
#include "commands/XRefCommandID.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/ILineInfo.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>

namespace {
constexpr int kMarkers = 100;
constexpr int kSourcePages = 10;
const char16_t* const kFormat = u"page^s<pagenum/>";

struct Document {
  explicit Document(int n) : app(AppOptions{"-", nullptr}) {
    StartBenchApplication(app);
    doc = app.NewDocument();
    DocumentBuilder b(doc);
    LayoutBuilder layout(doc);
    source = b.NewStory();
    for (int i = 0; i < kMarkers; ++i) {
      b.AddParagraph(source);
      b.AddRun(source, WideString::FromUTF8("Heading " + std::to_string(i) + " with body text to fill a page"));
    }
    target = b.NewStory();
    b.AddParagraph(target);
    // Ten pages of sources, then pages enough for every cross-reference: all
    // of both stories is laid out, none of it overset.
    const int pages = kSourcePages + 1 + n / 250;
    for (int i = 0; i < (pages + 1) / 2; ++i) layout.AddSpread(2);
    for (int p = 0; p < kSourcePages; ++p) layout.AddTextFrame(layout.PageUID(p), source, 40, 25);
    for (int p = kSourcePages; p < pages; ++p) layout.AddTextFrame(layout.PageUID(p), target, 60, 60);
    {
      // One undo step for the whole setup: a step per insertion would copy
      // the growing story into the history each time.
      CmdUtils::SequenceContext setup(PMString("Set up"));
      for (int i = 0; i < kMarkers; ++i) InsertMarker(i);
      for (int i = 0; i < n; ++i) InsertCrossRef(i);
    }
    InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
    crossRefs = list->GetCrossRefs();
    if (crossRefs.Length() != n) abort();
    doc->ClearUndo();
  }

  // Every cross-reference composed, and its text on a page: the update
  // measured is the whole of one.
  void CheckComposed() const {
    for (int32 i = 0; i < crossRefs.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(crossRefs.GetRef(i));
      if (!crossRef || crossRef->GetCompositionState() != 0) abort();
    }
    InterfacePtr<ILineInfo> lines(doc, target, IID_ILINEINFO);
    InterfacePtr<ITextModel> text(doc, target, IID_ITEXTMODEL);
    LineInfo last;
    if (!lines || !lines->GetLineInfo(text->TotalLength() - 1, &last)) abort();
  }

  void InsertMarker(int i) {
    InterfacePtr<ITextModel> text(doc, source, IID_ITEXTMODEL);
    std::string all = text->CopyText(0, text->TotalLength()).GetUTF8String();
    const std::string what = "Heading " + std::to_string(i) + " ";
    const TextIndex at = static_cast<TextIndex>(WideString::FromUTF8(all.substr(0, all.find(what))).Length());
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
    InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(at, 0);
    InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(("m" + std::to_string(i)).c_str()));
    cmd->SetItemList(UIDList(doc, source));
    if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
  }

  void InsertCrossRef(int i) {
    InterfacePtr<ITextModel> text(doc, target, IID_ITEXTMODEL);
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
    cmd->SetItemList(UIDList(doc, target));
    InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(text->TotalLength() - 1, 0);
    InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(("m" + std::to_string(i % kMarkers)).c_str()));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)->SetFormatData(PMString("Page"), PMString(kFormat));
    if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
  }

  Application app;
  DataBase* doc = nullptr;
  UID source = kInvalidUID, target = kInvalidUID;
  UIDList crossRefs;
};
}  // namespace

// The process's processor time: on a shared machine, wall time would charge
// either side with whatever else runs.
static double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

namespace {
struct Timing {
  double update = 0, bare = 0;  // seconds, over all iterations
};

// The cross-references are updated in kSlices update commands, each
// followed by as many bare parses of the assembled format: the two sides
// take turns, so a change in the machine's load reaches both alike.
constexpr int32 kSlices = 10;

void UpdateSlice(Document& d, int32 slice, xercesc::SAX2XMLReader& reader, const std::u16string& assembled,
                 Timing* timing) {
  const int32 n = d.crossRefs.Length();
  const int32 from = n * slice / kSlices, to = n * (slice + 1) / kSlices;
  UIDList items(d.doc);
  for (int32 i = from; i < to; ++i) items.Append(d.crossRefs[i]);
  const double t0 = CpuSeconds();
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
  cmd->SetItemList(items);
  if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
  const double t1 = CpuSeconds();
  for (int32 i = from; i < to; ++i) BareParse(reader, assembled);
  const double t2 = CpuSeconds();
  timing->update += t1 - t0;
  timing->bare += t2 - t1;
}

void UpdateOnce(Document& d, xercesc::SAX2XMLReader& reader, const std::u16string& assembled, Timing* timing) {
  for (int32 slice = 0; slice < kSlices; ++slice) UpdateSlice(d, slice, reader, assembled, timing);
}

void Settle(Document& d) {
  d.CheckComposed();
  d.doc->ClearUndo();
}
}  // namespace

static benchmark::IterationCount Iterations() {
  const char* asked = std::getenv("XREF_BENCH_ITER");
  const long k = asked ? std::strtol(asked, nullptr, 10) : 0;
  return k > 0 ? k : 3;
}

static void BM_UpdateCrossRefs(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Document d(n);
  const std::u16string assembled = AssembledFormats(&kFormat, 1)[0];
  auto reader = BareReader();
  Timing timing;
  for (auto _ : state) {
    UpdateOnce(d, *reader, assembled, &timing);
    state.PauseTiming();
    Settle(d);
    state.ResumeTiming();
  }
  const double updates = static_cast<double>(state.iterations()) * n;
  state.counters["us_per_update"] = timing.update * 1e6 / updates;
  state.counters["us_per_bare_parse"] = timing.bare * 1e6 / updates;
  state.counters["update_ratio"] = timing.update / timing.bare;
}
BENCHMARK(BM_UpdateCrossRefs)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(Iterations())->Unit(benchmark::kMillisecond);

// 1,000 and 10,000 cross-references in one process, updated in turn a tenth
// of each at a time: "time_growth" is what updating ten times the cross-references costs over
// the smaller document. "baseline_growth" is the same for the bare parses
// measured beside them, for reference: on a quiet machine it is near 10.
static void BM_UpdateCrossRefsTenTimes(benchmark::State& state) {
  Document small(1000), large(10000);
  const std::u16string assembled = AssembledFormats(&kFormat, 1)[0];
  auto reader = BareReader();
  Timing smallTiming, largeTiming;
  for (auto _ : state) {
    for (int32 slice = 0; slice < kSlices; ++slice) {
      UpdateSlice(small, slice, *reader, assembled, &smallTiming);
      UpdateSlice(large, slice, *reader, assembled, &largeTiming);
    }
    state.PauseTiming();
    Settle(small);
    Settle(large);
    state.ResumeTiming();
  }
  const double timeGrowth = largeTiming.update / smallTiming.update;
  const double baselineGrowth = largeTiming.bare / smallTiming.bare;
  state.counters["update_ratio_1000"] = smallTiming.update / smallTiming.bare;
  state.counters["update_ratio_10000"] = largeTiming.update / largeTiming.bare;
  state.counters["time_growth"] = timeGrowth;
  state.counters["baseline_growth"] = baselineGrowth;
}
BENCHMARK(BM_UpdateCrossRefsTenTimes)->Iterations(Iterations())->Unit(benchmark::kMillisecond);

// What `xref check` does to each cross-reference (the read-only evaluation)
// against what `xref update` does (one update command over all), taking
// turns on the same document of 1,000 cross-references: "check_over_update"
// is the cost of checking over the cost of updating, to stay at most 1.5.
// Argument 0: every text is current; 1: before each turn a page of text
// goes in at the start of the sources, or comes out again, so that every
// page number is stale.
static void BM_CheckAgainstUpdate(benchmark::State& state) {
  const bool stale = state.range(0) != 0;
  Document d(1000);
  const WideString page = WideString::FromUTF8(std::string(1000, 'x'));
  bool inserted = false;
  double check = 0, update = 0;
  for (auto _ : state) {
    for (int32 slice = 0; slice < kSlices; ++slice) {
      state.PauseTiming();
      InterfacePtr<ITextModelCmds> edit(d.doc, d.source, IID_ITEXTMODELCMDS);
      InterfacePtr<ICommand> change(!stale ? nullptr : inserted ? edit->DeleteCmd(0, page.Length())
                                                                : edit->InsertCmd(0, page));
      if (stale && CmdUtils::ProcessCommand(change.get()) != kSuccess) abort();
      inserted = stale && !inserted;
      state.ResumeTiming();
      const double t0 = CpuSeconds();
      int32 findings = 0;
      for (int32 i = 0; i < d.crossRefs.Length(); ++i) {
        InterfacePtr<IXRefCrossRef> crossRef(d.crossRefs.GetRef(i));
        findings += crossRef->Evaluate().IsFinding();
      }
      const double t1 = CpuSeconds();
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
      cmd->SetItemList(d.crossRefs);
      if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
      const double t2 = CpuSeconds();
      if (stale != (findings > 0)) abort();
      check += t1 - t0;
      update += t2 - t1;
    }
    state.PauseTiming();
    Settle(d);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations()) * kSlices * d.crossRefs.Length();
  state.counters["us_per_check"] = check * 1e6 / n;
  state.counters["us_per_update"] = update * 1e6 / n;
  state.counters["check_over_update"] = check / update;
}
BENCHMARK(BM_CheckAgainstUpdate)->Arg(0)->Arg(1)->Iterations(Iterations())->Unit(benchmark::kMillisecond);

// The update scheduler's work after one source marker changed, in a document
// of 100 and one of 10,000 cross-references, every one already handled once.
// One iteration reports the marker and runs the three passes that take it to
// its one cross-reference. "ratio" is the cost in the large document over
// the cost in the small one, both measured in the same run.
#include "bench/BenchSupport.h"
#include "commands/XRefCommandID.h"
#include "engine/IXRefScheduler.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/IControllingUnknown.h"
#include "host/IDocument.h"
#include "host/IParagraphStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

namespace {
constexpr int kMarkers = 100;

// Marker "m0" has exactly one cross-reference; the others share the rest.
struct Document {
  Document(Application& app, int n) {
    doc = app.NewDocument();
    InterfacePtr<IDocument> document(doc, kRootUID);
    InterfacePtr<IBoolData>(document->GetDocWorkspace(), IID_IXREFLIVEUPDATES)->Set(true);
    DocumentBuilder b(doc);
    LayoutBuilder layout(doc);
    source = b.NewStory();
    for (int i = 0; i < kMarkers; ++i) {
      b.AddParagraph(source);
      b.AddRun(source, WideString::FromUTF8("Heading " + std::to_string(i) + " with body text"));
    }
    // One paragraph per cross-reference, filled in order, so that placing one
    // leaves the lines of those before it alone and none is out of date.
    target = b.NewStory();
    for (int i = 0; i < n; ++i) {
      b.AddParagraph(target);
      b.AddRun(target, WideString::FromUTF8("Entry " + std::to_string(i) + " see "));
    }
    const int pages = 12 + n / 50;  // a line per paragraph, none overset
    for (int i = 0; i < pages / 2 + 1; ++i) layout.AddSpread(2);
    for (int p = 0; p < 10; ++p) layout.AddTextFrame(layout.PageUID(p), source, 40, 10);
    for (int p = 10; p < 2 * (pages / 2 + 1); ++p) layout.AddTextFrame(layout.PageUID(p), target, 60, 60);
    for (int i = 0; i < kMarkers; ++i) InsertMarker(i);
    // Undo history is let go as it grows: only the built document matters.
    for (int i = 0; i < n; ++i) {
      InsertCrossRef(i, i == 0 ? 0 : 1 + i % (kMarkers - 1));
      if (i % 200 == 199) doc->ClearUndo();
    }
    InterfacePtr<IXRefSourceMarkerList> markers(doc, kRootUID);
    InterfacePtr<IXRefSourceMarker> first(markers->QueryMarkerByName(PMString("m0")));
    changed = ::GetUID(first.get());
    scheduler.reset(static_cast<IXRefScheduler*>(doc->Instantiate(kRootUID, IID_IXREFSCHEDULER)));
    if (!scheduler || changed == kInvalidUID) abort();
    // Everything reported while building is handled, and one full cycle warms
    // the lists' lookups.
    for (int i = 0; i < 4; ++i) {
      scheduler->RunUpdates();
      doc->ClearUndo();
    }
    Cycle();
    doc->ClearUndo();
  }

  void Cycle() {
    scheduler->MarkChanged(changed);
    for (int i = 0; i < 3; ++i) scheduler->RunUpdates();
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

  // At the end of paragraph `paragraph`, before its return.
  void InsertCrossRef(int paragraph, int marker) {
    InterfacePtr<ITextModel> text(doc, target, IID_ITEXTMODEL);
    InterfacePtr<IParagraphStrand> paras(
        static_cast<IParagraphStrand*>(text->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
    int32 length = 0;
    const TextIndex start = paras->GetNthParagraphStart(paragraph, &length);
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
    cmd->SetItemList(UIDList(doc, target));
    InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(start + length - 1, 0);
    InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(("m" + std::to_string(marker)).c_str()));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
        ->SetFormatData(PMString("Page"), PMString(std::u16string(u"page^s<pagenum/>")));
    if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
  }

  DataBase* doc = nullptr;
  UID source = kInvalidUID, target = kInvalidUID, changed = kInvalidUID;
  InterfacePtr<IXRefScheduler> scheduler;
};
}  // namespace

static void BM_SchedulerPassAfterOneSourceChange(benchmark::State& state) {
  Application app(AppOptions{"-", nullptr});
  StartBenchApplication(app);
  Document small(app, 100), large(app, 10000);
  using Clock = std::chrono::steady_clock;
  Clock::duration smallTime{}, largeTime{};
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    small.Cycle();
    const Clock::time_point t1 = Clock::now();
    large.Cycle();
    const Clock::time_point t2 = Clock::now();
    smallTime += t1 - t0;
    largeTime += t2 - t1;
  }
  const double cycles = static_cast<double>(state.iterations());
  state.counters["us_100"] = std::chrono::duration<double, std::micro>(smallTime).count() / cycles;
  state.counters["us_10000"] = std::chrono::duration<double, std::micro>(largeTime).count() / cycles;
  state.counters["ratio"] =
      std::chrono::duration<double>(largeTime).count() / std::chrono::duration<double>(smallTime).count();
}
BENCHMARK(BM_SchedulerPassAfterOneSourceChange)->Iterations(200)->Unit(benchmark::kMillisecond);

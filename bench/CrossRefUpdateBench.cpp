// Updating N cross-references of one long story, pointing at source markers
// spread through the document, against a bare Xerces validating parse of
// the format they use. "update_ratio" is the cost of one cross-reference's
// update over one bare parse; compare "us_per_update" across N = 1,000 and
// 10,000 for how the cost grows.
#include "bench/BenchSupport.h"
#include "commands/XRefCommandID.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

namespace {
constexpr int kMarkers = 100;
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
    const int pages = 4 + n / 250;
    for (int i = 0; i < pages / 2 + 1; ++i) layout.AddSpread(2);
    for (int p = 0; p < 10; ++p) layout.AddTextFrame(layout.PageUID(p), source, 40, 10);
    for (int p = 10; p < 2 * (pages / 2 + 1); ++p) layout.AddTextFrame(layout.PageUID(p), target, 60, 60);
    for (int i = 0; i < kMarkers; ++i) InsertMarker(i);
    for (int i = 0; i < n; ++i) InsertCrossRef(i);
    InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
    crossRefs = list->GetCrossRefs();
    if (crossRefs.Length() != n) abort();
    doc->ClearUndo();
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

// One iteration: every cross-reference updated by one update command, then
// as many bare parses of the assembled format.
static void BM_UpdateCrossRefs(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Document d(n);
  const std::u16string assembled = AssembledFormats(&kFormat, 1)[0];
  auto reader = BareReader();
  using Clock = std::chrono::steady_clock;
  Clock::duration update{}, bare{};
  for (auto _ : state) {
    Clock::time_point t0 = Clock::now();
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefUpdateCrossRefCmdBoss));
    cmd->SetItemList(d.crossRefs);
    if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
    Clock::time_point t1 = Clock::now();
    for (int i = 0; i < n; ++i) BareParse(*reader, assembled);
    Clock::time_point t2 = Clock::now();
    update += t1 - t0;
    bare += t2 - t1;
    state.PauseTiming();
    d.doc->ClearUndo();
    state.ResumeTiming();
  }
  const double updates = static_cast<double>(state.iterations()) * n;
  state.counters["us_per_update"] = std::chrono::duration<double, std::micro>(update).count() / updates;
  state.counters["us_per_bare_parse"] = std::chrono::duration<double, std::micro>(bare).count() / updates;
  state.counters["update_ratio"] =
      std::chrono::duration<double>(update).count() / std::chrono::duration<double>(bare).count();
}
BENCHMARK(BM_UpdateCrossRefs)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond);

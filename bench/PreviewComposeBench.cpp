// Previewing and composing the seven default formats at real source markers
// of a laid-out document, against a bare Xerces validating parse of the same
// assembled documents, measured side by side in one loop.
#include "bench/BenchSupport.h"
#include "commands/XRefCommandID.h"
#include "format/IXRefComposer.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "headless/application/Application.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/CmdUtils.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace {
constexpr int kFormats = 7;

struct Session {
  Session() : app(AppOptions{"-", nullptr}) {
    StartBenchApplication(app);
    utils.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    previewer.reset(utils->QueryPreviewer());
    composer.reset(utils->QueryComposer());
    if (!previewer || !composer) abort();
    BuildDocument();
    documents = AssembledFormats(kBenchDefaultFormats, kFormats);
  }

  // Three spreads of numbered headings and body text, a marker per heading,
  // and a story the compositions go into.
  void BuildDocument() {
    doc = app.NewDocument();
    DocumentBuilder b(doc);
    LayoutBuilder layout(doc);
    UID h1 = b.AddParagraphStyle("Heading", AttributeBossList(), kNumberedList);
    layout.SetNumbering(h1, "h", 1, "^1.");
    story = b.NewStory();
    for (int i = 0; i < 6; ++i) {
      b.AddParagraph(story, h1);
      b.AddRun(story, WideString::FromUTF8("Heading number " + std::to_string(i)));
      b.AddParagraph(story);
      b.AddRun(story, WideString("Body text that fills the page with words, enough for a few lines each."));
    }
    for (int i = 0; i < 3; ++i) layout.AddSpread(2);
    for (int p = 0; p < 6; ++p) layout.AddTextFrame(layout.PageUID(p), story, 30, 6);
    InterfacePtr<ITextModel> text(doc, story, IID_ITEXTMODEL);
    for (int i = 0; i < 6; ++i) {
      TextIndex at = FindText(text.get(), "Heading number " + std::to_string(i));
      InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
      InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(at, 0);
      InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(("m" + std::to_string(i)).c_str()));
      cmd->SetItemList(UIDList(doc, story));
      if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess) abort();
      markers.push_back(at);
    }
    target = b.NewStory();
    doc->ClearUndo();
  }

  static TextIndex FindText(ITextModel* text, const std::string& what) {
    std::string all = text->CopyText(0, text->TotalLength()).GetUTF8String();
    return static_cast<TextIndex>(WideString::FromUTF8(all.substr(0, all.find(what))).Length());
  }

  Application app;
  DataBase* doc = nullptr;
  UID story = kInvalidUID, target = kInvalidUID;
  std::vector<TextIndex> markers;
  InterfacePtr<IXRefParsingUtils> utils;
  InterfacePtr<IXRefPreviewer> previewer;
  InterfacePtr<IXRefComposer> composer;
  std::vector<std::u16string> documents;
};

Session& TheSession() {
  static Session* session = new Session();
  return *session;
}

void BareParseAll(const std::vector<std::u16string>& documents) {
  for (const std::u16string& doc : documents) BareParse(*BareReader(), doc);
}

// Empties the target story again, outside the timed part.
void ClearTarget(Session& s) {
  InterfacePtr<ITextModel> text(s.doc, s.target, IID_ITEXTMODEL);
  InterfacePtr<ITextModelCmds> cmds(s.doc, s.target, IID_ITEXTMODELCMDS);
  InterfacePtr<ICommand> del(cmds->DeleteCmd(0, text->TotalLength() - 1));
  if (del) CmdUtils::ProcessCommand(del.get());
  s.doc->ClearUndo();
}
}  // namespace

// One iteration: the seven formats at one marker (cycling through them),
// previewed, composed, and parsed bare; "preview_ratio" and "compose_ratio"
// are each time over the bare parse's.
static void BM_PreviewAndComposeAtMarkers(benchmark::State& state) {
  Session& s = TheSession();
  using Clock = std::chrono::steady_clock;
  Clock::duration preview{}, compose{}, bare{};
  size_t m = 0;
  for (auto _ : state) {
    TextIndex at = s.markers[m++ % s.markers.size()];
    Clock::time_point t0 = Clock::now();
    for (const char16_t* f : kBenchDefaultFormats) {
      PMString text;
      s.previewer->Preview(&text, PMString(f), s.doc, s.story, at, s.doc, s.target, 0);
    }
    Clock::time_point t1 = Clock::now();
    for (const char16_t* f : kBenchDefaultFormats) s.composer->Compose(PMString(f), s.doc, s.story, at, s.doc, s.target, 0);
    Clock::time_point t2 = Clock::now();
    BareParseAll(s.documents);
    Clock::time_point t3 = Clock::now();
    preview += t1 - t0;
    compose += t2 - t1;
    bare += t3 - t2;
    state.PauseTiming();
    ClearTarget(s);
    state.ResumeTiming();
  }
  const double bareSeconds = std::chrono::duration<double>(bare).count();
  state.counters["preview_ratio"] = std::chrono::duration<double>(preview).count() / bareSeconds;
  state.counters["compose_ratio"] = std::chrono::duration<double>(compose).count() / bareSeconds;
  state.SetItemsProcessed(state.iterations() * kFormats);
}
BENCHMARK(BM_PreviewAndComposeAtMarkers)->Unit(benchmark::kMicrosecond);

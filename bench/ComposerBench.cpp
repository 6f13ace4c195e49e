// Composing formats of literal text and nested spans with cstyle, format and
// lang into a story, against the validating parse of the same formats. Each
// round composes every format inside one undo step, as the update command
// does, and is undone afterwards (untimed) so the story keeps its size.
#include "bench/BenchSupport.h"
#include "format/IXRefComposer.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "headless/application/Application.h"
#include "headless/text/DocumentBuilder.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "host/UtilsBoss.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

namespace {
const char16_t* const kFormats[] = {
    u"See page 12 for more on this",
    u"See <span cstyle=\"Emphasis\">the heading</span> on page 3",
    u"<span format=\"font-size: 9 pt; position: sup\">12</span>",
    u"<span lang=\"German; English: UK\">Siehe <span cstyle=\"Strong\" format=\"underline: yes\">Kapitel</span>"
    u"</span><span lang=\"French\">Voir</span> 4",
    u"<span cstyle=\"Notes:Small\"><span format=\"color: Red; case: all\">fig.</span> "
    u"<span cstyle=\"Emphasis\" format=\"FONT-STYLE: Bold; nobreak: yes\">1</span>-2</span>",
};
constexpr int kFormatCount = sizeof kFormats / sizeof kFormats[0];

AttributeBossList One(const TextAttribute& a) {
  AttributeBossList list;
  list.ApplyAttribute(a);
  return list;
}

struct Session {
  Session() : app(AppOptions{"-", nullptr}) {
    StartBenchApplication(app);
    doc = app.NewDocument();
    DocumentBuilder b(doc);
    b.AddSwatch("Red", 0xFF0000);
    const UID german = b.AddLanguage("kLanguageGerman");
    b.AddCharacterStyle("Emphasis", One(TextAttr::FontStyle(PMString("Italic"))));
    b.AddCharacterStyle("Strong", One(TextAttr::FontStyle(PMString("Bold"))));
    b.AddCharacterStyle("Notes:Small", One(TextAttr::PointSize(8)));
    story = b.NewStory();
    for (int paragraph = 0; paragraph < 20; ++paragraph) {
      b.AddParagraph(story);
      b.AddRun(story, WideString("Ein Absatz mit etwas Text, "), kInvalidUID, One(TextAttr::Language(german)));
      b.AddRun(story, WideString("und mehr."));
    }
    utils.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    validator.reset(utils ? utils->QueryValidator() : nullptr);
    composer.reset(utils ? utils->QueryComposer() : nullptr);
    if (!validator || !composer) abort();
    for (const char16_t* f : kFormats)
      if (validator->Validate(PMString(f), false) != kSuccess) abort();
  }

  // Every format once, one after the other, in the middle of the story.
  bool ComposeAll() {
    CmdUtils::SequenceContext sequence(PMString("Compose"));
    for (const char16_t* f : kFormats)
      if (composer->Compose(PMString(f), doc, story, 30, doc, story, 200) != kSuccess) return false;
    return true;
  }
  bool ValidateAll() {
    for (const char16_t* f : kFormats)
      if (validator->Validate(PMString(f), false) != kSuccess) return false;
    return true;
  }

  Application app;
  DataBase* doc = nullptr;
  UID story = kInvalidUID;
  InterfacePtr<IXRefParsingUtils> utils;
  InterfacePtr<IXRefValidator> validator;
  InterfacePtr<IXRefComposer> composer;
};

Session& TheSession() {
  static Session* session = new Session();
  return *session;
}
}  // namespace

static void BM_ComposeWithUndo(benchmark::State& state) {
  Session& s = TheSession();
  for (auto _ : state) {
    if (!s.ComposeAll()) state.SkipWithError("a format did not compose");
    s.doc->Undo();
  }
  state.SetItemsProcessed(state.iterations() * kFormatCount);
}
BENCHMARK(BM_ComposeWithUndo);

static void BM_ValidateSameFormats(benchmark::State& state) {
  Session& s = TheSession();
  for (auto _ : state)
    if (!s.ValidateAll()) state.SkipWithError("a format is invalid");
  state.SetItemsProcessed(state.iterations() * kFormatCount);
}
BENCHMARK(BM_ValidateSameFormats);

// Both sides in one loop, alternating, so that load on the machine weighs on
// them alike; "ratio" is composing's time over the validating parse's.
static void BM_ComposeRatio(benchmark::State& state) {
  Session& s = TheSession();
  using Clock = std::chrono::steady_clock;
  Clock::duration composing{}, validating{};
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    const bool composed = s.ComposeAll();
    const Clock::time_point t1 = Clock::now();
    s.doc->Undo();
    const Clock::time_point t2 = Clock::now();
    const bool validated = s.ValidateAll();
    const Clock::time_point t3 = Clock::now();
    if (!composed || !validated) state.SkipWithError("a format failed");
    composing += t1 - t0;
    validating += t3 - t2;
  }
  state.counters["ratio"] = std::chrono::duration<double>(composing) / std::chrono::duration<double>(validating);
}
BENCHMARK(BM_ComposeRatio);

#include "headless/drawing/LineDrawing.h"
#include "headless/drawing/LineSetting.h"
#include "headless/layout/StoryComposition.h"
#include "headless/text/AttrReports.h"
#include "host/CreateObject.h"
#include "host/ICharAttrStrand.h"
#include "host/ITextAdornment.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include <algorithm>

namespace {
struct Adornment {
  InterfacePtr<ITextAdornment> adornment;
  InterfacePtr<IPMUnknown> wax;
  int32 priority = 0;
};

WaxPlace PlaceOf(const LineToDraw& line, const WideString& text, const SetLine& set) {
  WaxPlace place;
  place.story = line.story;
  place.lineStart = place.start = line.start;
  place.length = line.length;
  place.left = line.left;
  place.top = line.top;
  place.bottom = line.top + kLineHeight;
  place.advance = kCharAdvance;
  if (line.length > 0 && !text.Units().empty() && text.Units().back() == u'\r') place.returnAt = line.start + line.length - 1;
  for (TextIndex at = line.start; at < line.start + line.length; ++at) {
    place.glyphX.push_back(line.left + set.GlyphX(at));
    place.glyphWidth.push_back(set.GlyphWidth(at));
  }
  return place;
}

WaxPlace RunOf(WaxPlace place, TextIndex start, int32 length) {
  place.start = start;
  place.length = length;
  return place;
}

void Add(std::vector<Adornment>* out, ClassID cls, IPMUnknown* wax) {
  Adornment a;
  a.adornment.reset(static_cast<ITextAdornment*>(CreateObject(cls, IID_ITEXTADORNMENT)));
  if (!a.adornment) return;
  a.wax.reset(wax);
  if (wax) wax->AddRef();
  a.priority = a.adornment->GetDrawPriority();
  out->push_back(std::move(a));
}

// Each run of one set of attributes asks the reports of its attributes
// drawn by adornment which adornment they want.
void AddRunAdornments(const WaxPlace& line, ITextModel* model, std::vector<Adornment>* out) {
  InterfacePtr<ICharAttrStrand> chars(
      static_cast<ICharAttrStrand*>(model->QueryStrand(kCharAttrStrandBoss, IID_ICHARATTRSTRAND)));
  if (!chars) return;
  const TextIndex end = line.start + line.length;
  for (TextIndex at = line.start; at < end;) {
    TextIndex runStart = at;
    int32 runLength = 0;
    if (!chars->GetRun(at, &runStart, &runLength) || runStart + runLength <= at) runStart = at, runLength = end - at;
    const TextIndex runEnd = std::min(runStart + runLength, end);
    const AttributeBossList attrs = chars->GetOverrides(at);
    for (int32 i = 0; i < attrs.CountBosses(); ++i) {
      const ClassID cls = attrs.GetNth(i).cls;
      if (AttrAnswersOf(cls).drawKind != 2) continue;
      InterfacePtr<IAttrReport> report(static_cast<IAttrReport*>(CreateObject(cls, IID_IATTRREPORT)));
      InterfacePtr<WaxRunImpl> run(MakeWaxRun(RunOf(line, at, runEnd - at)));
      if (!report || !run) continue;
      report->AdornRun(run.get());
      for (const auto& named : run->Adornments())
        if (named.second != kInvalidClass) Add(out, named.second, run.get());
    }
    at = runEnd;
  }
}

std::vector<Adornment> AdornmentsOf(const LineToDraw& line, const WaxPlace& place, ITextModel* model) {
  std::vector<Adornment> all;
  const StoryComposition* composition = ComposeStory(line.story.GetDataBase(), line.story.GetUID());
  InterfacePtr<IPMUnknown> drawnLine(MakeDrawnLine(place));
  if (composition)
    for (const auto& a : composition->LineAdornments(line.lineNumber)) Add(&all, a.first, drawnLine.get());
  AddRunAdornments(place, model, &all);
  std::stable_sort(all.begin(), all.end(), [](const Adornment& a, const Adornment& b) { return a.priority < b.priority; });
  return all;
}

void DrawGroup(std::vector<Adornment>& all, int32 flags, bool beneath, IGraphicsPort* port) {
  for (Adornment& a : all)
    if ((a.priority < 0) == beneath) a.adornment->Draw(flags, a.wax.get(), port);
}
}  // namespace

void DrawLine(const LineToDraw& line, int32 flags, CairoGraphicsPort* port) {
  IDataBase* db = line.story.GetDataBase();
  InterfacePtr<ITextModel> model(line.story, IID_ITEXTMODEL);
  if (!model) return;
  SetLine set(db, line.story.GetUID(), line.start, line.length, line.lead);
  set.FitTo(line.width);
  const WaxPlace place = PlaceOf(line, model->CopyText(line.start, line.length), set);
  std::vector<Adornment> all = AdornmentsOf(line, place, model.get());
  DrawGroup(all, flags, true, port);
  const double baseline = line.top + kLineHeight - 3;  // room for descenders within the line
  set.Paint(port->Context(), line.left, baseline);
  DrawGroup(all, flags, false, port);
}

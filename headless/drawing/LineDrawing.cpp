#include "headless/drawing/LineDrawing.h"
#include "headless/drawing/TextPainter.h"
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

WaxPlace PlaceOf(const LineToDraw& line, const WideString& text, TextIndex start, int32 length) {
  WaxPlace place;
  place.story = line.story;
  place.lineStart = line.start;
  place.start = start;
  place.length = length;
  place.left = line.left;
  place.top = line.top;
  place.bottom = line.top + kLineHeight;
  place.advance = kCharAdvance;
  if (line.length > 0 && !text.Units().empty() && text.Units().back() == u'\r') place.returnAt = line.start + line.length - 1;
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
void AddRunAdornments(const LineToDraw& line, const WideString& text, ITextModel* model, std::vector<Adornment>* out) {
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
      InterfacePtr<WaxRunImpl> run(MakeWaxRun(PlaceOf(line, text, at, runEnd - at)));
      if (!report || !run) continue;
      report->AdornRun(run.get());
      for (const auto& named : run->Adornments())
        if (named.second != kInvalidClass) Add(out, named.second, run.get());
    }
    at = runEnd;
  }
}

std::vector<Adornment> AdornmentsOf(const LineToDraw& line) {
  std::vector<Adornment> all;
  IDataBase* db = line.story.GetDataBase();
  InterfacePtr<ITextModel> model(line.story, IID_ITEXTMODEL);
  const StoryComposition* composition = ComposeStory(db, line.story.GetUID());
  if (!model || !composition) return all;
  const WideString text = model->CopyText(line.start, line.length);
  InterfacePtr<IPMUnknown> drawnLine(MakeDrawnLine(PlaceOf(line, text, line.start, line.length)));
  for (const auto& a : composition->LineAdornments(line.lineNumber)) Add(&all, a.first, drawnLine.get());
  AddRunAdornments(line, text, model.get(), &all);
  std::stable_sort(all.begin(), all.end(), [](const Adornment& a, const Adornment& b) { return a.priority < b.priority; });
  return all;
}

void DrawText(const LineToDraw& line, cairo_t* cr) {
  IDataBase* db = line.story.GetDataBase();
  InterfacePtr<ITextModel> model(line.story, IID_ITEXTMODEL);
  if (!model) return;
  InterfacePtr<ICharAttrStrand> chars(
      static_cast<ICharAttrStrand*>(model->QueryStrand(kCharAttrStrandBoss, IID_ICHARATTRSTRAND)));
  const WideString text = model->CopyText(line.start, line.length);
  const double baseline = line.top + kLineHeight - 3;  // room for descenders within the line
  const TextIndex end = line.start + line.length;
  for (TextIndex at = line.start; at < end;) {
    TextIndex runStart = at;
    int32 runLength = 0;
    if (!chars || !chars->GetRun(at, &runStart, &runLength) || runStart + runLength <= at)
      runStart = at, runLength = end - at;
    const TextIndex runEnd = std::min(runStart + runLength, end);
    PaintText(cr, text, at - line.start, runEnd - at, line.left + (at - line.start) * kCharAdvance, kCharAdvance,
              baseline, LookOfText(db, line.story.GetUID(), at));
    at = runEnd;
  }
}

void DrawGroup(std::vector<Adornment>& all, int32 flags, bool beneath, IGraphicsPort* port) {
  for (Adornment& a : all)
    if ((a.priority < 0) == beneath) a.adornment->Draw(flags, a.wax.get(), port);
}
}  // namespace

void DrawLineAdornments(const LineToDraw& line, int32 flags, bool beneath, IGraphicsPort* port) {
  std::vector<Adornment> all = AdornmentsOf(line);
  DrawGroup(all, flags, beneath, port);
}

void DrawLine(const LineToDraw& line, int32 flags, CairoGraphicsPort* port) {
  std::vector<Adornment> all = AdornmentsOf(line);
  DrawGroup(all, flags, true, port);
  DrawText(line, port->Context());
  DrawGroup(all, flags, false, port);
}

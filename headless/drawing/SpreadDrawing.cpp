#include "headless/drawing/SpreadDrawing.h"
#include "headless/drawing/LineDrawing.h"
#include "headless/drawing/SpreadGeometry.h"
#include "headless/layout/StoryComposition.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"

namespace {
void FillBox(cairo_t* cr, const Box& b, double grey) {
  cairo_set_source_rgb(cr, grey, grey, grey);
  cairo_rectangle(cr, b.x, b.y, b.width, b.height);
  cairo_fill(cr);
}

void OutlineBox(cairo_t* cr, const Box& b, double r, double g, double bl, double width) {
  cairo_set_source_rgb(cr, r, g, bl);
  cairo_set_line_width(cr, width);
  cairo_rectangle(cr, b.x, b.y, b.width, b.height);
  cairo_stroke(cr);
}
}  // namespace

void DrawFrameText(IDataBase* db, UID frame, int32 flags, CairoGraphicsPort* port) {
  InterfacePtr<ITextFrame> f(db, frame, IID_ITEXTFRAME);
  if (!f) return;
  const StoryComposition* c = ComposeStory(db, f->GetStoryUID());
  if (!c) return;
  const Box box = FrameRect(db, frame);
  const TextIndex end = c->FrameStart(frame) + c->FrameSpan(frame);
  for (TextIndex at = c->FrameStart(frame); at < end;) {
    int32 number = 0;
    const ComposedLine* line = c->LineAt(at, &number);
    if (!line || line->length <= 0) break;
    LineToDraw draw;
    draw.story = UIDRef(db, f->GetStoryUID());
    draw.start = line->start;
    draw.length = line->length;
    draw.lineNumber = number;
    draw.left = box.x;
    draw.top = box.y + line->lineInFrame * kLineHeight;
    DrawLine(draw, flags, port);
    at = line->start + line->length;
  }
}

void DrawSpread(IDataBase* db, UID spread, int32 flags, CairoGraphicsPort* port) {
  cairo_t* cr = port->Context();
  cairo_save(cr);
  FillBox(cr, SpreadBox(db, spread), 0.85);
  InterfacePtr<ISpread> s(db, spread, IID_ISPREAD);
  for (int32 i = 0; s && i < s->GetNumPages(); ++i) {
    const Box page = PageBox(db, s->GetNthPageUID(i));
    FillBox(cr, page, 1.0);
    OutlineBox(cr, page, 0.4, 0.4, 0.4, 0.5);
  }
  const std::vector<UID> frames = FramesOfSpread(db, spread);
  for (UID frame : frames) OutlineBox(cr, FrameRect(db, frame), 0.7, 0.75, 0.85, 0.25);
  cairo_restore(cr);
  for (UID frame : frames) {
    port->Save();
    DrawFrameText(db, frame, flags, port);
    port->Restore();
  }
}

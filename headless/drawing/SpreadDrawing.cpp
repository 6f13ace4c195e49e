#include "headless/drawing/SpreadDrawing.h"
#include "headless/drawing/FootnoteDrawing.h"
#include "headless/drawing/LineDrawing.h"
#include "headless/drawing/LineSetting.h"
#include "headless/layout/StoryComposition.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"

namespace {
constexpr double kFolioSize = 9.0;
constexpr double kFolioDrop = 24.0;  // the folio's baseline above the page's foot

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

bool Meets(const Box& a, const Box& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

void DrawFolio(IDataBase* db, UID page, const Box& box, cairo_t* cr) {
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  PMString name;
  if (!pages || !pages->GetPageString(page, &name, true, false, kDefaultPageNumber, true)) return;
  TextLook look;
  look.pointSize = kFolioSize;
  const TextPiece folio(name.GetUTF8String(), look);
  folio.Paint(cr, box.x + (box.width - folio.Width()) / 2, box.Bottom() - kFolioDrop);
}

void DrawFrameText(IDataBase* db, UID frame, int32 flags, CairoGraphicsPort* port) {
  InterfacePtr<ITextFrame> f(db, frame, IID_ITEXTFRAME);
  if (!f) return;
  const UID story = f->GetStoryUID();
  const StoryComposition* c = ComposeStory(db, story);
  if (!c) return;
  const Box box = FrameRect(db, frame);
  const TextIndex start = c->FrameStart(frame), end = start + c->FrameSpan(frame);
  for (TextIndex at = start; at < end;) {
    int32 number = 0;
    const auto line = c->LineAt(at, &number);
    if (!line || line->length <= 0) break;
    LineToDraw draw;
    draw.story = UIDRef(db, story);
    draw.start = line->start;
    draw.length = line->length;
    draw.lineNumber = number;
    draw.left = box.x;
    draw.top = box.y + line->lineInFrame * kLineHeight;
    draw.width = box.width;
    draw.lead = ParagraphLead(db, story, line->start);
    DrawLine(draw, flags, port);
    at = line->start + line->length;
  }
  DrawFootnotes(db, story, start, end, box, f->GetColumns(), flags, port);
}
}  // namespace

void DrawSpread(IDataBase* db, UID spread, const SpreadFrames& frames, const DrawOptions& options, const Box& visible,
                CairoGraphicsPort* port) {
  cairo_t* cr = port->Context();
  cairo_save(cr);
  FillBox(cr, visible, 0.85);  // the pasteboard
  InterfacePtr<ISpread> s(db, spread, IID_ISPREAD);
  std::vector<UID> shown;
  for (UID frame : frames.Of(spread))
    if (Meets(FrameRect(db, frame), visible)) shown.push_back(frame);
  for (int32 i = 0; s && i < s->GetNumPages(); ++i) {
    const Box page = PageBox(db, s->GetNthPageUID(i));
    if (!Meets(page, visible)) continue;
    FillBox(cr, page, 1.0);
    OutlineBox(cr, page, 0.4, 0.4, 0.4, 0.5);
  }
  for (UID frame : shown) OutlineBox(cr, FrameRect(db, frame), 0.7, 0.75, 0.85, 0.25);
  cairo_restore(cr);
  for (UID frame : shown) {
    port->Save();
    DrawFrameText(db, frame, options.flags, port);
    port->Restore();
  }
  // Last, so that the text a PDF holds reads in page order.
  for (int32 i = 0; options.folios && s && i < s->GetNumPages(); ++i) {
    const Box page = PageBox(db, s->GetNthPageUID(i));
    if (Meets(page, visible)) DrawFolio(db, s->GetNthPageUID(i), page, cr);
  }
}

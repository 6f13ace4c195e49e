#include "headless/drawing/FootnoteDrawing.h"
#include "headless/drawing/LineDrawing.h"
#include "headless/layout/LineBreaker.h"
#include "host/IFootnote.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"

namespace {
constexpr double kRuleGap = 4.0;     // between the frame and the rule
constexpr double kRuleLength = 0.3;  // of the frame's width

std::vector<UID> NotesIn(IDataBase* db, UID story, TextIndex start, TextIndex end) {
  std::vector<UID> notes;
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  InterfacePtr<IOwnedItemStrand> items(
      model ? static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)) : nullptr);
  if (!items || end <= start) return notes;
  for (const OwnedItemInfo& item : items->GetOwnedItems(start, end - start))
    if (item.cls == kFootnoteBoss) notes.push_back(item.uid);
  return notes;
}

// Draws one footnote's story from its first line; answers the top of the next line.
double DrawNote(IDataBase* db, UID story, const Box& frame, int32 columns, double top, int32 flags,
                CairoGraphicsPort* port) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  if (!model) return top;
  const std::u16string text = model->CopyText(0, model->TotalLength()).Units();
  std::vector<ComposedLine> lines;
  BreakLines(text, {FrameBox{std::max(columns, 1), static_cast<int32>(text.size()) + 1}}, &lines);
  for (const ComposedLine& l : lines) {
    LineToDraw line;
    line.story = UIDRef(db, story);
    line.start = l.start;
    line.length = l.length;
    line.left = frame.x;
    line.top = top;
    line.width = frame.width;
    DrawLine(line, flags, port);
    top += kLineHeight;
  }
  return top;
}
}  // namespace

void DrawFootnotes(IDataBase* db, UID story, TextIndex start, TextIndex end, const Box& frame, int32 columns,
                   int32 flags, CairoGraphicsPort* port) {
  const std::vector<UID> notes = NotesIn(db, story, start, end);
  if (notes.empty()) return;
  cairo_t* cr = port->Context();
  const double rule = frame.Bottom() + kRuleGap;
  cairo_save(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 0.5);
  cairo_move_to(cr, frame.x, rule);
  cairo_line_to(cr, frame.x + kRuleLength * frame.width, rule);
  cairo_stroke(cr);
  cairo_restore(cr);
  double top = rule + 1;
  for (UID note : notes) {
    InterfacePtr<IFootnote> footnote(db, note, IID_IFOOTNOTE);
    if (footnote) top = DrawNote(db, footnote->GetFootnoteStoryUID(), frame, columns, top, flags, port);
  }
}

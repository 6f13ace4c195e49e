#include "headless/drawing/LineSetting.h"
#include "headless/layout/DocumentFeatures.h"
#include "host/ICharAttrStrand.h"
#include "host/IFootnote.h"
#include "host/ILayout.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include "host/UTF32TextChar.h"
#include <cairo.h>
#include <algorithm>

namespace {
// Anchors of owned items and controls take no room and show nothing.
bool Invisible(char16_t c) {
  return (c < 0x20 && c != u'\t') || c == 0xFEFF || c == 0xFFFC || (c >= 0xE000 && c <= 0xF8FF);
}

template <class Strand>
InterfacePtr<Strand> StrandOf(ITextModel* model, ClassID cls, PMIID iid) {
  return InterfacePtr<Strand>(static_cast<Strand*>(model->QueryStrand(cls, iid)));
}

// What an anchor character shows, and whether it shows raised.
std::string AnchorText(IDataBase* db, UID story, IOwnedItemStrand* items, TextIndex at, char16_t c, bool* raised) {
  *raised = false;
  if (c == kTextChar_TextVariable) {
    InterfacePtr<ITextVariableInstance> v(db, items ? items->GetOwnedUID(at, kTextVariableInstanceBoss) : kInvalidUID,
                                          IID_ITEXTVARIABLEINSTANCE);
    return v ? v->GetResultText().GetUTF8String() : std::string();
  }
  if (c != kTextChar_FootnoteMarker) return std::string();
  InterfacePtr<IFootnote> reference(db, items ? items->GetOwnedUID(at, kFootnoteBoss) : kInvalidUID, IID_IFOOTNOTE);
  if (reference) {
    *raised = true;
    return reference->GetNumberText(false).GetUTF8String();
  }
  // A footnote's own story begins with its reference character.
  InterfacePtr<IHierarchy> owner(db, story, IID_IHIERARCHY);
  InterfacePtr<IFootnote> note(db, owner ? owner->GetParentUID() : kInvalidUID, IID_IFOOTNOTE);
  return note && at == 0 ? note->GetNumberText(true).GetUTF8String() : std::string();
}
}  // namespace

SetLine::SetLine(IDataBase* db, UID story, TextIndex start, int32 length, const std::string& lead) : start_(start) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  const std::u16string text = model && length > 0 ? model->CopyText(start, length).Units() : std::u16string();
  x_.assign(text.size(), 0);
  width_.assign(text.size(), 0);
  if (model) Build(db, story, model.get(), text, lead);
}

double SetLine::Add(const std::string& utf8, const TextLook& look) {
  const double x = natural_;
  pieces_.push_back(Placed{TextPiece(utf8, look), x});
  natural_ += pieces_.back().piece.Width();
  return x;
}

void SetLine::Place(TextIndex at, double x, double width) {
  const size_t i = static_cast<size_t>(at - start_);
  x_[i] = x;
  width_[i] = width;
}

void SetLine::Flush(Pending* pending, const TextLook& look) {
  if (pending->units.empty()) return;
  const double x = Add(WideString(pending->units).GetUTF8String(), look);
  const TextPiece& piece = pieces_.back().piece;
  for (const Pending::Unit& unit : pending->offsets)
    Place(unit.at, x + piece.GlyphX(unit.byte), unit.secondHalf ? 0 : piece.GlyphWidth(unit.byte));
  *pending = Pending();
}

void SetLine::Pending::Append(TextIndex at, char16_t c) {
  const bool second = c >= 0xDC00 && c <= 0xDFFF;
  if (second && !offsets.empty()) {
    offsets.push_back(Unit{at, offsets.back().byte, true});
  } else {
    offsets.push_back(Unit{at, bytes, false});
    bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : (c >= 0xD800 && c <= 0xDBFF) ? 4 : 3;
  }
  units += c == u'\t' ? u' ' : c;  // a tab shows as a space: the picture keeps no tab stops
}

void SetLine::Build(IDataBase* db, UID story, ITextModel* model, const std::u16string& text, const std::string& lead) {
  auto chars = StrandOf<ICharAttrStrand>(model, kCharAttrStrandBoss, IID_ICHARATTRSTRAND);
  auto items = StrandOf<IOwnedItemStrand>(model, kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND);
  const TextIndex end = start_ + static_cast<int32>(text.size());
  if (!lead.empty()) {
    TextLook look = LookOfText(db, story, start_);
    look.position = 0;
    Add(lead, look);
  }
  for (TextIndex at = start_; at < end;) {
    TextIndex runStart = at;
    int32 runLength = 0;
    if (!chars || !chars->GetRun(at, &runStart, &runLength) || runStart + runLength <= at)
      runStart = at, runLength = end - at;
    const TextIndex runEnd = std::min(runStart + runLength, end);
    // One look per run: every character of a run carries the same attributes.
    const TextLook look = LookOfText(db, story, at);
    Pending pending;
    for (; at < runEnd; ++at) {
      const char16_t c = text[static_cast<size_t>(at - start_)];
      if (!Invisible(c)) {
        pending.Append(at, c);
        continue;
      }
      Flush(&pending, look);
      bool raised = false;
      const std::string shown = AnchorText(db, story, items.get(), at, c, &raised);
      if (shown.empty()) {
        Place(at, natural_, 0);
        continue;
      }
      TextLook anchorLook = look;
      if (raised) anchorLook.position = 1;
      const double x = Add(shown, anchorLook);
      Place(at, x, natural_ - x);
    }
    Flush(&pending, look);
  }
}

void SetLine::FitTo(double width) {
  scale_ = natural_ > width && natural_ > 0 && width > 0 ? width / natural_ : 1;
}

double SetLine::GlyphX(TextIndex at) const {
  if (at < start_) return 0;
  const size_t i = static_cast<size_t>(at - start_);
  return i < x_.size() ? x_[i] * scale_ : Width();
}

double SetLine::GlyphWidth(TextIndex at) const {
  if (at < start_) return 0;
  const size_t i = static_cast<size_t>(at - start_);
  return i < width_.size() ? width_[i] * scale_ : 0;
}

void SetLine::Paint(cairo_t* cr, double left, double baseline) const {
  cairo_save(cr);
  cairo_translate(cr, left, baseline);
  cairo_scale(cr, scale_, scale_);
  for (const Placed& p : pieces_) p.piece.Paint(cr, p.x, 0);
  cairo_restore(cr);
}

std::string ParagraphLead(IDataBase* db, UID story, TextIndex at) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  if (!model || (at > 0 && model->CopyText(at - 1, 1).Units() != u"\r")) return std::string();
  PMString number;
  if (!ParagraphNumber(db, story, at, &number, nullptr) || number.Units().empty()) return std::string();
  return number.GetUTF8String() + " ";
}

#include "headless/text/TextStrand.h"
#include "headless/text/LayoutDamage.h"

bool TextStrand::Insert(TextIndex at, const std::u16string& units) {
  if (at < 0 || at > text_.Length()) return false;
  PreDirty();
  return text_.Insert(at, units.data(), static_cast<int32>(units.size()));
}

bool TextStrand::Erase(TextIndex at, int32 count) {
  if (at < 0 || count < 0 || count > text_.Length() - at) return false;
  PreDirty();
  return text_.Erase(at, count);
}

// The length in units, then the units, little-endian.
void TextStrand::ReadWrite(IPMStream* s, ImplementationID) {
  // Restored text (undo, redo, loading): the layout starts afresh.
  if (s->IsReading()) LayoutDamage::ForgetAll();
  int32 n = text_.Length();
  s->XferInt32(n);
  if (s->IsWriting()) {
    text_.ForEachPiece([&](const char16_t* units, int32 count) {
      s->XferBytes(const_cast<char16_t*>(units), count * 2);
    });
    return;
  }
  int64 avail = s->Available();
  if (n < 1 || (avail >= 0 && static_cast<int64>(n) * 2 > avail)) {
    s->SetBad();
    return;
  }
  std::u16string units(static_cast<size_t>(n), u'\0');
  if (s->XferBytes(&units[0], n * 2) != n * 2 || units.back() != u'\r') {
    s->SetBad();
    return;
  }
  text_.Assign(units);
}

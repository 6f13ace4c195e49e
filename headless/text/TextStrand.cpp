#include "headless/text/TextStrand.h"
#include "headless/text/LayoutDamage.h"

// Units inserted at `at`, or erased from there.
class TextStrand::Edit : public UndoEdit {
public:
  Edit(UID story, TextIndex at, std::u16string units, bool inserted)
      : story_(story), at_(at), units_(std::move(units)), inserted_(inserted) {}
  void Undo(IPMUnknown* impl) const override { Apply(static_cast<TextStrand*>(impl), !inserted_); }
  void Redo(IPMUnknown* impl) const override { Apply(static_cast<TextStrand*>(impl), inserted_); }
  size_t Bytes() const override { return sizeof(*this) + units_.capacity() * sizeof(char16_t); }
  void Extent(int32* at, int32* removed, int32* inserted) const override {
    const int32 count = static_cast<int32>(units_.size());
    *at = at_;
    *removed = inserted_ ? 0 : count;
    *inserted = inserted_ ? count : 0;
  }
  std::unique_ptr<SpanImage> Image(IPMUnknown* impl, int32 at, int32 count) const override {
    std::u16string units;
    static_cast<TextStrand*>(impl)->text_.Copy(at, count, &units);
    return std::make_unique<ImageOf<std::u16string>>(std::move(units));
  }

private:
  void Apply(TextStrand* strand, bool insert) const {
    const int32 count = static_cast<int32>(units_.size());
    if (insert) strand->text_.Insert(at_, units_.data(), count);
    else strand->text_.Erase(at_, count);
    LayoutDamage::Record(::GetDataBase(strand), story_, {at_, insert ? 0 : count, insert ? count : 0});
  }

  UID story_;
  TextIndex at_;
  std::u16string units_;
  bool inserted_;
};

bool TextStrand::Insert(TextIndex at, const std::u16string& units, UID story) {
  if (at < 0 || at > text_.Length()) return false;
  const bool record = PreDirtyEdit();
  if (!text_.Insert(at, units.data(), static_cast<int32>(units.size()))) return false;
  if (record) RecordEdit(std::make_unique<Edit>(story, at, units, true));
  return true;
}

bool TextStrand::Erase(TextIndex at, int32 count, UID story) {
  if (at < 0 || count < 0 || count > text_.Length() - at) return false;
  const bool record = PreDirtyEdit();
  std::u16string erased;
  if (record) text_.Copy(at, count, &erased);
  if (!text_.Erase(at, count)) return false;
  if (record) RecordEdit(std::make_unique<Edit>(story, at, std::move(erased), false));
  return true;
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

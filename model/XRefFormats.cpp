// A workspace's formats. Invariant: entries are kept in the order the last
// AddFormat sorted them to (by name, in UTF-16 code-unit order, the one
// ordinal collation used for names), with later changes in place; both
// strings of every entry are marked not translatable.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormats.h"
#include "model/XRefNameKey.h"
#include <algorithm>
#include <vector>

namespace {
struct FormatEntry {
  PMString name;
  PMString format;
};

PMString Untranslatable(PMString s) {
  s.SetTranslatable(false);
  return s;
}

class XRefFormats : public CPMUnknown<IXRefFormats> {
public:
  using CPMUnknown::CPMUnknown;

  int32 GetFormatCount() const override { return static_cast<int32>(entries_.size()); }

  int32 FindFormat(const PMString& name) const override {
    const PMString key = XRefNameKey(name);
    for (size_t i = 0; i < entries_.size(); ++i)
      if (XRefNameKey(entries_[i].name) == key) return static_cast<int32>(i);
    return -1;
  }

  PMString GetFormatName(int32 index) const override { return InList(index) ? At(index).name : PMString(); }
  PMString GetFormatString(int32 index) const override { return InList(index) ? At(index).format : PMString(); }
  bool16 HasFormat(const PMString& name) const override { return FindFormat(name) >= 0; }

  PMString GetUniqueFormatName(const PMString& base) const override {
    PMString candidate = base;
    for (int32 n = 2; HasFormat(candidate); ++n) {
      candidate = base;
      candidate.Append(" (");
      candidate.AppendNumber(n);
      candidate.Append(")");
    }
    return candidate;
  }

  void AddFormat(const PMString& name, const PMString& format) override {
    PreDirty();
    entries_.push_back({Untranslatable(name), Untranslatable(format)});
    std::sort(entries_.begin(), entries_.end(),
              [](const FormatEntry& a, const FormatEntry& b) { return a.name < b.name; });
  }

  void ModifyFormat(int32 index, const PMString& name, const PMString& format) override {
    if (!InList(index)) return;
    PreDirty();
    entries_[static_cast<size_t>(index)] = {Untranslatable(name), Untranslatable(format)};
  }

  void RemoveFormat(int32 index) override {
    if (!InList(index)) return;
    PreDirty();
    entries_.erase(entries_.begin() + index);
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    int32 count = GetFormatCount();
    s->XferInt32(count);
    if (s->IsWriting()) {
      for (FormatEntry& e : entries_) {
        e.name.ReadWrite(s);
        e.format.ReadWrite(s);
      }
      return;
    }
    entries_.clear();
    // Each entry takes at least its two string lengths: a count the stream
    // cannot hold is not allocated for.
    for (int32 i = 0; i < count && !s->GetBad(); ++i) {
      FormatEntry e;
      e.name.ReadWrite(s);
      e.format.ReadWrite(s);
      if (s->GetBad()) break;
      entries_.push_back({Untranslatable(e.name), Untranslatable(e.format)});
    }
  }

private:
  bool InList(int32 index) const { return index >= 0 && index < GetFormatCount(); }
  const FormatEntry& At(int32 index) const { return entries_[static_cast<size_t>(index)]; }

  std::vector<FormatEntry> entries_;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefFormats, kXRefFormatsImpl);

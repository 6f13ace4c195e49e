#include "host/PMString.h"
#include "headless/objects/Host.h"
#include "host/IPMStream.h"
#include <unicode/uchar.h>
#include <string>

void ReadWriteUnits(IPMStream* s, std::u16string& units);

namespace {
// C strings given here are mostly ASCII keys and names, made again on every
// call: those widen unit by unit, without a temporary copy and the decoder.
std::u16string Widened(const char* utf8) {
  if (!utf8) return std::u16string();
  const char* end = utf8;
  bool ascii = true;
  for (; *end; ++end) ascii = ascii && static_cast<unsigned char>(*end) < 0x80;
  return ascii ? std::u16string(utf8, end) : Utf::ToUTF16(std::string(utf8, end));
}
}  // namespace

PMString::PMString(const char* utf8, TranslateDuringCall t) : s_(Widened(utf8)) {
  if (t == kTranslateDuringCall) Translate();
}

void PMString::Append(const char* utf8) { s_ += Widened(utf8); }

void PMString::Insert(const PMString& o, int32 pos) {
  if (pos < 0) pos = 0;
  if (pos > CharCount()) pos = CharCount();
  s_.insert(static_cast<size_t>(pos), o.s_);
}

void PMString::Remove(int32 pos, int32 count) {
  if (pos < 0 || pos >= CharCount() || count <= 0) return;
  s_.erase(static_cast<size_t>(pos), static_cast<size_t>(count));
}

int32 PMString::IndexOfString(const PMString& o, int32 from) const {
  if (from < 0) from = 0;
  size_t at = s_.find(o.s_, static_cast<size_t>(from));
  return at == std::u16string::npos ? -1 : static_cast<int32>(at);
}

PMString PMString::Substring(int32 pos, int32 count) const {
  PMString r;
  r.state_ = state_;
  if (pos < 0) pos = 0;
  if (pos >= CharCount() || count <= 0) return r;
  r.s_ = s_.substr(static_cast<size_t>(pos), static_cast<size_t>(count));
  return r;
}

void PMString::AppendNumber(int32 n) { Append(std::to_string(n).c_str()); }

int32 PMString::GetAsNumber(bool* ok) const {
  std::string u = GetUTF8String();
  size_t i = 0;
  while (i < u.size() && u[i] == ' ') ++i;
  bool neg = false;
  if (i < u.size() && (u[i] == '-' || u[i] == '+')) neg = u[i++] == '-';
  int64 v = 0;
  size_t digits = 0;
  while (i < u.size() && u[i] >= '0' && u[i] <= '9' && v < 0x7FFFFFFF) {
    v = v * 10 + (u[i++] - '0');
    ++digits;
  }
  if (ok) *ok = digits > 0 && i == u.size();
  if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
  return static_cast<int32>(neg ? -v : v);
}

int32 PMString::CompareNoCase(const PMString& o) const {
  size_t i = 0, j = 0;
  while (i < s_.size() && j < o.s_.size()) {
    UChar32 a = u_foldCase(static_cast<UChar32>(Utf::NextScalar(s_, i)), U_FOLD_CASE_DEFAULT);
    UChar32 b = u_foldCase(static_cast<UChar32>(Utf::NextScalar(o.s_, j)), U_FOLD_CASE_DEFAULT);
    if (a != b) return a < b ? -1 : 1;
  }
  if (i < s_.size()) return 1;
  if (j < o.s_.size()) return -1;
  return 0;
}

void PMString::Translate() {
  if (state_ != kTranslatable) return;
  if (const std::u16string* text = Host::Get().Strings().FindUnits(s_)) s_ = *text;
  state_ = kTranslated;
}

std::string PMString::GetUTF8String() const { return Utf::ToUTF8(s_); }

void PMString::ReadWrite(IPMStream* s) {
  uchar state = state_;
  s->XferByte(state);
  if (s->IsReading()) {
    if (state > kTranslated) s->SetBad();
    state_ = state > kTranslated ? kNotTranslatable : static_cast<TranslationState>(state);
  }
  ReadWriteUnits(s, s_);
}

void StringUtils::ReplaceStringParameters(PMString* s, const PMString& p1, const PMString& p2, const PMString& p3,
                                          const PMString& p4) {
  if (!s) return;
  const PMString* params[] = {&p1, &p2, &p3, &p4};
  const std::u16string& in = s->Units();
  // Most messages name no parameter: they stay as they are.
  const size_t first = in.find(u'^');
  if (first == std::u16string::npos) return;
  std::u16string out(in, 0, first);
  out.reserve(in.size());
  for (size_t i = first; i < in.size(); ++i) {
    if (in[i] == u'^' && i + 1 < in.size() && in[i + 1] >= u'1' && in[i + 1] <= u'4') {
      out += params[in[i + 1] - u'1']->Units();
      ++i;
      continue;
    }
    out.push_back(in[i]);
  }
  PMString::TranslationState state = s->GetTranslationState();
  *s = PMString(out);
  if (state == PMString::kTranslated) s->SetTranslated();
  else if (state == PMString::kNotTranslatable) s->SetTranslatable(false);
}

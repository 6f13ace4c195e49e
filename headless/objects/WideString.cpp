#include "host/WideString.h"
#include "host/IPMStream.h"

void Utf::AppendUTF16(std::u16string& out, uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

uint32_t Utf::NextScalar(const std::u16string& s, size_t& i) {
  uint32_t c = s[i++];
  if (c >= 0xD800 && c <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
    c = 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
  }
  return c;
}

std::u16string Utf::ToUTF16(const std::string& in) {
  std::u16string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    uint32_t cp;
    int extra;
    if (b < 0x80) { cp = b; extra = 0; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
    else { out.push_back(0xFFFD); ++i; continue; }
    if (i + static_cast<size_t>(extra) >= in.size()) {  // truncated sequence
      out.push_back(0xFFFD);
      break;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char c = static_cast<unsigned char>(in[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) { out.push_back(0xFFFD); ++i; continue; }
    i += static_cast<size_t>(extra) + 1;
    AppendUTF16(out, cp);
  }
  return out;
}

std::string Utf::ToUTF8(const std::u16string& in) {
  std::string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    uint32_t cp = NextScalar(in, i);
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
    if (cp < 0x80) out.push_back(static_cast<char>(cp));
    else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

WideString::WideString(const char* utf8) : s_(Utf::ToUTF16(utf8 ? utf8 : "")) {}

WideString WideString::FromUTF8(const std::string& utf8) { return WideString(Utf::ToUTF16(utf8)); }

int32 WideString::CharCount() const {
  int32 n = 0;
  for (size_t i = 0; i < s_.size();) {
    Utf::NextScalar(s_, i);
    ++n;
  }
  return n;
}

void WideString::Append(UTF32TextChar c) { Utf::AppendUTF16(s_, c.GetValue()); }

UTF32TextChar WideString::CharAt(int32 unitIndex) const {
  if (unitIndex < 0 || unitIndex >= Length()) return UTF32TextChar(0);
  size_t i = static_cast<size_t>(unitIndex);
  return UTF32TextChar(Utf::NextScalar(s_, i));
}

WideString WideString::Substring(int32 start, int32 count) const {
  if (start < 0) start = 0;
  if (start >= Length() || count <= 0) return WideString();
  return WideString(s_.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

std::string WideString::GetUTF8String() const { return Utf::ToUTF8(s_); }

// Length in code units, then the units. A length the input cannot hold marks
// the stream bad instead of allocating.
void ReadWriteUnits(IPMStream* s, std::u16string& units) {
  int32 n = static_cast<int32>(units.size());
  s->XferInt32(n);
  if (s->IsReading()) {
    int64 avail = s->Available();
    if (n < 0 || (avail >= 0 && static_cast<int64>(n) * 2 > avail)) {
      s->SetBad();
      units.clear();
      return;
    }
    units.resize(static_cast<size_t>(n));
  }
  for (auto& u : units) {
    int16 v = static_cast<int16>(u);
    s->XferInt16(v);
    u = static_cast<char16_t>(v);
  }
}

void WideString::ReadWrite(IPMStream* s) { ReadWriteUnits(s, s_); }

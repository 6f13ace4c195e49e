#pragma once
// A UTF-16 string of text-model characters, with UTF-32 access.
#include "IDTypes.h"
#include "UTF32TextChar.h"
#include <string>

class IPMStream;

class WideString {
public:
  WideString() = default;
  explicit WideString(const std::u16string& s) : s_(s) {}
  explicit WideString(const char* utf8);
  static WideString FromUTF8(const std::string& utf8);

  int32 Length() const { return static_cast<int32>(s_.size()); }  // code units
  int32 CharCount() const;                                        // scalar values
  bool empty() const { return s_.empty(); }
  void clear() { s_.clear(); }
  void Append(UTF32TextChar c);
  void Append(const WideString& w) { s_ += w.s_; }
  // The scalar value starting at a code-unit index (a lone surrogate as itself).
  UTF32TextChar CharAt(int32 unitIndex) const;
  WideString Substring(int32 start, int32 count) const;

  const std::u16string& Units() const { return s_; }
  std::u16string& Units() { return s_; }
  std::string GetUTF8String() const;

  void ReadWrite(IPMStream* s);

  bool operator==(const WideString& o) const { return s_ == o.s_; }
  bool operator!=(const WideString& o) const { return s_ != o.s_; }
  bool operator<(const WideString& o) const { return s_ < o.s_; }

private:
  std::u16string s_;
};

namespace Utf {
std::u16string ToUTF16(const std::string& utf8);
std::string ToUTF8(const std::u16string& utf16);
void AppendUTF16(std::u16string& out, uint32_t cp);
// Decodes one scalar value at i and advances i past it.
uint32_t NextScalar(const std::u16string& s, size_t& i);
}  // namespace Utf

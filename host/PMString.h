#pragma once
// The host's user-visible string: UTF-16, with a mark telling whether it is a
// key still to be translated, text never to translate, or already translated.
#include "WideString.h"

class PMString {
public:
  enum TranslationState : uint8_t { kTranslatable = 0, kNotTranslatable = 1, kTranslated = 2 };
  enum TranslateDuringCall { kNoTranslate, kTranslateDuringCall };

  PMString() = default;
  PMString(const char* utf8, TranslateDuringCall t = kNoTranslate);
  explicit PMString(const std::string& utf8) : PMString(utf8.c_str()) {}
  explicit PMString(const WideString& w) : s_(w.Units()) {}
  explicit PMString(const std::u16string& s) : s_(s) {}

  int32 CharCount() const { return static_cast<int32>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  bool empty() const { return s_.empty(); }
  void clear() { s_.clear(); }
  void Append(const PMString& o) { s_ += o.s_; }
  void Append(const char* utf8);
  void Append(const WideString& w) { s_ += w.Units(); }
  void AppendW(char16_t c) { s_.push_back(c); }
  void Insert(const PMString& o, int32 pos);
  void Remove(int32 pos, int32 count);
  int32 IndexOfString(const PMString& o, int32 from = 0) const;
  PMString Substring(int32 pos, int32 count) const;  // clamped
  void AppendNumber(int32 n);
  int32 GetAsNumber(bool* ok = nullptr) const;
  char16_t operator[](int32 i) const { return s_[static_cast<size_t>(i)]; }

  // Case-insensitive comparison (Unicode simple case folding); 0 when equal.
  int32 CompareNoCase(const PMString& o) const;
  bool IsEqualNoCase(const PMString& o) const { return CompareNoCase(o) == 0; }

  void SetTranslatable(bool16 t) { state_ = t ? kTranslatable : kNotTranslatable; }
  bool16 GetTranslatable() const { return state_ == kTranslatable; }
  void SetTranslated() { state_ = kTranslated; }
  bool16 HasTranslated() const { return state_ == kTranslated; }
  TranslationState GetTranslationState() const { return state_; }
  // Replaces a translatable key by its text in the current language; marks
  // the string translated. Strings that are not translatable stay as they are.
  void Translate();

  std::string GetUTF8String() const;
  const std::u16string& Units() const { return s_; }
  WideString GetWideString() const { return WideString(s_); }

  void ReadWrite(IPMStream* s);

  bool operator==(const PMString& o) const { return s_ == o.s_; }
  bool operator!=(const PMString& o) const { return s_ != o.s_; }
  bool operator<(const PMString& o) const { return s_ < o.s_; }
  PMString& operator+=(const PMString& o) { s_ += o.s_; return *this; }

private:
  std::u16string s_;
  TranslationState state_ = kTranslatable;
};

namespace StringUtils {
// Replaces "^1", "^2", ... by the given values.
void ReplaceStringParameters(PMString* s, const PMString& p1, const PMString& p2 = PMString(),
                             const PMString& p3 = PMString(), const PMString& p4 = PMString());
}  // namespace StringUtils

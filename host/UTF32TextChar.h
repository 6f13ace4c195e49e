#pragma once
#include <cstdint>

// One Unicode scalar value, as text iterators yield it.
class UTF32TextChar {
public:
  UTF32TextChar() = default;
  constexpr UTF32TextChar(uint32_t v) : v_(v) {}
  constexpr uint32_t GetValue() const { return v_; }
  constexpr operator uint32_t() const { return v_; }
  // Number of UTF-16 code units the character takes.
  constexpr int32_t CodeUnits() const { return v_ > 0xFFFF ? 2 : 1; }

private:
  uint32_t v_ = 0;
};

// Characters with a meaning in the text model.
enum : uint32_t {
  kTextChar_CR = 0x000D,
  kTextChar_LF = 0x000A,
  kTextChar_Tab = 0x0009,
  kTextChar_Space = 0x0020,
  kTextChar_ZeroSpaceNoBreak = 0xFEFF,
  kTextChar_FootnoteMarker = 0x0004,
  kTextChar_TextVariable = 0x0018,
};

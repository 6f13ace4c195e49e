#include "headless/layout/PageNumbers.h"
#include "host/LayoutIDs.h"
#include <string>

namespace {
std::string Roman(int32 n) {
  static const struct { int32 value; const char* digits; } kTable[] = {
      {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
      {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},   {4, "IV"},   {1, "I"}};
  std::string out;
  for (auto& entry : kTable) {
    while (n >= entry.value) {
      out += entry.digits;
      n -= entry.value;
    }
  }
  return out;
}

// 1 = A, 26 = Z, 27 = AA: bijective base 26.
std::string Letters(int32 n) {
  std::string out;
  while (n > 0) {
    --n;
    out.insert(out.begin(), static_cast<char>('A' + n % 26));
    n /= 26;
  }
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c - 'A' + 'a');
  return s;
}
}  // namespace

PMString FormatNumber(int32 n, int32 style) {
  std::string text;
  bool romanOK = n >= 1 && n <= 3999;
  switch (style) {
    case kUpperRomanNumbers: text = romanOK ? Roman(n) : std::to_string(n); break;
    case kLowerRomanNumbers: text = romanOK ? Lower(Roman(n)) : std::to_string(n); break;
    case kUpperLetterNumbers: text = n >= 1 ? Letters(n) : std::to_string(n); break;
    case kLowerLetterNumbers: text = n >= 1 ? Lower(Letters(n)) : std::to_string(n); break;
    default: text = std::to_string(n); break;
  }
  PMString result(text.c_str());
  result.SetTranslatable(false);
  return result;
}

#pragma once
// Character classes, answered from Unicode's data.
#include "IDTypes.h"
#include "UTF32TextChar.h"

namespace UnicodeClass {
bool16 IsWhiteSpace(UTF32TextChar c);
bool16 IsLetter(UTF32TextChar c);
// The ASCII digits 0 to 9.
bool16 IsRomanDigit(UTF32TextChar c);
// Han numerals (一, 二, 十, 百, 〇, ...) and full-width digits.
bool16 IsJapaneseNumeral(UTF32TextChar c);
bool16 IsPunctuation(UTF32TextChar c);
}  // namespace UnicodeClass

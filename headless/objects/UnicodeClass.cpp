#include "host/UnicodeClass.h"
#include <unicode/uchar.h>
#include <unicode/uscript.h>

bool16 UnicodeClass::IsWhiteSpace(UTF32TextChar c) { return u_isUWhiteSpace(static_cast<UChar32>(c.GetValue())); }

bool16 UnicodeClass::IsLetter(UTF32TextChar c) { return u_isalpha(static_cast<UChar32>(c.GetValue())); }

bool16 UnicodeClass::IsRomanDigit(UTF32TextChar c) { return c.GetValue() >= '0' && c.GetValue() <= '9'; }

bool16 UnicodeClass::IsJapaneseNumeral(UTF32TextChar c) {
  UChar32 ch = static_cast<UChar32>(c.GetValue());
  if (ch >= 0xFF10 && ch <= 0xFF19) return true;  // full-width digits
  UErrorCode status = U_ZERO_ERROR;
  bool han = uscript_getScript(ch, &status) == USCRIPT_HAN && U_SUCCESS(status);
  return han && u_getNumericValue(ch) != U_NO_NUMERIC_VALUE;
}

bool16 UnicodeClass::IsPunctuation(UTF32TextChar c) { return u_ispunct(static_cast<UChar32>(c.GetValue())); }

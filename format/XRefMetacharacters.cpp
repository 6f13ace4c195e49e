#include "format/XRefMetacharacters.h"

namespace {
// The character an escape "^c" stands for, or 0 when c is no escape.
char16_t EscapedChar(char16_t c) {
  switch (c) {
    case u'^': return u'^';
    case u'{': return 0x201C;
    case u'}': return 0x201D;
    case u'[': return 0x2018;
    case u']': return 0x2019;
    case u'_': return 0x2014;
    case u'=': return 0x2013;
    case u'~': return 0x2011;
    case u'-': return 0x00AD;
    case u's': return 0x00A0;
    case u'm': return 0x2003;
    case u'>': return 0x2002;
    case u'f': return 0x2001;
    case u'3': return 0x2004;
    case u'4': return 0x2005;
    case u'%': return 0x2006;
    case u'/': return 0x2007;
    case u'.': return 0x2008;
    case u'<': return 0x2009;
    case u'|': return 0x200A;
    case u't': return 0x0009;
    case u'y': return 0x0008;
    case u'i': return 0x0007;
    case u'h': return 0x0003;
    case u'8': return 0x2022;
    case u'e': return 0x2026;
    case u'2': return 0x00A9;
    case u'r': return 0x00AE;
    case u'd': return 0x2122;
    case u'6': return 0x00A7;
    case u'7': return 0x00B6;
    default: return 0;
  }
}

// Typographic quotes typed anywhere, attribute values included, act as the
// straight quotes XML needs.
char16_t Straightened(char16_t c) {
  if (c == 0x201C || c == 0x201D) return u'"';
  if (c == 0x2018 || c == 0x2019) return u'\'';
  return c;
}
}  // namespace

bool16 ConvertFormatMetacharacters(PMString& text, int32* errorPosition) {
  const std::u16string& in = text.Units();
  std::u16string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char16_t c = in[i];
    if (c != u'^') {
      out.push_back(Straightened(c));
      continue;
    }
    if (i + 1 == in.size()) {
      out.push_back(c);  // a trailing caret stands for itself
      break;
    }
    char16_t escaped = EscapedChar(in[i + 1]);
    if (!escaped) {
      if (errorPosition) *errorPosition = static_cast<int32>(i + 1);
      return true;
    }
    out.push_back(escaped);
    ++i;
  }
  PMString::TranslationState state = text.GetTranslationState();
  text = PMString(out);
  if (state == PMString::kTranslated) text.SetTranslated();
  else text.SetTranslatable(state == PMString::kTranslatable);
  return false;
}

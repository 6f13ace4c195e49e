#include "model/XRefQuoteEquality.h"

namespace {
// The kind of quote a unit is: 1 double, 2 single, 0 none.
int QuoteKind(char16_t c) {
  switch (c) {
    case u'\x22': case u'\x201C': case u'\x201D': case u'\x201E': case u'\x201F':
      return 1;
    case u'\x27': case u'\x2018': case u'\x2019': case u'\x201A': case u'\x201B':
      return 2;
    default:
      return 0;
  }
}
}  // namespace

bool XRefQuoteEquality::Equal(const PMString& composed, const PMString& current) {
  const std::u16string& a = composed.Units();
  const std::u16string& b = current.Units();
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    const int kind = QuoteKind(a[i]);
    if (kind == 0 || kind != QuoteKind(b[i])) return false;
  }
  return true;
}

#pragma once
// Values of the host's character attributes, for attribute lists.
#include "AttributeBossList.h"
#include "TextIDs.h"

namespace TextAttr {
inline TextAttribute Make(ClassID cls, int64 value) {
  TextAttribute a;
  a.cls = cls;
  a.intValue = value;
  return a;
}
inline TextAttribute Font(UID family) { return Make(kTextAttrFontBoss, UIDValue(family)); }
inline TextAttribute FontStyle(const PMString& name) {
  TextAttribute a = Make(kTextAttrFontStyleBoss, 0);
  a.stringValue = name;
  a.stringValue.SetTranslatable(false);
  return a;
}
inline TextAttribute PointSize(double points) {
  TextAttribute a = Make(kTextAttrPointSizeBoss, 0);
  a.realValue = points;
  return a;
}
inline TextAttribute FillColor(UID swatch) { return Make(kTextAttrFillColorBoss, UIDValue(swatch)); }
inline TextAttribute Underline(bool16 on) { return Make(kTextAttrUnderlineBoss, on ? 1 : 0); }
inline TextAttribute Strikethrough(bool16 on) { return Make(kTextAttrStrikeBoss, on ? 1 : 0); }
inline TextAttribute NoBreak(bool16 on) { return Make(kTextAttrNoBreakBoss, on ? 1 : 0); }
enum : int32 { kPositionNormal = 0, kPositionSuperscript = 1, kPositionSubscript = 2 };
inline TextAttribute Position(int32 mode) { return Make(kTextAttrPositionBoss, mode); }
enum : int32 { kCapsNormal = 0, kCapsSmall = 1, kCapsAll = 2 };
inline TextAttribute Capitalization(int32 mode) { return Make(kTextAttrCapitalBoss, mode); }
inline TextAttribute Language(UID language) { return Make(kTextAttrLanguageBoss, UIDValue(language)); }

inline UID AsUID(const TextAttribute& a) { return UID{static_cast<uint32>(a.intValue)}; }

// The nine attributes the composer saves and sets, in its order.
constexpr ClassID kComposerAttributes[9] = {kTextAttrFontBoss,      kTextAttrFontStyleBoss, kTextAttrPointSizeBoss,
                                            kTextAttrFillColorBoss, kTextAttrUnderlineBoss, kTextAttrStrikeBoss,
                                            kTextAttrNoBreakBoss,   kTextAttrPositionBoss,  kTextAttrCapitalBoss};
}  // namespace TextAttr

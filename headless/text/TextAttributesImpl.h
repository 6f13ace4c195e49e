#pragma once
// Attribute queries on a story, answered from its strands and the styles of
// its document's workspace.
#include "host/CPMUnknown.h"
#include "host/ITextAttributes.h"

class TextAttributesImpl : public CPMUnknown<ITextAttributes> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 GetAttributeInForce(TextIndex at, ClassID cls, TextAttribute* out) const override;
  AttributeBossList GetAttributesInForce(TextIndex at) const override;
  AttributeBossList GetResolvedAttributes(TextIndex at) const override;
  UID GetCharStyle(TextIndex at) const override;
  UID GetParagraphStyle(TextIndex at) const override;
  int32 GetNumberingKind(TextIndex at) const override;
  UID GetLanguage(TextIndex at) const override;
};

#pragma once
// Paragraph attributes: each paragraph's style and its own bullets-and-
// numbering kind. Every character of a paragraph reads the same values.
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UID.h"

class IParaAttrStrand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IPARAATTRSTRAND;

  // The paragraph style at an index; kInvalidUID outside the story.
  virtual UID GetParagraphStyle(TextIndex at) const = 0;
  // The paragraph's own numbering kind, or -1 when it follows its style (and
  // outside the story).
  virtual int32 GetNumberingOverride(TextIndex at) const = 0;
};

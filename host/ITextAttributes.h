#pragma once
// Attribute queries on a story, with style values resolved: a character's
// value comes from its own attributes, else its character style, else its
// paragraph style, else the root paragraph style, else the host's default.
#include "AttributeBossList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"

class ITextAttributes : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTATTRIBUTES;

  // The attribute in force over the empty range (at, at): what text inserted
  // at `at` would carry (the insertion point's attributes when they were set
  // there, else the preceding character's within the paragraph, else the
  // character's at `at`). False outside 0 <= at < TotalLength().
  virtual bool16 GetAttributeInForce(TextIndex at, ClassID cls, TextAttribute* out) const = 0;
  // Every attribute in force over (at, at), as above, resolved once: asking
  // for several costs no more than asking for one. Empty outside the story.
  virtual AttributeBossList GetAttributesInForce(TextIndex at) const = 0;
  // Every attribute of the character at an index, resolved: the nine
  // character attributes and the language, then any other local attribute.
  // Empty outside the story.
  virtual AttributeBossList GetResolvedAttributes(TextIndex at) const = 0;
  virtual UID GetCharStyle(TextIndex at) const = 0;
  virtual UID GetParagraphStyle(TextIndex at) const = 0;
  // The paragraph's bullets-and-numbering kind (its own, else its style's);
  // kNoNumbering outside the story.
  virtual int32 GetNumberingKind(TextIndex at) const = 0;
  // The language of the character at an index; kInvalidUID outside.
  virtual UID GetLanguage(TextIndex at) const = 0;
};

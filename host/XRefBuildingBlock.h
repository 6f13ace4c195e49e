#pragma once
// One building block of the host's native cross-reference format: a type,
// the text of a custom-text block, and the character style the block's text
// takes (a style of the document's workspace, or none). The text is never
// translated.
#include "PMString.h"
#include "UID.h"

class XRefBuildingBlock {
public:
  enum Type : int32 {
    kNoType = -1,
    kCustomText = 0,
    kFileName = 1,
    kChapterNumber = 2,
    kPageNumber = 3,
    kFullParagraph = 4,
    kParagraphNumber = 5,
    kParagraphText = 6,
    kTextAnchorName = 7,
  };

  XRefBuildingBlock();
  void SetType(int32 type);
  int32 GetType() const { return type_; }
  void SetCustomText(const PMString& text);
  const PMString& GetCustomText() const { return text_; }
  void SetCharacterStyle(UID style) { style_ = style; }
  UID GetCharacterStyle() const { return style_; }
  bool operator==(const XRefBuildingBlock& o) const;

private:
  int32 type_ = kNoType;
  PMString text_;
  UID style_ = kInvalidUID;
};

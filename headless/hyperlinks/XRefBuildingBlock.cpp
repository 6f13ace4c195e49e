#include "host/XRefBuildingBlock.h"

XRefBuildingBlock::XRefBuildingBlock() { text_.SetTranslatable(false); }

void XRefBuildingBlock::SetType(int32 type) {
  type_ = type >= kCustomText && type <= kTextAnchorName ? type : kNoType;
}

void XRefBuildingBlock::SetCustomText(const PMString& text) {
  text_ = text;
  text_.SetTranslatable(false);
}

bool XRefBuildingBlock::operator==(const XRefBuildingBlock& o) const {
  return type_ == o.type_ && text_ == o.text_ && style_ == o.style_;
}

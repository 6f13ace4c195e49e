#pragma once
// Where a composition writes: the insertion point at the destination. Styles
// and attribute lists applied to it are carried by the text inserted next;
// inserted text moves the destination past it, and moves the source along
// when the text goes in before it in the same story.
#include "host/AttributeBossList.h"
#include "host/WideString.h"

class IXRefTextLoc;

class XRefInsertionPoint {
public:
  XRefInsertionPoint(IXRefTextLoc* source, IXRefTextLoc* destination)
      : source_(source), destination_(destination) {}

  // The character style of the character before the destination (of the
  // first character when there is none before); kInvalidUID when unreadable.
  UID CharStyleBefore() const;
  // The composer's nine attributes, as the character before the destination
  // carries them, or as text inserted at the destination would; false when
  // the destination is invalid.
  bool ReadAttributes(bool characterBefore, AttributeBossList* out) const;

  // Each is one host command; false when it failed, its failure handled.
  bool ApplyCharStyle(UID style) const;
  bool ApplyAttributes(const AttributeBossList& attributes) const;
  bool Insert(const WideString& text) const;

private:
  IXRefTextLoc* source_;
  IXRefTextLoc* destination_;
};

#pragma once
// The text selection's target: the selected story and range.
#include "ITextModel.h"
#include "RangeData.h"
#include "SelectionIDs.h"
#include "UIDRef.h"

class ITextTarget : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTTARGET;
  // The story's text model, with a reference the caller releases; null
  // without a text selection.
  virtual ITextModel* QueryTextModel() const = 0;
  virtual UIDRef GetTextModel() const = 0;
  virtual RangeData GetRange() const = 0;
  // Yes when there is a text selection (a caret counts) and it still lies
  // inside its story: an edit that shortened the story may leave it past
  // the end until the selection is set again.
  virtual bool16 HasSelection() const = 0;
};

#pragma once
// What the text part of the selection suite reads from the text selection:
// the story, the range, and the plug-in's markers in and around it. Markers
// are looked for in the selected range with its end index included, and
// around it within the paragraphs at its ends.
#include "host/ITextModel.h"
#include "host/ITextTarget.h"
#include "host/InterfacePtr.h"
#include "host/UIDList.h"

class XRefTextSelection {
public:
  // From the text selection object the text part lives on.
  explicit XRefTextSelection(const IPMUnknown* textSelection);
  // A text target with a story.
  bool Exists() const { return model_ != nullptr; }
  // The text target's own "has a selection".
  bool HasSelection() const { return target_ && target_->HasSelection(); }
  bool IsLocked() const;
  const UIDRef& Story() const { return story_; }
  const RangeData& Range() const { return range_; }
  ITextModel* Model() const { return model_.get(); }

  // The source markers in the range, in text order; `first` stops at one.
  UIDList SourceMarkers(bool first = false) const;
  // The cross-references the selection touches: those whose markers lie in
  // the range, else the one whose text the range lies in; each once, in
  // text order.
  UIDList CrossRefs() const;
  // The range grown to the whole cross-references it reaches into.
  RangeData Grown() const;

private:
  // The start marker of the cross-reference whose text holds the range's
  // start, found walking back within the paragraph; kInvalidUID if none.
  UID EnclosingStartMarker(TextIndex* at) const;
  TextIndex InclusiveEnd() const;

  InterfacePtr<ITextTarget> target_;
  InterfacePtr<ITextModel> model_;
  UIDRef story_;
  RangeData range_;
};

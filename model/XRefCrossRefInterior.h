#pragma once
// Where the text of a cross-reference lies: from just after its start
// marker's character up to and including its end marker's character. Text
// put there is replaced by the cross-reference's next update.
#include "host/ITextModel.h"
#include "host/UIDRef.h"

namespace XRefCrossRefInterior {
// The start marker of the cross-reference whose text holds position `at`,
// found walking back within the paragraph, with that marker's index in
// `markerIndex`; kInvalidUID when `at` lies in no cross-reference's text.
UID EnclosingStartMarker(ITextModel* story, TextIndex at, TextIndex* markerIndex = nullptr);
// Whether inserting at `at` of the story puts text inside a cross-reference.
bool IsInside(const UIDRef& story, TextIndex at);
}  // namespace XRefCrossRefInterior

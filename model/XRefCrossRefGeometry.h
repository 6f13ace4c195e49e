#pragma once
// Where a cross-reference's text markers stand, and whether the text between
// them may be replaced: both markers present, of their own classes, naming
// this cross-reference, anchored in one story with the start before the end,
// and nothing else anchored between them. Update looks before it deletes
// anything; loading refuses the faults that no edit makes.
#include "host/IDataBase.h"
#include "host/UIDRef.h"
#include <string>
#include <utility>
#include <vector>

struct XRefCrossRefGeometry {
  enum Fault {
    kSound = 0,
    kStartMissing,     // no start marker, or one anchored nowhere
    kStartUnanchored,  // a start marker not anchored in the story it names
    kEndMissing,       // no end marker, or one anchored nowhere: its character went
    kWrongClass,       // a marker of the other class, or no marker at all
    kOtherCrossRef,    // a marker that names another cross-reference
    kOtherStory,       // the end marker lies in another story than the start
    kNotBeforeEnd,     // the start marker is at or after the end marker
    kHoldsItems,       // something is anchored between the markers
  };

  // Looks at the markers of `crossRef`; with `scanBetween`, also at what is
  // anchored between them.
  static XRefCrossRefGeometry Of(IDataBase* db, UID crossRef, bool scanBetween);
  // The fault in words, naming the cross-reference and the object at fault.
  std::string Describe() const;
  // Among sound geometries, every pair whose texts cross, each holding one
  // marker of the other, as (outer, inner) cross-reference in text order.
  static std::vector<std::pair<UID, UID>> FindCrossings(std::vector<XRefCrossRefGeometry> sound);
  static std::string DescribeCrossing(const std::pair<UID, UID>& crossing);

  Fault fault = kSound;
  UID crossRef = kInvalidUID;
  UID culprit = kInvalidUID;  // the marker, or the item between the markers
  // With sound markers: their story and the indexes of their characters.
  UIDRef story;
  TextIndex start = -1;
  TextIndex end = -1;
};

#pragma once
// Where each story's entries stand in a list of objects anchored in text
// (source markers, cross-references): the list cut into runs of
// consecutive entries of one story, in list order. Entries without a story
// form runs of kInvalidUID. A cache beside the list, so that a new entry
// finds its story's run without asking every listed entry for its story.
//
// Invariants while valid: the runs' lengths add up to the list's length, no
// run is empty, and neighbouring runs name different stories.
#include "host/IDTypes.h"
#include "host/UID.h"
#include <functional>
#include <vector>

class XRefStoryRuns {
public:
  bool Valid() const { return valid_; }
  void Invalidate() {
    valid_ = false;
    runs_.clear();
  }
  // From the story of every listed entry, in list order.
  void Assign(const std::vector<UID>& storyOfEach);
  // The first run of `story` and how many runs it has; false when none.
  bool Find(UID story, int32* start, int32* length, int32* runs) const;
  // An entry of `story` went into the list at `at` (0 <= at <= length).
  void Inserted(int32 at, UID story);
  // The entry at `at` left the list.
  void Removed(int32 at);
  // The first entry of the run [first, first + length) that starts after
  // `at`, searched by halves; -1 when `startOf` answers false for an entry
  // read, which is not of the run's story (the runs are stale).
  static int32 SearchRun(int32 first, int32 length, int32 at,
                         const std::function<bool(int32 entry, int32* start)>& startOf);
  // The list, read back (by undo or redo), went from `before` to `after`:
  // one entry more or fewer is followed, anything else drops the runs.
  void Follow(const std::vector<UID>& before, const std::vector<UID>& after,
              const std::function<UID(UID entry)>& storyOf);

private:
  struct Run {
    UID story;
    int32 length;
  };
  void MergeWithNext(size_t run);

  std::vector<Run> runs_;
  bool valid_ = false;
};

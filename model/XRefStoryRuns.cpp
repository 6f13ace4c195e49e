#include "model/XRefStoryRuns.h"
#include <algorithm>

void XRefStoryRuns::Assign(const std::vector<UID>& storyOfEach) {
  runs_.clear();
  for (UID story : storyOfEach) {
    if (!runs_.empty() && runs_.back().story == story)
      ++runs_.back().length;
    else
      runs_.push_back({story, 1});
  }
  valid_ = true;
}

bool XRefStoryRuns::Find(UID story, int32* start, int32* length, int32* runs) const {
  int32 at = 0;
  *runs = 0;
  for (const Run& run : runs_) {
    if (run.story == story && (*runs)++ == 0) {
      *start = at;
      *length = run.length;
    }
    at += run.length;
  }
  return *runs > 0;
}

int32 XRefStoryRuns::SearchRun(int32 first, int32 length, int32 at,
                               const std::function<bool(int32 entry, int32* start)>& startOf) {
  int32 low = first, high = first + length;
  // Entries mostly come in text order (a build, a writer working down the
  // story): the run's last entry settles those with one lookup.
  if (low < high) {
    int32 last = 0;
    if (!startOf(high - 1, &last)) return -1;
    if (at >= last) return high;
    --high;
  }
  while (low < high) {
    const int32 middle = low + (high - low) / 2;
    int32 start = 0;
    if (!startOf(middle, &start)) return -1;
    if (at < start)
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

void XRefStoryRuns::Inserted(int32 at, UID story) {
  if (!valid_) return;
  int32 start = 0;
  size_t i = 0;
  // The run holding position `at`, or the end.
  while (i < runs_.size() && start + runs_[i].length <= at) start += runs_[i++].length;
  if (i < runs_.size() && runs_[i].story == story) {
    ++runs_[i].length;
    return;
  }
  // At a run's start the new marker may join the run before it.
  if (start == at && i > 0 && runs_[i - 1].story == story) {
    ++runs_[i - 1].length;
    return;
  }
  if (i < runs_.size() && start < at) {
    // Inside another story's run: that run is cut in two.
    const Run tail{runs_[i].story, runs_[i].length - (at - start)};
    runs_[i].length = at - start;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
    ++i;
  }
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i), Run{story, 1});
}

void XRefStoryRuns::Removed(int32 at) {
  if (!valid_) return;
  int32 start = 0;
  size_t i = 0;
  while (i < runs_.size() && start + runs_[i].length <= at) start += runs_[i++].length;
  if (i == runs_.size()) {
    Invalidate();  // not what the list holds: rebuilt on next use
    return;
  }
  if (--runs_[i].length > 0) return;
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(i));
  if (i > 0) MergeWithNext(i - 1);
}

// Joins the run with the one after it when both are of one story.
void XRefStoryRuns::MergeWithNext(size_t run) {
  if (run + 1 >= runs_.size() || runs_[run].story != runs_[run + 1].story) return;
  runs_[run].length += runs_[run + 1].length;
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(run) + 1);
}

void XRefStoryRuns::Follow(const std::vector<UID>& before, const std::vector<UID>& after,
                           const std::function<UID(UID entry)>& storyOf) {
  if (!valid_ || before == after) return;
  const auto differ = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
  const auto at = static_cast<size_t>(differ.first - before.begin());
  if (after.size() + 1 == before.size() && std::equal(after.begin() + static_cast<std::ptrdiff_t>(at), after.end(),
                                                      before.begin() + static_cast<std::ptrdiff_t>(at) + 1)) {
    Removed(static_cast<int32>(at));
    return;
  }
  if (after.size() == before.size() + 1 && std::equal(before.begin() + static_cast<std::ptrdiff_t>(at), before.end(),
                                                      after.begin() + static_cast<std::ptrdiff_t>(at) + 1)) {
    Inserted(static_cast<int32>(at), storyOf(after[at]));
    return;
  }
  Invalidate();
}

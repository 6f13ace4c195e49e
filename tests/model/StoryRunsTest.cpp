#include "model/XRefStoryRuns.h"
#include <gtest/gtest.h>

namespace {
constexpr UID A{10}, B{11}, C{12};

// The first run of a story as "start+length/runs"; "-" when it has none.
std::string RunOf(const XRefStoryRuns& runs, UID story) {
  int32 start = 0, length = 0, count = 0;
  if (!runs.Find(story, &start, &length, &count)) return "-";
  return std::to_string(start) + "+" + std::to_string(length) + "/" + std::to_string(count);
}
}  // namespace

TEST(StoryRuns, InsertionsJoinSplitAndRemovalsMerge) {
  XRefStoryRuns runs;
  runs.Assign({A, A, B, B, B});
  runs.Inserted(2, A);  // at the end of A's run, the start of B's: joins A
  EXPECT_EQ("0+3/1", RunOf(runs, A));
  EXPECT_EQ("3+3/1", RunOf(runs, B));
  runs.Inserted(4, C);  // inside B's run: cuts it in two
  EXPECT_EQ("3+1/2", RunOf(runs, B));
  EXPECT_EQ("4+1/1", RunOf(runs, C));
  runs.Inserted(7, C);  // at the very end
  EXPECT_EQ("4+1/2", RunOf(runs, C));
  runs.Removed(4);  // the C between the two B runs goes: they become one
  EXPECT_EQ("3+3/1", RunOf(runs, B));
  EXPECT_EQ("6+1/1", RunOf(runs, C));
  runs.Removed(6);
  EXPECT_EQ("-", RunOf(runs, C));
}

TEST(StoryRuns, FollowsOneEntryMoreOrFewerAndDropsAnythingElse) {
  const UID e1{1}, e2{2}, e3{3}, e4{4};
  XRefStoryRuns runs;
  runs.Assign({A, A, B});
  auto storyOf = [&](UID entry) { return entry == e4 ? B : A; };
  runs.Follow({e1, e2, e3}, {e1, e3}, storyOf);  // an addition undone
  EXPECT_EQ("0+1/1", RunOf(runs, A));
  EXPECT_EQ("1+1/1", RunOf(runs, B));
  runs.Follow({e1, e3}, {e1, e3, e4}, storyOf);  // redone elsewhere
  EXPECT_EQ("1+2/1", RunOf(runs, B));
  runs.Follow({e1, e3, e4}, {e4, e3, e1}, storyOf);
  EXPECT_FALSE(runs.Valid());
}

// When reported objects ripen, "everything" reported at once included.
#include "engine/XRefPendingMap.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// One pass over the map with `listed` as the caller's list: answers what
// was handled.
std::vector<UID> Pass(XRefPendingMap& map, const std::vector<UID>& listed) {
  if (map.StartPass())
    for (UID uid : listed) map.AddRipe(uid);
  std::vector<UID> handled;
  for (auto it = map.begin(); it != map.end();) {
    if (!map.IsRipe(it)) {
      ++it;
      continue;
    }
    handled.push_back(it->first);
    it = map.Handled(it);
  }
  return handled;
}
}  // namespace

TEST(PendingMap, EverythingRipensLikeOneReportAndLaterReportsKeepTheirOwnWait) {
  XRefPendingMap map;
  const std::vector<UID> listed{UID{5}, UID{7}, UID{9}};
  map.Report(UID{3});  // not listed, reported before: waits for everything
  Pass(map, listed);
  map.ReportAll();
  EXPECT_TRUE(Pass(map, listed).empty());
  map.Report(UID{7});  // reported again after everything
  EXPECT_EQ((std::vector<UID>{UID{3}, UID{5}, UID{9}}), Pass(map, listed));
  EXPECT_EQ((std::vector<UID>{UID{7}}), Pass(map, listed));
  EXPECT_TRUE(Pass(map, listed).empty());
}

TEST(PendingMap, AnEntryMadeToWaitIsTriedTwoPassesLater) {
  XRefPendingMap map;
  map.Report(UID{4});
  Pass(map, {});
  map.StartPass();
  auto it = map.begin();
  ASSERT_TRUE(map.IsRipe(it));
  map.Wait(it);
  EXPECT_TRUE(Pass(map, {}).empty());
  EXPECT_EQ((std::vector<UID>{UID{4}}), Pass(map, {}));
}

// A list of object identifiers through memory streams: the same bytes as one
// transfer per entry, its owned objects collected, and identifiers remapped
// or dropped when read into another database.
#include "headless/objects/MemoryStream.h"
#include "host/UIDList.h"
#include <gtest/gtest.h>

TEST(UIDListStream, RunsWriteAsSingleTransfersAndReadBackRemapped) {
  UIDList list;
  for (uint32_t v : {5u, 0u, 7u}) list.Append(UID{v});
  MemoryWriteStream whole, single;
  list.ReadWriteXferObject(&whole);
  int32 count = 3;
  single.XferInt32(count);
  for (UID uid : list.Items()) single.XferObject(uid);
  EXPECT_EQ(single.Data(), whole.Data());
  EXPECT_EQ((std::vector<UID>{UID{5}, UID{7}}), whole.OwnedObjects());

  const std::map<UID, UID> remap{{UID{5}, UID{9}}};
  MemoryReadStream kept(whole.Data());
  kept.SetRemap(&remap, false);
  UIDList read;
  read.ReadWriteXferReference(&kept);
  EXPECT_EQ((std::vector<UID>{UID{9}, kInvalidUID, UID{7}}), read.Items());
  MemoryReadStream dropped(whole.Data());
  dropped.SetRemap(&remap, true);
  read.ReadWriteXferObject(&dropped);
  EXPECT_EQ((std::vector<UID>{UID{9}, kInvalidUID, kInvalidUID}), read.Items());
}

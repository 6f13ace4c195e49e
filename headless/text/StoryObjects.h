#pragma once
// The story lock, and the document's list of stories.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "host/UIDList.h"

class StoryLockImpl : public CPMUnknown<IStoryLock> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 IsLocked() const override { return locked_; }
  void SetLocked(bool16 locked) override;
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  bool16 locked_ = false;
};

class StoryListImpl : public CPMUnknown<IStoryList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetStoryCount() const override { return stories_.Length(); }
  UID GetNthStoryUID(int32 n) const override { return stories_.At(n); }

  void AddStory(UID story);
  void RemoveStory(UID story);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList stories_;
};

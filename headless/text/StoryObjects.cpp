#include "headless/text/StoryObjects.h"

void StoryLockImpl::SetLocked(bool16 locked) {
  locked = locked ? 1 : 0;
  if (locked == locked_) return;
  PreDirty();
  locked_ = locked;
}

void StoryLockImpl::ReadWrite(IPMStream* s, ImplementationID) {
  s->XferBool(locked_);
  if (locked_ != 0) locked_ = 1;
}

void StoryListImpl::AddStory(UID story) {
  if (stories_.Contains(story)) return;
  PreDirty();
  stories_.Append(story);
}

void StoryListImpl::RemoveStory(UID story) {
  int32 at = stories_.Location(story);
  if (at < 0) return;
  PreDirty();
  stories_.Remove(at);
}

void StoryListImpl::ReadWrite(IPMStream* s, ImplementationID) { stories_.ReadWriteXferObject(s); }

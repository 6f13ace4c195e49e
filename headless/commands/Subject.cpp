#include "headless/commands/Subject.h"
#include "host/InterfacePtr.h"
#include <algorithm>

SubjectImpl::Attachment SubjectImpl::Make(IPMUnknown* observer, PMIID protocol, PMIID observerIID) {
  // Any interface of an object names the same observer.
  const IPMUnknown* object = observer;
  if (observer) {
    InterfacePtr<IPMUnknown> controlling(observer, IPMUnknown::kControllingIID);
    if (controlling) object = controlling.get();
  }
  return {object, protocol, observerIID};
}

bool16 SubjectImpl::AttachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID) {
  if (!observer) return false;
  InterfacePtr<IObserver> target(observer, observerIID);
  if (!target) return false;
  Attachment a = Make(observer, protocol, observerIID);
  if (std::find(attached_.begin(), attached_.end(), a) != attached_.end()) return false;
  attached_.push_back(a);
  return true;
}

void SubjectImpl::DetachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID) {
  Attachment a = Make(observer, protocol, observerIID);
  attached_.erase(std::remove(attached_.begin(), attached_.end(), a), attached_.end());
}

bool16 SubjectImpl::IsAttached(IPMUnknown* observer, PMIID protocol, PMIID observerIID) const {
  Attachment a = Make(observer, protocol, observerIID);
  return std::find(attached_.begin(), attached_.end(), a) != attached_.end();
}

void SubjectImpl::ModelChange(ClassID change, PMIID protocol, void* changedBy) {
  // Observers may detach (themselves or others) while being told.
  const std::vector<Attachment> snapshot = attached_;
  for (const Attachment& a : snapshot) {
    if (a.protocol != protocol) continue;
    if (std::find(attached_.begin(), attached_.end(), a) == attached_.end()) continue;
    InterfacePtr<IObserver> observer(a.object, a.observerIID);
    if (observer) observer->Update(change, this, protocol, changedBy);
  }
}

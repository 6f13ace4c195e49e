#pragma once
// The host's subject: observers by protocol, held without a reference (they
// detach before they go), told in the order they attached.
#include "host/CPMUnknown.h"
#include "host/ISubject.h"
#include <vector>

class SubjectImpl : public CPMUnknown<ISubject> {
public:
  using CPMUnknown::CPMUnknown;

  bool16 AttachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID) override;
  void DetachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID) override;
  bool16 IsAttached(IPMUnknown* observer, PMIID protocol, PMIID observerIID) const override;
  void ModelChange(ClassID change, PMIID protocol, void* changedBy) override;

private:
  struct Attachment {
    const IPMUnknown* object;  // the observer's object, by its controlling interface
    PMIID protocol;
    PMIID observerIID;
    bool operator==(const Attachment& o) const {
      return object == o.object && protocol == o.protocol && observerIID == o.observerIID;
    }
  };
  static Attachment Make(IPMUnknown* observer, PMIID protocol, PMIID observerIID);

  std::vector<Attachment> attached_;
};

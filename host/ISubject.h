#pragma once
// Model-change broadcasting. A subject (on a document's root object and on
// the session, interface 281) tells the observers attached to it for a
// protocol (the interface identifier of the kind of model that changed) what
// changed and who changed it. Observers detach before they go away.
#include "HostIDs.h"
#include "IPMUnknown.h"

class ISubject;

constexpr PMIID IID_IOBSERVER{0x1E0};

class IObserver : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IOBSERVER;
  // `change` is what changed (a command's class, say), `changedBy` who did it
  // (the command).
  virtual void Update(ClassID change, ISubject* subject, PMIID protocol, void* changedBy) = 0;
};

class ISubject : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISUBJECT;

  // Attaches the object's observer interface `observerIID` for changes of
  // `protocol`; false when it is attached already or the object lacks it.
  virtual bool16 AttachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID = IID_IOBSERVER) = 0;
  virtual void DetachObserver(IPMUnknown* observer, PMIID protocol, PMIID observerIID = IID_IOBSERVER) = 0;
  virtual bool16 IsAttached(IPMUnknown* observer, PMIID protocol, PMIID observerIID = IID_IOBSERVER) const = 0;
  // Tells every observer attached for the protocol, in the order they
  // attached. Observers may attach and detach meanwhile.
  virtual void ModelChange(ClassID change, PMIID protocol, void* changedBy) = 0;
};

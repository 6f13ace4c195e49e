#include "host/ActiveSelectionObserver.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "host/SelectionIDs.h"

void ActiveSelectionObserver::Update(ClassID change, ISubject*, PMIID protocol, void* changedBy) {
  if (protocol != kActiveSelectionProtocol || !changedBy) return;
  auto* message = static_cast<const SelectionMessage*>(changedBy);
  if (change == kSelectionChangedMessage) HandleSelectionChanged(message);
  else if (change == kSelectionModelChangedMessage) HandleSelectionAttributeChanged(message);
}

bool16 ActiveSelectionObserver::AutoAttach() {
  InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
  return subject && subject->AttachObserver(this, kActiveSelectionProtocol, iid_);
}

void ActiveSelectionObserver::AutoDetach() {
  InterfacePtr<ISubject> subject(GetExecutionContextSession(), IID_ISUBJECT);
  if (subject) subject->DetachObserver(this, kActiveSelectionProtocol, iid_);
}

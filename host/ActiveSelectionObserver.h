#pragma once
// Base of observers of the active selection. AutoAttach attaches the object's
// observer interface to the session's subject; the host then calls
// HandleSelectionChanged for each selection change and
// HandleSelectionAttributeChanged for each model change that affects a
// suite.
#include "CPMUnknown.h"
#include "ISubject.h"
#include "SelectionMessage.h"

class ActiveSelectionObserver : public CPMUnknown<IObserver> {
public:
  ActiveSelectionObserver(IPMUnknown* boss, PMIID observerIID) : CPMUnknown(boss), iid_(observerIID) {}
  void Update(ClassID change, ISubject* subject, PMIID protocol, void* changedBy) override;
  // False when there is no session or the observer is attached already.
  virtual bool16 AutoAttach();
  virtual void AutoDetach();

protected:
  virtual void HandleSelectionChanged(const SelectionMessage* message) = 0;
  virtual void HandleSelectionAttributeChanged(const SelectionMessage* message) = 0;

private:
  PMIID iid_;
};

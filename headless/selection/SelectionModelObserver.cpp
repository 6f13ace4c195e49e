#include "headless/selection/SelectionObjects.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"

void SelectionModelObserverImpl::Update(ClassID, ISubject*, PMIID protocol, void*) {
  InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
  if (manager) manager->ModelChanged(protocol);
}

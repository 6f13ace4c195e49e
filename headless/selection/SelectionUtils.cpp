#include "headless/selection/SelectionObjects.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"

bool16 SelectionUtilsImpl::IsSelectionExact() const {
  InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
  return manager && manager->IsExactSelection();
}

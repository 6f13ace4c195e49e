// The abstract selection's integrator: asks each concrete selection of the
// moment for the suite.
#include "headless/selection/SelectionObjects.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"

std::vector<InterfacePtr<IPMUnknown>> IntegratorTargetImpl::GetTarget(PMIID suite) const {
  std::vector<InterfacePtr<IPMUnknown>> parts;
  ISession* session = GetExecutionContextSession();
  InterfacePtr<ISelectionManager> manager(session, IID_ISELECTIONMANAGER);
  if (!manager) return parts;
  for (const auto& selection : manager->GetConcreteSelections()) {
    InterfacePtr<IPMUnknown> part(selection.get(), suite);
    if (part) parts.push_back(part);
  }
  return parts;
}

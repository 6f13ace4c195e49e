#include "headless/selection/SelectionObjects.h"
#include "host/IApplication.h"
#include "host/ISession.h"
#include "host/ITextModel.h"

// The session's context keeps the selection and has the manager tell the
// selection's observers.
bool16 TextSelectionSuiteImpl::SetTextSelection(const UIDRef& story, const RangeData& range) {
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  if (!model || range.Start() < 0 || range.End() > model->TotalLength()) return false;
  ISession* session = GetExecutionContextSession();
  IActiveContext* context = session ? session->GetActiveContext() : nullptr;
  return context && context->SelectText(story, range.Start(), range.End());
}

// The text selection's target reads the session's current text selection,
// so it always follows the selection and never holds a stale story.
#include "headless/selection/SelectionObjects.h"
#include "host/IApplication.h"
#include "host/ISession.h"

namespace {
bool Current(UIDRef* story, RangeData* range) {
  ISession* session = GetExecutionContextSession();
  IActiveContext* context = session ? session->GetActiveContext() : nullptr;
  TextIndex start = 0, end = 0;
  if (!context || !context->GetTextSelection(story, &start, &end)) return false;
  *range = RangeData(start, end);
  return true;
}
}  // namespace

ITextModel* TextTargetImpl::QueryTextModel() const {
  UIDRef story = GetTextModel();
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  return model.forget();
}

UIDRef TextTargetImpl::GetTextModel() const {
  UIDRef story;
  RangeData range;
  return Current(&story, &range) ? story : UIDRef();
}

RangeData TextTargetImpl::GetRange() const {
  UIDRef story;
  RangeData range;
  return Current(&story, &range) ? range : RangeData();
}

bool16 TextTargetImpl::HasSelection() const {
  UIDRef story;
  RangeData range;
  if (!Current(&story, &range)) return false;
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  return model && range.Start() >= 0 && range.End() <= model->TotalLength();
}

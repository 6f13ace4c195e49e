#pragma once
// A document's update scheduler (on the document's root object): it queues
// changed source markers and cross-references and recomposes, while the
// application is idle, those whose text is out of date.
#include "engine/XRefEngineID.h"
#include "host/IPMUnknown.h"
#include "host/UID.h"

class IXRefScheduler : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSCHEDULER;

  // One changed object of this document.
  virtual void MarkChanged(UID uid) = 0;
  // All cross-references of this document, or only those whose source lies
  // in another document's file.
  virtual void MarkAllCrossRefs(bool16 externalOnly) = 0;
  // One pass over what is queued; called by the idle task.
  virtual void RunUpdates() = 0;
};

#pragma once
// Helpers for live-update tests: a document's scheduler and its passes, the
// live-update switch, and a count of the recompositions a document hears.
#include "engine/IXRefScheduler.h"
#include "headless/database/DataBase.h"
#include "host/InterfacePtr.h"
#include "tests/support/SourceMarkerTestSupport.h"

InterfacePtr<IXRefScheduler> SchedulerOf(IDataBase* doc);
// Scheduler passes run straight, without the idle loop (so no composing on
// idle reports anything in between).
void Passes(IDataBase* doc, int32 count);
// The document's own preference, set without a command.
void SetLiveUpdates(IDataBase* doc, bool on);
// Through the live-update switch command on the document's workspace.
ErrorCode SwitchLiveUpdates(IDataBase* doc, bool on);
void SetLocked(IDataBase* doc, UID story, bool locked);

// Counts the update commands the document broadcasts from now on.
class RecompositionCounter {
public:
  explicit RecompositionCounter(IDataBase* doc);
  ~RecompositionCounter();
  int32 Count() const;

private:
  IDataBase* doc_;
  RecordingObserver observer_;
};

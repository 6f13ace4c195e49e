// The document's idle task: every 300 ms of idle time it has the document's
// scheduler run one pass. It keeps the scheduler only while installed.
#include "engine/IXRefScheduler.h"
#include "engine/XRefEngineID.h"
#include "host/IIdleTask.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"

namespace {
constexpr uint32 kPassIntervalMs = 300;

class XRefIdleTask : public CIdleTask {
public:
  using CIdleTask::CIdleTask;

  void InstallTask(uint32 delayMs) override {
    if (scheduler_) return;
    InterfacePtr<IXRefScheduler> scheduler(this, IID_IXREFSCHEDULER);
    if (!scheduler) return;
    // The scheduler lives on this same document object, so it lasts as long
    // as the task; a counted reference would keep the object alive forever.
    scheduler_ = scheduler.get();
    IdleTaskMgr::Install(this, delayMs);
  }

  void UninstallTask() override {
    if (!scheduler_) return;
    scheduler_ = nullptr;
    IdleTaskMgr::Uninstall(this);
  }

  uint32 RunTask(uint32) override {
    if (scheduler_) scheduler_->RunUpdates();
    return kPassIntervalMs;
  }

  const char* TaskName() const override { return "XRef Update Scheduler"; }

private:
  IXRefScheduler* scheduler_ = nullptr;
};
}  // namespace

CREATE_PMINTERFACE(XRefIdleTask, kXRefIdleTaskImpl);

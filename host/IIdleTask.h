#pragma once
// Work done while the application is idle. A task runs when its delay has
// passed and answers the delay until its next run.
#include "CPMUnknown.h"
#include "HostIDs.h"

class IIdleTask : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IIDLETASK;
  enum : uint32 { kEndOfTime = 0xFFFFFFFF };

  virtual void InstallTask(uint32 delayMs) = 0;
  virtual void UninstallTask() = 0;
  virtual bool16 IsInstalled() const = 0;
  // Answers the milliseconds until the next run, or kEndOfTime to stop.
  virtual uint32 RunTask(uint32 flags) = 0;
  virtual const char* TaskName() const = 0;
};

namespace IdleTaskMgr {
void Install(IIdleTask* task, uint32 delayMs);
void Uninstall(IIdleTask* task);
bool16 IsInstalled(const IIdleTask* task);
}  // namespace IdleTaskMgr

class CIdleTask : public CPMUnknown<IIdleTask> {
public:
  explicit CIdleTask(IPMUnknown* boss) : CPMUnknown<IIdleTask>(boss) {}
  ~CIdleTask() override { IdleTaskMgr::Uninstall(this); }
  void InstallTask(uint32 delayMs) override { IdleTaskMgr::Install(this, delayMs); }
  void UninstallTask() override { IdleTaskMgr::Uninstall(this); }
  bool16 IsInstalled() const override { return IdleTaskMgr::IsInstalled(this); }
};

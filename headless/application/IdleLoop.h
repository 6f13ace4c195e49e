#pragma once
// Idle time: installed idle tasks, each due after its delay, and scheduled
// commands. Time comes from the host clock, so tests advance a virtual clock.
#include "host/IIdleTask.h"
#include <vector>

class IdleLoop {
public:
  void Install(IIdleTask* task, uint32 delayMs);
  void Uninstall(const IIdleTask* task);
  bool IsInstalled(const IIdleTask* task) const;
  size_t TaskCount() const { return tasks_.size(); }

  // Host work done at the start of every idle pass (composing stories).
  static void AddHook(void (*hook)());

  // Runs every scheduled command, then every task that is due; answers how
  // many commands and tasks ran.
  int32 RunOnce();
  // Advances a virtual clock in steps of stepMs (or sleeps on the system
  // clock) and runs what is due, for the given time.
  void RunFor(uint32 ms, uint32 stepMs = 10);

private:
  struct Task {
    IIdleTask* task;
    int64 due;
  };
  std::vector<Task> tasks_;
};

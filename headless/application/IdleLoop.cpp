#include "headless/application/IdleLoop.h"
#include "headless/application/Application.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include <algorithm>
#include <chrono>
#include <thread>

namespace {
std::vector<void (*)()>& Hooks() {
  static std::vector<void (*)()> hooks;
  return hooks;
}

int64 NowMs() { return Host::Get().GetClock().NowMicros() / 1000; }
}  // namespace

void IdleLoop::Install(IIdleTask* task, uint32 delayMs) {
  Uninstall(task);
  tasks_.push_back({task, NowMs() + delayMs});
}

void IdleLoop::Uninstall(const IIdleTask* task) {
  tasks_.erase(std::remove_if(tasks_.begin(), tasks_.end(), [&](const Task& t) { return t.task == task; }),
               tasks_.end());
}

bool IdleLoop::IsInstalled(const IIdleTask* task) const {
  return std::any_of(tasks_.begin(), tasks_.end(), [&](const Task& t) { return t.task == task; });
}

void IdleLoop::AddHook(void (*hook)()) { Hooks().push_back(hook); }

int32 IdleLoop::RunOnce() {
  for (auto hook : Hooks()) hook();
  int32 ran = 0;
  while (ICommand* cmd = Host::Get().TakeScheduled()) {
    InterfacePtr<ICommand> hold(cmd);
    CmdUtils::ProcessCommand(cmd);
    ++ran;
  }
  // A task may install or uninstall tasks while it runs: walk a copy and
  // check each is still installed before running it.
  std::vector<Task> due;
  for (auto& t : tasks_)
    if (t.due <= NowMs()) due.push_back(t);
  for (auto& t : due) {
    if (!IsInstalled(t.task)) continue;
    InterfacePtr<IIdleTask> hold(t.task, IID_IIDLETASK);
    uint32 next = t.task->RunTask(0);
    ++ran;
    auto it = std::find_if(tasks_.begin(), tasks_.end(), [&](const Task& x) { return x.task == t.task; });
    if (it == tasks_.end()) continue;
    if (next == IIdleTask::kEndOfTime) tasks_.erase(it);
    else it->due = NowMs() + next;
  }
  return ran;
}

void IdleLoop::RunFor(uint32 ms, uint32 stepMs) {
  if (stepMs == 0) stepMs = 1;
  auto* virtualClock = dynamic_cast<const VirtualClock*>(&Host::Get().GetClock());
  for (uint32 spent = 0; spent <= ms; spent += stepMs) {
    RunOnce();
    if (spent + stepMs > ms) break;
    if (virtualClock) const_cast<VirtualClock*>(virtualClock)->Advance(static_cast<int64>(stepMs) * 1000);
    else std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
  }
}

void IdleTaskMgr::Install(IIdleTask* task, uint32 delayMs) {
  if (Application* app = Application::Current()) app->Idle().Install(task, delayMs);
}

void IdleTaskMgr::Uninstall(IIdleTask* task) {
  if (Application* app = Application::Current()) app->Idle().Uninstall(task);
}

bool16 IdleTaskMgr::IsInstalled(const IIdleTask* task) {
  Application* app = Application::Current();
  return app && app->Idle().IsInstalled(task);
}

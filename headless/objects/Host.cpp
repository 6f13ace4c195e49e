#include "headless/objects/Host.h"
#include "headless/objects/HostObject.h"
#include <algorithm>
#include <chrono>

Host& Host::Get() {
  static Host* host = new Host();  // lives for the process; never torn down mid-exit
  return *host;
}

Host::Host() { InstallHostClasses(impls_, classes_, strings_); }

void Host::SetGlobalError(ErrorCode e, const PMString* message) {
  error_ = e;
  if (message) errorMessage_ = *message;
  else if (e == kSuccess) errorMessage_.clear();
}

void Host::Schedule(ICommand* cmd, int32 priority) {
  cmd->AddRef();
  scheduled_.push_back({priority, ++scheduleSerial_, cmd});
}

ICommand* Host::TakeScheduled() {
  if (scheduled_.empty()) return nullptr;
  auto best = std::min_element(scheduled_.begin(), scheduled_.end(), [](const Scheduled& a, const Scheduled& b) {
    return a.priority != b.priority ? a.priority > b.priority : a.serial < b.serial;
  });
  ICommand* cmd = best->cmd;
  scheduled_.erase(best);
  return cmd;
}

IPMUnknown* Host::CreateObject(ClassID cls, PMIID iid) {
  HostObject* obj = HostObject::Create(cls, nullptr, kInvalidUID);
  if (!obj) return nullptr;
  IPMUnknown* result = obj->QueryInterface(iid);
  obj->Detach();  // freed with its last reference, or now if the interface is missing
  return result;
}

IPMUnknown* CreateObject(ClassID cls, PMIID iid) { return Host::Get().CreateObject(cls, iid); }

int64 SystemClock::NowMicros() const {
  using namespace std::chrono;
  return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

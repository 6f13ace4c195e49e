#pragma once
// The headless host's process-wide state: registries, the global error code,
// string tables, the clock and the queue of scheduled commands.
#include "headless/objects/ClassLayouts.h"
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/Clock.h"
#include "headless/objects/ImplRegistry.h"
#include "headless/objects/StringTable.h"
#include "host/CreateObject.h"
#include "host/ICommand.h"
#include <map>
#include <memory>
#include <vector>

class Host {
public:
  static Host& Get();

  ImplRegistry& Impls() { return impls_; }
  ClassRegistry& Classes() { return classes_; }
  StringTable& Strings() { return strings_; }
  ClassLayouts& Layouts() { return layouts_; }

  ErrorCode GlobalError() const { return error_; }
  const PMString& GlobalErrorMessage() const { return errorMessage_; }
  void SetGlobalError(ErrorCode e, const PMString* message);

  const Clock& GetClock() const { return *clock_; }
  // Tests install a virtual clock; null restores the system clock.
  void SetClock(Clock* clock) { clock_ = clock ? clock : &systemClock_; }

  // Scheduled commands, highest priority first, then in order of scheduling.
  void Schedule(ICommand* cmd, int32 priority);
  // Takes the next scheduled command (the caller releases it), or null.
  ICommand* TakeScheduled();
  size_t ScheduledCount() const { return scheduled_.size(); }

  // Data versions (major * 100 + minor) of the loaded plug-ins.
  std::map<PluginID, int32>& PluginVersions() { return pluginVersions_; }
  // The plug-in an identifier belongs to, by its 256-number prefix.
  static PluginID PluginOf(uint32 id) { return PluginID{id & ~0xFFu}; }
  // The host keeps the identifiers below 0x80000 for itself; plug-ins' prefixes
  // lie above.
  static bool IsHostIdentifier(uint32 id) { return id < 0x80000u; }

  // Creates an object outside any database; the caller releases it.
  IPMUnknown* CreateObject(ClassID cls, PMIID iid);

private:
  Host();
  struct Scheduled {
    int32 priority;
    uint64_t serial;
    ICommand* cmd;
  };
  ImplRegistry impls_;
  ClassRegistry classes_;
  StringTable strings_;
  ClassLayouts layouts_;
  ErrorCode error_ = kSuccess;
  PMString errorMessage_;
  SystemClock systemClock_;
  Clock* clock_ = &systemClock_;
  std::vector<Scheduled> scheduled_;
  std::map<PluginID, int32> pluginVersions_;
  uint64_t scheduleSerial_ = 0;
};

// Registers the host's own implementations, classes and English strings when
// the Host is first used. Defined by the application layer, the one that
// knows every facility (application/HostSetup.cpp).
void InstallHostClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings);

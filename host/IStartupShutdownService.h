#pragma once
#include "HostIDs.h"
#include "IPMUnknown.h"

// Called once when the application has started and once before it quits.
class IStartupShutdownService : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTARTUPSHUTDOWN;
  virtual void Startup() = 0;
  virtual void Shutdown() = 0;
};

#pragma once
// A service provider announces the services an object of its class serves.
// The host finds providers by service identifier and instantiates their class.
#include "HostIDs.h"
#include "IPMUnknown.h"
#include "PMString.h"
#include <vector>

class IK2ServiceProvider : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IK2SERVICEPROVIDER;
  enum InstantiationPolicy { kInstancePerUse = 0, kSingleton = 1 };

  virtual void GetName(PMString* name) = 0;
  virtual ServiceID GetServiceID() = 0;
  virtual bool16 IsDefaultServiceProvider() = 0;
  virtual InstantiationPolicy GetInstantiationPolicy() = 0;
  virtual bool16 HasMultipleIDs() const = 0;
  virtual void GetServiceIDs(std::vector<ServiceID>& ids) = 0;
  virtual int32 GetThreadingPolicy() const = 0;
};

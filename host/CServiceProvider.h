#pragma once
// Base of service providers with the host's defaults.
#include "CPMUnknown.h"
#include "IK2ServiceProvider.h"

class CServiceProvider : public CPMUnknown<IK2ServiceProvider> {
public:
  explicit CServiceProvider(IPMUnknown* boss) : CPMUnknown<IK2ServiceProvider>(boss) {}
  void GetName(PMString* name) override { if (name) name->clear(); }
  ServiceID GetServiceID() override { return kInvalidService; }
  bool16 IsDefaultServiceProvider() override { return false; }
  InstantiationPolicy GetInstantiationPolicy() override { return kInstancePerUse; }
  bool16 HasMultipleIDs() const override { return false; }
  void GetServiceIDs(std::vector<ServiceID>& ids) override { ids.assign(1, GetServiceID()); }
  int32 GetThreadingPolicy() const override { return 1; }
};

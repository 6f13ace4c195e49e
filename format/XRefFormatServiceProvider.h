#pragma once
// The providers that announce the format language's services: each is the
// default provider of one service.
#include "host/CServiceProvider.h"

template <uint32 Service>
class XRefFormatServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return ServiceID{Service}; }
  bool16 IsDefaultServiceProvider() override { return true; }
  int32 GetThreadingPolicy() const override { return 0; }
};

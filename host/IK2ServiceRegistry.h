#pragma once
// Finds the providers of a service. Reached through the session.
#include "IK2ServiceProvider.h"

namespace ServiceRegistry {
// Provider classes of the service, default provider first, then by class.
std::vector<ClassID> ProvidersOf(ServiceID service);
// A new object of the service's default (or first) provider class, answered
// by the interface; the caller releases it. Null when there is none.
IPMUnknown* QueryDefaultServiceProvider(ServiceID service, PMIID iid);
// Rebuilt after plug-ins register.
void Rescan();
}  // namespace ServiceRegistry

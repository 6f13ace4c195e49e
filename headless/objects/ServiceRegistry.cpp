#include "host/IK2ServiceRegistry.h"
#include "headless/objects/Host.h"
#include "host/InterfacePtr.h"
#include <algorithm>
#include <map>

namespace {
struct Entry {
  ClassID cls;
  bool isDefault;
};
std::map<ServiceID, std::vector<Entry>>& Table() {
  static std::map<ServiceID, std::vector<Entry>> table;
  return table;
}
bool gScanned = false;
}  // namespace

void ServiceRegistry::Rescan() {
  auto& table = Table();
  table.clear();
  for (ClassID cls : Host::Get().Classes().ClassesWith(IID_IK2SERVICEPROVIDER)) {
    InterfacePtr<IK2ServiceProvider> provider(
        static_cast<IK2ServiceProvider*>(CreateObject(cls, IID_IK2SERVICEPROVIDER)));
    if (!provider) continue;
    std::vector<ServiceID> ids;
    provider->GetServiceIDs(ids);
    bool isDefault = provider->IsDefaultServiceProvider();
    for (ServiceID id : ids) table[id].push_back({cls, isDefault});
  }
  for (auto& e : table)
    std::stable_sort(e.second.begin(), e.second.end(),
                     [](const Entry& a, const Entry& b) { return a.isDefault && !b.isDefault; });
  gScanned = true;
}

std::vector<ClassID> ServiceRegistry::ProvidersOf(ServiceID service) {
  if (!gScanned) Rescan();
  std::vector<ClassID> result;
  auto it = Table().find(service);
  if (it == Table().end()) return result;
  result.reserve(it->second.size());
  for (auto& e : it->second) result.push_back(e.cls);
  return result;
}

IPMUnknown* ServiceRegistry::QueryDefaultServiceProvider(ServiceID service, PMIID iid) {
  auto providers = ProvidersOf(service);
  if (providers.empty()) return nullptr;
  return CreateObject(providers.front(), iid);
}

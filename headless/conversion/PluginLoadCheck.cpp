#include "headless/conversion/PluginLoadCheck.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "host/IK2ServiceRegistry.h"
#include "host/InterfacePtr.h"

namespace {
std::vector<InterfacePtr<IDocumentCheck>> Checks() {
  std::vector<InterfacePtr<IDocumentCheck>> checks;
  for (ClassID cls : ServiceRegistry::ProvidersOf(kDocumentCheckService)) {
    InterfacePtr<IDocumentCheck> check(static_cast<IDocumentCheck*>(Host::Get().CreateObject(cls, IID_IDOCUMENTCHECK)));
    if (check) checks.push_back(std::move(check));
  }
  return checks;
}
}  // namespace

bool CheckPluginData(DataBase& db, std::string* error) {
  for (auto& check : Checks()) {
    PMString why;
    if (check->CheckLoadedDocument(&db, &why)) continue;
    *error = why.GetUTF8String();
    return false;
  }
  return true;
}

std::vector<DocumentDamage> FindPluginDamage(DataBase& db) {
  std::vector<DocumentDamage> found;
  for (auto& check : Checks()) check->FindDamage(&db, &found);
  return found;
}

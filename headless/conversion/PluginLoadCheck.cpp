#include "headless/conversion/PluginLoadCheck.h"
#include "headless/database/DataBase.h"
#include "headless/objects/Host.h"
#include "host/IDocumentCheck.h"
#include "host/IK2ServiceRegistry.h"
#include "host/InterfacePtr.h"

bool CheckPluginData(DataBase& db, std::string* error) {
  for (ClassID cls : ServiceRegistry::ProvidersOf(kDocumentCheckService)) {
    InterfacePtr<IDocumentCheck> check(static_cast<IDocumentCheck*>(Host::Get().CreateObject(cls, IID_IDOCUMENTCHECK)));
    PMString why;
    if (!check || check->CheckLoadedDocument(&db, &why)) continue;
    *error = why.GetUTF8String();
    return false;
  }
  return true;
}

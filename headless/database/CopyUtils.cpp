#include "host/CopyUtils.h"
#include "headless/database/ObjectCopier.h"

UID CopyUtils::CopyObject(const UIDRef& source, IDataBase* target) {
  // Every database of the headless host is a DataBase.
  auto* from = static_cast<DataBase*>(source.GetDataBase());
  auto* to = static_cast<DataBase*>(target);
  if (!from || !to || !source.ExistsInDB()) return kInvalidUID;
  return ::CopyObject(*from, source.GetUID(), *to);
}

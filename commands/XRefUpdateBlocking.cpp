#include "commands/XRefUpdateBlocking.h"
#include "host/IScriptUtils.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"

// The host blocks updates while a document is being opened (read, converted,
// its opened signal answered) and while a script holds them.
bool XRefUpdateBlocking::IsBlocked() {
  InterfacePtr<IScriptUtils> utils(UtilsBoss::QueryUtils<IScriptUtils>());
  return utils && utils->AreUpdatesBlocked();
}

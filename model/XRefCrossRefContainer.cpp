#include "model/XRefCrossRefContainer.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/ITextHolderUtils.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"

UIDRef XRefCrossRefContainer::At(const UIDRef& story, TextIndex at) {
  InterfacePtr<ITextHolderUtils> utils(UtilsBoss::QueryUtils<ITextHolderUtils>());
  if (!utils || !story.GetDataBase()) return UIDRef();
  const UIDRef holder = utils->QueryHolderOfPosition(story, at);
  return holder.GetUID() == kInvalidUID ? UIDRef() : holder;
}

void XRefCrossRefContainer::ShowDocument(const UIDRef& document) {
  InterfacePtr<ICommand> show(XRefCommandUtils::CreateCommand(kOpenWindowCmdBoss, UIDList(document)));
  // A window that cannot be shown leaves the document as it was.
  if (!XRefCommandUtils::Process(show.get())) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

// Gives a cross-reference another format and recomposes it. A named format
// is taken from the document's format list (its mark-up, not the one given);
// an empty name keeps the given mark-up as the cross-reference's own.
// Item list: the cross-reference.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefCrossRefSteps.h"
#include "host/Command.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"

namespace {
class XRefSetCrossRefFormatCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &ref));
    if (!crossRef) return;
    InterfacePtr<IXRefFormatData> data(this, IID_IXREFFORMATDATA);
    if (!data) return XRefCommandUtils::Fail(kInvalidParameterError);
    const PMString name = data->GetFormatName();
    PMString format = data->GetFormatString();
    if (!name.IsEmpty() && !FindFormat(ref.GetDataBase(), name, &format))
      return XRefCommandUtils::Fail(kXRefFormatNotFoundError);
    crossRef->SetFormat(name, format);
    XRefCrossRefSteps::InvalidateIndex(ref.GetDataBase());
    XRefCrossRefSteps::Update(*GetItemList());
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefSetCrossRefFormatCmdKey"); }

private:
  // The mark-up of the named format in the document's workspace.
  static bool FindFormat(IDataBase* db, const PMString& name, PMString* format) {
    InterfacePtr<IDocument> document(db, db->GetRootUID());
    if (!document) return false;
    InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace());
    const int32 at = formats ? formats->FindFormat(name) : -1;
    if (at < 0) return false;
    *format = formats->GetFormatString(at);
    return true;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetCrossRefFormatCmd, kXRefSetCrossRefFormatCmdImpl);

// Fills a new cross-reference: source, format, start and end marker. An
// empty source file makes it local.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormatData.h"

namespace {
class XRefSetupCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef item;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &item));
    if (!crossRef) return;
    InterfacePtr<IFileData> file(this, IID_IFILEDATA);
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    if (!file || !name) return XRefCommandUtils::Fail(kInvalidParameterError);
    crossRef->SetSource(IDFile(file->GetFile().GetPath()), name->Get());
    InterfacePtr<IXRefFormatData> format(this, IID_IXREFFORMATDATA);
    if (!format) return XRefCommandUtils::Fail(kInvalidParameterError);
    crossRef->SetFormat(format->GetFormatName(), format->GetFormatString());
    crossRef->SetStartMarker(XRefCommandUtils::GetRefData(this, IID_IXREFSTARTMARKERDATA).GetUID());
    crossRef->SetEndMarker(XRefCommandUtils::GetRefData(this, IID_IXREFENDMARKERDATA).GetUID());
  }

  PMString* CreateName() override { return new PMString(); }
};
}  // namespace

CREATE_PMINTERFACE(XRefSetupCrossRefCmd, kXRefSetupCrossRefCmdImpl);

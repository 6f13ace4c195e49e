// Adds a format to a workspace's list, which keeps itself sorted by name.
// Callers make the name unique first; the command does not check it.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"

namespace {
class XRefAddFormatCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef workspace;
    if (!XRefCommandUtils::SingleItem(this, &workspace)) return;
    InterfacePtr<IXRefFormats> formats(workspace);
    InterfacePtr<IXRefFormatData> data(this, IID_IXREFFORMATDATA);
    if (!formats || !data) return;
    formats->AddFormat(data->GetFormatName(), data->GetFormatString());
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefAddFormatCmdKey"); }
};
}  // namespace

CREATE_PMINTERFACE(XRefAddFormatCmd, kXRefAddFormatCmdImpl);

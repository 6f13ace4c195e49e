// Changes a cross-reference's source and format at once, renews its
// hyperlink (the old one goes; a new one comes when asked for) and
// recomposes it. Item list: the cross-reference.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefCrossRefSteps.h"
#include "host/Command.h"
#include "host/IHyperlinks.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormatData.h"

namespace {
class XRefModifyCrossRefCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &ref));
    if (!crossRef) return;
    InterfacePtr<IFileData> file(this, IID_IFILEDATA);
    InterfacePtr<IStringData> name(this, IID_ISTRINGDATA);
    InterfacePtr<IXRefFormatData> format(this, IID_IXREFFORMATDATA);
    InterfacePtr<IBoolData> hyperlink(this, IID_IBOOLDATA);
    if (!file || !name || !format || !hyperlink) return XRefCommandUtils::Fail(kInvalidParameterError);
    if (hyperlink->Get() && !file->GetFile().IsEmpty())
      return XRefCommandUtils::Fail(kXRefHyperlinkToOtherDocumentError);
    crossRef->SetSource(IDFile(file->GetFile().GetPath()), name->Get());
    crossRef->SetFormat(format->GetFormatName(), format->GetFormatString());
    if (!XRefCrossRefSteps::InvalidateIndex(ref.GetDataBase())) return XRefCommandUtils::Fail(kObjectNotFoundError);
    if (!XRefCrossRefSteps::IsFirstExecution(this)) return;
    if (!DeleteHyperlink(crossRef->GetStartContainerRef())) return;
    if (hyperlink->Get() && !Run(kXRefCreateCrossRefHyperlinkCmdBoss, ref)) return;
    XRefCrossRefSteps::Update(*GetItemList());
  }

  void DoNotify() override {
    if (GetItemList()->Length() == 1) XRefCommandUtils::NotifyDocument(this, IID_IXREFCROSSREF);
  }

  PMString* CreateName() override { return new PMString("QX#0xF2C#kXRefModifyCrossRefCmdKey"); }

private:
  // The hyperlink whose text source holds the cross-reference's start goes,
  // then the source itself. Nothing there is no failure.
  static bool DeleteHyperlink(const UIDRef& source) {
    IDataBase* db = source.GetDataBase();
    if (!db || source.GetUID() == kInvalidUID || db->GetClass(source.GetUID()) == kInvalidClass) return true;
    InterfacePtr<IHyperlinkTextSource> text(source);
    if (text && text->GetHyperlinkUID() != kInvalidUID &&
        !Run(kDeleteHyperlinkCmdBoss, UIDRef(db, text->GetHyperlinkUID())))
      return false;
    return Run(kDeleteHyperlinkTextSourceCmdBoss, source);
  }

  static bool Run(ClassID cls, const UIDRef& item) {
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(cls, UIDList(item)));
    return XRefCommandUtils::Process(cmd.get());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefModifyCrossRefCmd, kXRefModifyCrossRefCmdImpl);

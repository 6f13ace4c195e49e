#include "headless/hyperlinks/NativeCrossRefs.h"
#include "host/CAlert.h"
#include "host/CmdUtils.h"
#include "host/IControllingUnknown.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"

ICommand* CrossRefSourceRangeImpl::QueryDeleteWithTextCommand() {
  if (updating_) return nullptr;
  ICommand* cmd = CmdUtils::CreateCommand(kDeleteHyperlinkTextSourceCmdBoss);
  if (cmd) cmd->SetItemList(UIDList(::GetUIDRef(this)));
  return cmd;
}

void HyperlinkCrossRefSourceImpl::SetFormat(UID format) {
  if (format == format_) return;
  PreDirty();
  format_ = format;
}

void HyperlinkCrossRefSourceImpl::ReadWrite(IPMStream* s, ImplementationID) { s->XferReference(format_); }

// Presenting changes nothing in any document, so the step it runs in is
// dropped when it closes.
void ShowConversionLogCmd::Do() {
  InterfacePtr<IStringData> text(this, IID_ISTRINGDATA);
  if (!text) return ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  if (text->Get().IsEmpty()) return;
  PMString log = text->Get();
  log.SetTranslatable(false);  // entries are shown as they were written
  CAlert::InformationAlert(log);
}

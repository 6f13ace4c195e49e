#include "format/XRefInsertionPoint.h"
#include "format/IXRefTextLoc.h"
#include "host/CmdUtils.h"
#include "host/ICharAttrStrand.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"

namespace {
// Runs a command made by the story; a failure is the composition's to
// shrug off, so it does not stay behind as the global error.
bool Run(ICommand* made) {
  InterfacePtr<ICommand> cmd(made);
  if (!cmd) return false;
  if (CmdUtils::ProcessCommand(cmd.get()) == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

InterfacePtr<ITextModelCmds> CommandsOf(IXRefTextLoc* location) {
  return InterfacePtr<ITextModelCmds>(location->GetStoryRef(), IID_ITEXTMODELCMDS);
}
}  // namespace

UID XRefInsertionPoint::CharStyleBefore() const {
  if (!destination_) return kInvalidUID;
  InterfacePtr<ITextModel> model(destination_->QueryTextModel());
  if (!model) return kInvalidUID;
  InterfacePtr<ICharAttrStrand> chars(
      static_cast<ICharAttrStrand*>(model->QueryStrand(kCharAttrStrandBoss, IID_ICHARATTRSTRAND)));
  if (!chars) return kInvalidUID;
  const TextIndex at = destination_->GetIndex();
  return chars->GetCharStyle(at < 1 ? 0 : at - 1);
}

bool XRefInsertionPoint::ReadAttributes(bool characterBefore, AttributeBossList* out) const {
  if (!destination_ || !out || !destination_->IsValid()) return false;
  InterfacePtr<ITextAttributes> attributes(destination_->GetStoryRef(), IID_ITEXTATTRIBUTES);
  if (!attributes) return false;
  const TextIndex at = destination_->GetIndex();
  const AttributeBossList resolved = characterBefore && at > 0 ? attributes->GetResolvedAttributes(at - 1)
                                                                : attributes->GetAttributesInForce(at);
  AttributeBossList list;
  for (ClassID cls : TextAttr::kComposerAttributes)
    if (const TextAttribute* a = resolved.Find(cls)) list.ApplyAttribute(*a);
  *out = list;
  return true;
}

bool XRefInsertionPoint::ApplyCharStyle(UID style) const {
  if (!destination_) return false;
  InterfacePtr<ITextModelCmds> cmds(CommandsOf(destination_));
  return cmds && Run(cmds->ApplyCharStyleCmd(destination_->GetIndex(), 0, style));
}

bool XRefInsertionPoint::ApplyAttributes(const AttributeBossList& attributes) const {
  if (!destination_) return false;
  InterfacePtr<ITextModelCmds> cmds(CommandsOf(destination_));
  return cmds && Run(cmds->ApplyCmd(destination_->GetIndex(), 0, attributes));
}

bool XRefInsertionPoint::Insert(const WideString& text) const {
  if (!destination_) return false;
  InterfacePtr<ITextModelCmds> cmds(CommandsOf(destination_));
  const TextIndex at = destination_->GetIndex();
  if (!cmds || !Run(cmds->InsertCmd(at, text))) return false;
  // Text inserted at or before the source's character pushes it along.
  if (source_ && source_->GetStoryRef() == destination_->GetStoryRef() && at <= source_->GetIndex())
    source_->Advance(text.Length());
  destination_->Advance(text.Length());
  return true;
}

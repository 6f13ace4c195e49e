// Gives a cross-reference a hyperlink to its source marker: the marker's
// destination (made at the marker when it has none), a text source over the
// cross-reference with its two marker characters, and a visible hyperlink
// named with the composed text. Item list: the cross-reference.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/Command.h"
#include "host/IHyperlinks.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefSourceMarker.h"

namespace {
class XRefCreateCrossRefHyperlinkCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef ref;
    InterfacePtr<IXRefCrossRef> crossRef(XRefCommandUtils::QuerySingleItem<IXRefCrossRef>(this, &ref));
    if (!crossRef) return;
    // Refused before a destination is made in the other document.
    if (crossRef->IsExternal()) return XRefCommandUtils::Fail(kXRefHyperlinkToOtherDocumentError);
    InterfacePtr<IXRefSourceMarker> marker(crossRef->QuerySourceMarker(false));
    if (!marker) return;
    InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
    if (!utils) return XRefCommandUtils::Fail(kObjectNotFoundError);
    UIDRef destination = marker->GetHyperlinkDestination();
    if (!Exists(destination)) {
      destination = utils->CreateTextAnchorDestination(marker->GetStoryRef(), marker->GetTextIndex() + 1,
                                                       marker->GetMarkerName());
      if (!Exists(destination)) return;
    }
    const PMString name = crossRef->ComposeText();
    // The range holds both marker characters, so the start marker's
    // character finds the source as its holder.
    const TextIndex start = crossRef->GetStartIndex() - 1;
    const UIDRef source = utils->CreateTextSource(crossRef->GetStoryRef(), start, crossRef->GetTextLength() + 2);
    if (!Exists(source)) return;
    utils->CreateHyperlink(source, destination, name, true);
  }

  PMString* CreateName() override { return new PMString(); }

private:
  static bool Exists(const UIDRef& ref) {
    IDataBase* db = ref.GetDataBase();
    return db && ref.GetUID() != kInvalidUID && db->GetClass(ref.GetUID()) != kInvalidClass;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefCreateCrossRefHyperlinkCmd, kXRefCreateCrossRefHyperlinkCmdImpl);

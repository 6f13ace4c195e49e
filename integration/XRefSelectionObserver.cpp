// Keeps a caret or selection that falls inside a cross-reference grown to
// the whole cross-reference, so that it is edited as one unit. It lives on
// its document and acts only on selections in that document; its own
// adjustment comes back as a nested change, which it leaves alone.
#include "host/ActiveSelectionObserver.h"
#include "host/CmdUtils.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"
#include "host/IApplication.h"
#include "integration/IXRefSelectionSuite.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefSelectionObserver : public ActiveSelectionObserver {
public:
  explicit XRefSelectionObserver(IPMUnknown* boss) : ActiveSelectionObserver(boss, IID_IXREFSELECTIONOBSERVER) {}

protected:
  void HandleSelectionChanged(const SelectionMessage* message) override {
    if (message->IsNestedChange()) return;
    InterfacePtr<IXRefSelectionSuite> suite(Selection(), IID_IXREFSELECTIONSUITE);
    if (!suite || !InOwnDocument()) return;
    if (!suite->CanSelectCrossRef()) return;
    // The suite sets the global error code; a selection change inside
    // someone else's work must not clear the error that work left.
    const ErrorCode pending = ErrorUtils::PMGetGlobalErrorCode();
    suite->SelectCrossRef();
    if (pending != kSuccess) ErrorUtils::PMSetGlobalErrorCode(pending);
  }

  void HandleSelectionAttributeChanged(const SelectionMessage* message) override {
    // Nothing on screen to refresh here; the suite's own changes are what
    // a panel showing the selection would redraw for.
    (void)message->WasSuiteAffected(IID_IXREFSELECTIONSUITE);
  }

private:
  static InterfacePtr<IPMUnknown> Selection() {
    InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
    return InterfacePtr<IPMUnknown>(manager ? manager->QueryAbstractSelection() : nullptr);
  }

  bool InOwnDocument() const {
    ISession* session = GetExecutionContextSession();
    IActiveContext* context = session ? session->GetActiveContext() : nullptr;
    UIDRef story;
    if (!context || !context->GetTextSelection(&story, nullptr, nullptr)) return false;
    return story.GetDataBase() == ::GetDataBase(this);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefSelectionObserver, kXRefSelectionObserverImpl);

#include "headless/selection/SelectionManager.h"
#include "headless/objects/Host.h"
#include "host/CreateObject.h"
#include "host/IApplication.h"
#include "host/IDocumentList.h"
#include "host/ISelectionExtension.h"
#include "host/ISession.h"
#include "host/ISubject.h"
#include "host/ITextTarget.h"
#include <algorithm>

namespace {
bool IsOpen(IDataBase* db) {
  ISession* session = GetExecutionContextSession();
  IApplication* app = session ? session->GetApplication() : nullptr;
  if (!app || !db) return false;
  for (int32 i = 0; i < app->GetDocCount(); ++i)
    if (app->GetNthDocRef(i).GetDataBase() == db) return true;
  return false;
}

InterfacePtr<ISelectionExtension> ExtensionOf(const InterfacePtr<IPMUnknown>& selection) {
  return InterfacePtr<ISelectionExtension>(selection.get(), IID_ISELECTIONEXTENSION);
}
}  // namespace

// The session goes after every document has closed, taking its subject
// with it: nothing is left to detach from.
SelectionManagerImpl::~SelectionManagerImpl() = default;

void SelectionManagerImpl::MakeObjects() {
  const uint64_t generation = Host::Get().Classes().Generation();
  if (abstract_ && generation == generation_) return;
  StopObserving();
  generation_ = generation;
  abstract_.reset(CreateObject(kAbstractSelectionBoss, IID_IINTEGRATORTARGET));
  text_.reset(CreateObject(kTextSelectionBoss, IID_ITEXTTARGET));
}

IPMUnknown* SelectionManagerImpl::QueryAbstractSelection() {
  MakeObjects();
  if (abstract_) abstract_->AddRef();
  return abstract_.get();
}

std::vector<InterfacePtr<IPMUnknown>> SelectionManagerImpl::GetConcreteSelections() {
  MakeObjects();
  std::vector<InterfacePtr<IPMUnknown>> parts;
  InterfacePtr<ITextTarget> target(text_.get(), IID_ITEXTTARGET);
  if (target && target->GetTextModel().GetDataBase()) parts.push_back(text_);
  parts.insert(parts.end(), others_.begin(), others_.end());
  return parts;
}

void SelectionManagerImpl::AddConcreteSelection(IPMUnknown* selection) {
  if (!selection) return;
  for (const auto& p : others_)
    if (p.get() == selection) return;
  selection->AddRef();
  others_.emplace_back(selection);
}

void SelectionManagerImpl::RemoveConcreteSelection(IPMUnknown* selection) {
  others_.erase(std::remove_if(others_.begin(), others_.end(),
                               [&](const InterfacePtr<IPMUnknown>& p) { return p.get() == selection; }),
                others_.end());
}

void SelectionManagerImpl::Tell(ClassID kind, SelectionMessage* message) {
  InterfacePtr<ISubject> subject(this, IID_ISUBJECT);
  if (!subject) return;
  ++telling_;
  subject->ModelChange(kind, kActiveSelectionProtocol, message);
  --telling_;
}

void SelectionManagerImpl::SelectionChanged() {
  SelectionMessage message(kSelectionChangedMessage, telling_ > 0);
  ObserveSelectedDocument();
  for (const auto& part : GetConcreteSelections())
    if (auto ext = ExtensionOf(part)) ext->SelectionChanged(&message);
  Tell(kSelectionChangedMessage, &message);
}

void SelectionManagerImpl::ModelChanged(PMIID protocol) {
  SelectionMessage message(kSelectionModelChangedMessage, telling_ > 0, protocol);
  for (const auto& part : GetConcreteSelections()) {
    auto ext = ExtensionOf(part);
    if (!ext) continue;
    std::vector<PMIID> protocols;
    ext->GetModelProtocols(&protocols);
    if (std::find(protocols.begin(), protocols.end(), protocol) != protocols.end()) ext->HandleModelChange(&message);
  }
  if (message.GetAffectedSuites().empty()) return;
  Tell(kSelectionModelChangedMessage, &message);
}

std::vector<PMIID> SelectionManagerImpl::ExtensionProtocols() {
  std::vector<PMIID> all;
  for (const auto& part : GetConcreteSelections()) {
    auto ext = ExtensionOf(part);
    std::vector<PMIID> protocols;
    if (ext) ext->GetModelProtocols(&protocols);
    for (PMIID p : protocols)
      if (std::find(all.begin(), all.end(), p) == all.end()) all.push_back(p);
  }
  return all;
}

// The abstract selection hears the selected document's model changes under
// the protocols its extensions name, and nothing of other documents.
void SelectionManagerImpl::ObserveSelectedDocument() {
  InterfacePtr<ITextTarget> target(text_.get(), IID_ITEXTTARGET);
  IDataBase* db = target ? target->GetTextModel().GetDataBase() : nullptr;
  const UIDRef doc = db ? UIDRef(db, kRootUID) : UIDRef();
  const std::vector<PMIID> protocols = doc.GetDataBase() ? ExtensionProtocols() : std::vector<PMIID>();
  if (doc == observed_ && protocols == observedProtocols_) return;
  StopObserving();
  InterfacePtr<ISubject> subject(doc, IID_ISUBJECT);
  if (!subject || !abstract_) return;
  for (PMIID p : protocols) subject->AttachObserver(abstract_.get(), p, IID_ISELECTIONMODELOBSERVER);
  observed_ = doc;
  observedProtocols_ = protocols;
}

void SelectionManagerImpl::StopObserving() {
  // A closed document took its subject with it.
  if (abstract_ && IsOpen(observed_.GetDataBase())) {
    InterfacePtr<ISubject> subject(observed_, IID_ISUBJECT);
    for (PMIID p : observedProtocols_)
      if (subject) subject->DetachObserver(abstract_.get(), p, IID_ISELECTIONMODELOBSERVER);
  }
  observed_ = UIDRef();
  observedProtocols_.clear();
}

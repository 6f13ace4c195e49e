#pragma once
// The session's selection manager. Invariants: abstract_ and text_ are made
// on first use from the class definitions then in force, and made again
// when the definitions change (plug-ins registering); others_ holds each
// added selection once; while observed_ names an open document, the abstract
// selection is attached to its subject for exactly observedProtocols_.
#include "host/CPMUnknown.h"
#include "host/ISelectionManager.h"
#include "host/SelectionMessage.h"
#include "host/UIDRef.h"

class SelectionManagerImpl : public CPMUnknown<ISelectionManager> {
public:
  using CPMUnknown::CPMUnknown;
  ~SelectionManagerImpl() override;
  IPMUnknown* QueryAbstractSelection() override;
  std::vector<InterfacePtr<IPMUnknown>> GetConcreteSelections() override;
  void AddConcreteSelection(IPMUnknown* selection) override;
  void RemoveConcreteSelection(IPMUnknown* selection) override;
  void SelectionChanged() override;
  void ModelChanged(PMIID protocol) override;
  void SetExactSelection(bool16 exact) override { exact_ = exact; }
  bool16 IsExactSelection() const override { return exact_; }

private:
  void MakeObjects();
  void ObserveSelectedDocument();
  void StopObserving();
  std::vector<PMIID> ExtensionProtocols();
  void Tell(ClassID kind, SelectionMessage* message);

  InterfacePtr<IPMUnknown> abstract_, text_;
  uint64_t generation_ = 0;
  std::vector<InterfacePtr<IPMUnknown>> others_;
  bool16 exact_ = false;
  int32 telling_ = 0;
  UIDRef observed_;
  std::vector<PMIID> observedProtocols_;
};

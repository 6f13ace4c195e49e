#pragma once
// A selection extension that passes the manager's notifications to a suite
// implementation T on the same concrete selection. T provides the three
// operations of ISelectionExtension under the same names, as members.
#include "CPMUnknown.h"
#include "ISelectionExtension.h"
#include "InterfacePtr.h"

template <class T>
class SelectionExt : public CPMUnknown<ISelectionExtension> {
public:
  using CPMUnknown::CPMUnknown;
  void SelectionChanged(SelectionMessage* message) override {
    if (InterfacePtr<T> part = Part()) part->SelectionChanged(message);
  }
  void GetModelProtocols(std::vector<PMIID>* protocols) override {
    if (InterfacePtr<T> part = Part()) part->GetModelProtocols(protocols);
  }
  void HandleModelChange(SelectionMessage* message) override {
    if (InterfacePtr<T> part = Part()) part->HandleModelChange(message);
  }

private:
  InterfacePtr<T> Part() const { return InterfacePtr<T>(this, T::kDefaultIID); }
};

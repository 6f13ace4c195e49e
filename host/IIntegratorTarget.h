#pragma once
// The abstract selection's integrator: the concrete selections of the
// current kinds that implement a suite, in the order the kinds were added
// (the text selection first).
#include "InterfacePtr.h"
#include "SelectionIDs.h"
#include <vector>

class IIntegratorTarget : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IINTEGRATORTARGET;
  // Each answer is the suite interface of one concrete selection.
  virtual std::vector<InterfacePtr<IPMUnknown>> GetTarget(PMIID suite) const = 0;

  template <class T>
  std::vector<InterfacePtr<T>> GetTargetAs(PMIID suite) const {
    std::vector<InterfacePtr<T>> parts;
    for (const InterfacePtr<IPMUnknown>& p : GetTarget(suite)) {
      p->AddRef();
      parts.emplace_back(static_cast<T*>(p.get()));
    }
    return parts;
  }
};

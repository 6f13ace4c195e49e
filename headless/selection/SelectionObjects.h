#pragma once
// The implementations behind the abstract selection, the text selection and
// the selection utility. None holds state: the selection itself is the
// session's (its active context), the rest the manager's.
#include "host/CPMUnknown.h"
#include "host/IIntegratorTarget.h"
#include "host/ISelectionUtils.h"
#include "host/ISubject.h"
#include "host/ITextSelectionSuite.h"
#include "host/ITextTarget.h"

class IntegratorTargetImpl : public CPMUnknown<IIntegratorTarget> {
public:
  using CPMUnknown::CPMUnknown;
  std::vector<InterfacePtr<IPMUnknown>> GetTarget(PMIID suite) const override;
};

class TextSelectionSuiteImpl : public CPMUnknown<ITextSelectionSuite> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 SetTextSelection(const UIDRef& story, const RangeData& range) override;
};

// Hears the selected document's models for the manager.
class SelectionModelObserverImpl : public CPMUnknown<IObserver> {
public:
  using CPMUnknown::CPMUnknown;
  void Update(ClassID change, ISubject* subject, PMIID protocol, void* changedBy) override;
};

class TextTargetImpl : public CPMUnknown<ITextTarget> {
public:
  using CPMUnknown::CPMUnknown;
  ITextModel* QueryTextModel() const override;
  UIDRef GetTextModel() const override;
  RangeData GetRange() const override;
  bool16 HasSelection() const override;
};

class SelectionUtilsImpl : public CPMUnknown<ISelectionUtils> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 IsSelectionExact() const override;
};

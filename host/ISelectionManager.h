#pragma once
// The session's selection manager: it makes the abstract selection, keeps
// the concrete selections of kinds other than text that a front end adds,
// and tells the selection's extensions and the active-selection observers
// (attached to the session's subject for kActiveSelectionProtocol) about
// changes.
#include "IPMUnknown.h"
#include "SelectionIDs.h"
#include "InterfacePtr.h"
#include <vector>

class ISelectionManager : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISELECTIONMANAGER;
  // The abstract selection, with a reference the caller releases.
  virtual IPMUnknown* QueryAbstractSelection() = 0;
  // The concrete selections now: the text selection when text is selected,
  // then the other kinds in the order they were added.
  virtual std::vector<InterfacePtr<IPMUnknown>> GetConcreteSelections() = 0;
  // Another kind of selection joins or leaves the current selection.
  virtual void AddConcreteSelection(IPMUnknown* selection) = 0;
  virtual void RemoveConcreteSelection(IPMUnknown* selection) = 0;
  // The selection changed: extensions, then observers, are told.
  virtual void SelectionChanged() = 0;
  // A model of the selected document changed under the protocol: the
  // extensions list the suites it affects; observers hear of it when any is.
  virtual void ModelChanged(PMIID protocol) = 0;
  // Exact selection: while on, selections are taken as the user makes them,
  // never grown to whole objects (ISelectionUtils answers it).
  virtual void SetExactSelection(bool16 exact) = 0;
  virtual bool16 IsExactSelection() const = 0;
};

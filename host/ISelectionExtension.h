#pragma once
// A concrete selection's extension: the selection manager tells it of the
// selection's changes and of model changes under the protocols it names.
#include "IPMUnknown.h"
#include "SelectionIDs.h"
#include "SelectionMessage.h"
#include <vector>

class ISelectionExtension : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISELECTIONEXTENSION;
  virtual void SelectionChanged(SelectionMessage* message) = 0;
  // Appends the model protocols whose changes concern the extension.
  virtual void GetModelProtocols(std::vector<PMIID>* protocols) = 0;
  virtual void HandleModelChange(SelectionMessage* message) = 0;
};

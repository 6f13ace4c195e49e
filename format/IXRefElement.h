#pragma once
// A building block of the format language: one element, its DTD fragment and
// its output.
#include "format/ComposedRun.h"
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include <vector>

class ISAXAttributes;
class IXRefComposerState;
class IXRefTextLoc;

class IXRefElement : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFELEMENT;

  // The tag name, not translatable.
  virtual PMString GetName() const = 0;
  // The element's ELEMENT and ATTLIST declarations, not translatable.
  virtual PMString GetDTD() const = 0;
  // Appends sample output for a format shown without a document.
  virtual ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes* attributes) = 0;
  // Appends the real output; problems go to the state, 0 when it ran.
  virtual ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                            IXRefTextLoc* source, IXRefTextLoc* destination) = 0;
};

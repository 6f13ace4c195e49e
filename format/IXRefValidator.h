#pragma once
// Tells whether a format is acceptable, without any document.
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"

class IXRefValidator : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFVALIDATOR;

  // 0 when valid; 1 for an unknown escape; else the parser's error code,
  // left set as the global error code when keepError is true.
  virtual ErrorCode Validate(PMString format, bool16 keepError) = 0;
};

#pragma once
// A document's conversion log: what a migration could not carry over, one
// entry a line, "[tag] text". Never stored.
#include "engine/XRefEngineID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"

class IXRefConversionLog : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCONVERSIONLOG;
  virtual bool16 IsEmpty() const = 0;
  virtual PMString GetLog() const = 0;
  virtual void AddEntry(const PMString& tag, const PMString& text) = 0;
};

#pragma once
// One format's name and mark-up, carried by commands as their parameter.
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "model/XRefModelID.h"

class IXRefFormatData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFFORMATDATA;

  virtual void SetFormatData(const PMString& name, const PMString& format) = 0;
  virtual PMString GetFormatName() const = 0;
  virtual PMString GetFormatString() const = 0;
};

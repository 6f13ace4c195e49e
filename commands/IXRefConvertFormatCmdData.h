#pragma once
// The convert-format command's parameter: the name and mark-up of the
// format to convert.
#include "commands/XRefCommandID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"

class IXRefConvertFormatCmdData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCONVERTFORMATCMDDATA;
  virtual void SetFormatData(const PMString& name, const PMString& format) = 0;
  virtual PMString GetFormatName() const = 0;
  virtual PMString GetFormatString() const = 0;
};

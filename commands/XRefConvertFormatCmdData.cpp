#include "commands/IXRefConvertFormatCmdData.h"
#include "host/CPMUnknown.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefConvertFormatCmdData : public CPMUnknown<IXRefConvertFormatCmdData> {
public:
  using CPMUnknown::CPMUnknown;
  void SetFormatData(const PMString& name, const PMString& format) override {
    name_ = name;
    format_ = format;
  }
  PMString GetFormatName() const override { return name_; }
  PMString GetFormatString() const override { return format_; }

private:
  PMString name_, format_;
};
}  // namespace

CREATE_PMINTERFACE(XRefConvertFormatCmdData, kXRefConvertFormatCmdDataImpl);

#include "host/CPMUnknown.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefFormatData.h"

namespace {
class XRefFormatData : public CPMUnknown<IXRefFormatData> {
public:
  using CPMUnknown::CPMUnknown;

  void SetFormatData(const PMString& name, const PMString& format) override {
    name_ = name;
    format_ = format;
  }
  PMString GetFormatName() const override { return name_; }
  PMString GetFormatString() const override { return format_; }

private:
  PMString name_;
  PMString format_;
};
}  // namespace

CREATE_PMINTERFACE(XRefFormatData, kXRefFormatDataImpl);

#include "headless/database/DataBaseErrors.h"
#include "host/CPMUnknown.h"
#include "host/DataBaseErrors.h"
#include "host/IErrorStringService.h"

namespace {
constexpr ClassID kDataBaseErrorsBoss{0x14400};
constexpr ImplementationID kDataBaseErrorStringsImpl{0x14400};

class DataBaseErrorStrings : public CPMUnknown<IErrorStringService> {
public:
  using CPMUnknown::CPMUnknown;
  ErrorCode GetFirstErrorCode() const override { return kNoMoreUIDsError; }
  int32 GetErrorStringTableID() const override { return 0; }
  PMString GetErrorString(ErrorCode code) const override {
    return code == kNoMoreUIDsError ? PMString("kNoMoreUIDsErrorKey") : PMString();
  }
};
}  // namespace

void InstallDataBaseErrorClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings) {
  impls.InstallHost<DataBaseErrorStrings>(kDataBaseErrorStringsImpl);
  classes.Define({kDataBaseErrorsBoss, kInvalidClass, {{IID_IERRORSTRINGSERVICE, kDataBaseErrorStringsImpl}}});
  strings.Add("kNoMoreUIDsErrorKey", "the document has no object identifier left for a new object");
}

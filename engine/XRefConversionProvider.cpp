// Brings documents of the plug-in's data versions 1.0 and 1.1 up to 1.2,
// record by record. 1.0 to 1.1: source markers gain a time (zero), the
// cross-reference attribute reports are no longer stored. 1.1 to 1.2: a
// cross-reference's one source path becomes its absolute and relative path,
// and it gains an update time (zero).
#include "engine/XRefEngineID.h"
#include "host/GlobalTime.h"
#include "host/IConversionProvider.h"
#include "host/PMString.h"
#include "host/WideString.h"
#include "integration/ImplementationRecord.h"
#include "model/XRefModelID.h"

namespace {
class XRefConversionProvider : public CConversionProvider {
public:
  using CConversionProvider::CConversionProvider;

  int32 CountConversions() const override { return 2; }

  void GetNthConversion(int32 n, VersionID* from, VersionID* to) const override {
    if (n < 0 || n > 1) return;
    *from = {1, n};
    *to = {1, n + 1};
  }

  int32 ShouldConvertImplementation(ImplementationID impl, ClassID, int32 n) const override {
    if (n == 0 && impl == kXRefSourceMarkerImpl) return kMustConvert;
    if (n == 0 && impl == kXRefCrossRefAttrReportImpl) return kMustRemove;
    if (n == 1 && impl == kXRefCrossRefImpl) return kMustConvert;
    return kNothingToDo;
  }

  ImplementationID ConvertImplementation(ImplementationID impl, ClassID cls, int32 n, IPMStream* in,
                                         IPMStream* out) override {
    switch (ShouldConvertImplementation(impl, cls, n)) {
      case kMustRemove:
        return kInvalidImpl;
      case kMustConvert:
        if (n == 0) ConvertSourceMarker(in, out);
        else ConvertCrossRef(in, out);
        return impl;
      default:
        return impl;
    }
  }

private:
  static void WriteZeroTime(IPMStream* out) {
    GlobalTime zero(0);
    zero.ReadWrite(out);
  }

  static void ConvertSourceMarker(IPMStream* in, IPMStream* out) {
    PMString name;
    name.ReadWrite(in);
    name.SetTranslatable(false);
    name.ReadWrite(out);
    WriteZeroTime(out);
  }

  static void ConvertCrossRef(IPMStream* in, IPMStream* out) {
    PMString markerName, path, formatName, format;
    UID start = kInvalidUID, end = kInvalidUID;
    markerName.ReadWrite(in);
    path.ReadWrite(in);
    formatName.ReadWrite(in);
    format.ReadWrite(in);
    in->XferReference(start);
    in->XferReference(end);
    markerName.ReadWrite(out);
    // The one path of 1.1 serves as the absolute and the relative path.
    WideString absolute(path.Units()), relative(path.Units());
    absolute.ReadWrite(out);
    relative.ReadWrite(out);
    formatName.ReadWrite(out);
    format.ReadWrite(out);
    out->XferReference(start);
    out->XferReference(end);
    WriteZeroTime(out);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefConversionProvider, kXRefConversionProviderImpl);

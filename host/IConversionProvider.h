#pragma once
// Document conversion. When a document stores a plug-in's data at an older
// data version than the loaded plug-in's, the host chains the conversions
// the plug-in's conversion provider offers (a service provider of
// kConversionProviderService whose class is the plug-in's) and has it
// rewrite each stored record of the implementations a conversion touches.
// After loading, the phase-2 signal (kPhase2ConversionSignalService) lets
// the plug-in rebuild what records alone cannot, before the open signal.
#include "CPMUnknown.h"
#include "IPMStream.h"
#include "IResponder.h"

constexpr PMIID IID_ICONVERSIONPROVIDER{0x18B};
constexpr PMIID IID_ICONVERSIONSIGNALDATA{0x18A};
constexpr ServiceID kConversionProviderService{0x403};
constexpr ServiceID kPhase2ConversionSignalService{0x404};

// A data version: major and minor number (1.2 is {1, 2}).
struct VersionID {
  int32 major = 0;
  int32 minor = 0;
  // As stored in document headers: major * 100 + minor.
  int32 Value() const { return major * 100 + minor; }
  static VersionID FromValue(int32 v) { return {v / 100, v % 100}; }
};

class IConversionProvider : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICONVERSIONPROVIDER;
  enum Status : int32 { kNothingToDo = 0, kMustConvert = 1, kMustRemove = 2 };

  virtual int32 CountConversions() const = 0;
  // The versions the n-th conversion goes from and to; others leave them alone.
  virtual void GetNthConversion(int32 n, VersionID* from, VersionID* to) const = 0;
  // What conversion n does to a stored record of the implementation on an
  // object of the class.
  virtual int32 ShouldConvertImplementation(ImplementationID impl, ClassID cls, int32 n) const = 0;
  // Rewrites one record from `in` to `out`; answers the implementation to
  // store it under, kInvalidImpl to drop the record.
  virtual ImplementationID ConvertImplementation(ImplementationID impl, ClassID cls, int32 n, IPMStream* in,
                                                 IPMStream* out) = 0;
};

// Host defaults: no conversions.
class CConversionProvider : public CPMUnknown<IConversionProvider> {
public:
  explicit CConversionProvider(IPMUnknown* boss) : CPMUnknown<IConversionProvider>(boss) {}
  int32 CountConversions() const override { return 0; }
  void GetNthConversion(int32, VersionID*, VersionID*) const override {}
  int32 ShouldConvertImplementation(ImplementationID, ClassID, int32) const override { return kNothingToDo; }
  ImplementationID ConvertImplementation(ImplementationID, ClassID, int32, IPMStream*, IPMStream*) override {
    return kInvalidImpl;
  }
};

// On the phase-2 signal object, beside ISignalMgr.
class IConversionSignalData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICONVERSIONSIGNALDATA;
  virtual UIDRef GetDocument() const = 0;
  // Whether the plug-in's data was converted, and from which version.
  virtual bool16 WasConverted(PluginID plugin, VersionID* from) const = 0;
};

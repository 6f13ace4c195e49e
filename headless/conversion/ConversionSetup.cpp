#include "headless/conversion/ConversionSetup.h"
#include "headless/conversion/ConversionManager.h"
#include "headless/conversion/ConversionSignal.h"
#include "headless/conversion/PluginLoadCheck.h"
#include "headless/database/LoadChecks.h"

namespace {
constexpr ImplementationID kConversionSignalDataImpl{0x3B0};
constexpr ImplementationID kConversionSignalMgrImpl{0x3B1};

class ConversionSignalMgrImpl : public CPMUnknown<ISignalMgr> {
public:
  using CPMUnknown::CPMUnknown;
  ServiceID GetServiceID() const override { return kPhase2ConversionSignalService; }
};
}  // namespace

bool16 ConversionSignalDataImpl::WasConverted(PluginID plugin, VersionID* from) const {
  auto it = convertedFrom_.find(plugin);
  if (it == convertedFrom_.end()) return false;
  if (from) *from = VersionID::FromValue(it->second);
  return true;
}

void ConversionSignalDataImpl::Set(const UIDRef& doc, const std::map<PluginID, int32>& convertedFrom) {
  doc_ = doc;
  convertedFrom_ = convertedFrom;
}

void InstallConversionClasses(ImplRegistry& impls, ClassRegistry& classes) {
  static ConversionManager manager;
  DocumentFile::SetRecordConversion(&manager);
  LoadChecks::Add(&CheckPluginData);
  impls.InstallHost<ConversionSignalDataImpl>(kConversionSignalDataImpl);
  impls.InstallHost<ConversionSignalMgrImpl>(kConversionSignalMgrImpl);
  classes.Define({kConversionSignalBoss, kInvalidClass,
                  {{IID_ISIGNALMGR, kConversionSignalMgrImpl}, {IID_ICONVERSIONSIGNALDATA, kConversionSignalDataImpl}}});
}

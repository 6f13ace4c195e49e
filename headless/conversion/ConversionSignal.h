#pragma once
// The phase-2 conversion signal's data: the document and the plug-ins whose
// data was converted, with the versions they came from.
#include "host/CPMUnknown.h"
#include "host/IConversionProvider.h"
#include <map>

constexpr ClassID kConversionSignalBoss{0x20A0};

class ConversionSignalDataImpl : public CPMUnknown<IConversionSignalData> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef GetDocument() const override { return doc_; }
  bool16 WasConverted(PluginID plugin, VersionID* from) const override;
  void Set(const UIDRef& doc, const std::map<PluginID, int32>& convertedFrom);

private:
  UIDRef doc_;
  std::map<PluginID, int32> convertedFrom_;
};

#pragma once
// The conversion manager: finds a plug-in's conversion provider, chains its
// conversions from a document's stored data version to the loaded one, and
// has the provider rewrite each record a conversion touches.
#include "headless/database/RecordConversion.h"
#include <vector>

class IConversionProvider;

class ConversionManager final : public RecordConversion {
public:
  bool CanConvert(PluginID plugin, int32 from, int32 to, std::string* why) override;
  Result Convert(PluginID plugin, int32 from, int32 to, ClassID cls, ImplementationID* impl,
                 std::string* bytes) override;

private:
  // The plug-in's provider (the caller releases it), or null.
  static IConversionProvider* QueryProvider(PluginID plugin);
  // The conversions, in the order to apply them, that lead from `from` to
  // `to`; false when they do not get there.
  static bool Chain(const IConversionProvider* provider, int32 from, int32 to, std::vector<int32>* steps);
};

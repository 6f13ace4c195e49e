#include "headless/conversion/ConversionManager.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include "host/IConversionProvider.h"
#include "host/IK2ServiceRegistry.h"
#include "host/InterfacePtr.h"

IConversionProvider* ConversionManager::QueryProvider(PluginID plugin) {
  for (ClassID cls : ServiceRegistry::ProvidersOf(kConversionProviderService)) {
    if (Host::PluginOf(IdValue(cls)) != plugin) continue;
    if (IPMUnknown* provider = Host::Get().CreateObject(cls, IID_ICONVERSIONPROVIDER))
      return static_cast<IConversionProvider*>(provider);
  }
  return nullptr;
}

// Each step takes the conversion that starts at the version reached; a
// conversion that goes nowhere newer would loop, so it ends the chain.
bool ConversionManager::Chain(const IConversionProvider* provider, int32 from, int32 to, std::vector<int32>* steps) {
  steps->clear();
  int32 reached = from;
  while (reached < to) {
    int32 next = -1;
    VersionID stepTo;
    for (int32 n = 0; n < provider->CountConversions() && next < 0; ++n) {
      VersionID a, b;
      provider->GetNthConversion(n, &a, &b);
      if (a.Value() == reached && b.Value() > reached && b.Value() <= to) {
        next = n;
        stepTo = b;
      }
    }
    if (next < 0) return false;
    steps->push_back(next);
    reached = stepTo.Value();
  }
  return reached == to;
}

bool ConversionManager::CanConvert(PluginID plugin, int32 from, int32 to, std::string* why) {
  InterfacePtr<IConversionProvider> provider(QueryProvider(plugin));
  if (!provider) {
    *why = "the plug-in offers no conversion";
    return false;
  }
  std::vector<int32> steps;
  if (Chain(provider.get(), from, to, &steps)) return true;
  *why = "the plug-in's conversions do not lead there";
  return false;
}

RecordConversion::Result ConversionManager::Convert(PluginID plugin, int32 from, int32 to, ClassID cls,
                                                    ImplementationID* impl, std::string* bytes) {
  InterfacePtr<IConversionProvider> provider(QueryProvider(plugin));
  std::vector<int32> steps;
  if (!provider || !Chain(provider.get(), from, to, &steps)) return kFail;
  for (int32 n : steps) {
    const int32 status = provider->ShouldConvertImplementation(*impl, cls, n);
    if (status == IConversionProvider::kNothingToDo) continue;
    MemoryReadStream in(*bytes);
    MemoryWriteStream out;
    const ImplementationID result = provider->ConvertImplementation(*impl, cls, n, &in, &out);
    if (result == kInvalidImpl) return kDrop;
    // A record the conversion could not read, or did not read to its end,
    // is not the layout it expected.
    if (in.GetBad() || in.Available() != 0) return kFail;
    *impl = result;
    *bytes = out.Data();
  }
  return kKeep;
}

// The host's side of error strings: finds the service whose range holds a
// code among the classes that carry one, and translates its message key.
#include "headless/objects/Host.h"
#include "host/IErrorStringService.h"
#include "host/InterfacePtr.h"
#include <cstdio>

namespace {
// A service covers the codes from its first one to the end of that prefix.
constexpr uint32 kCodesPerService = 0x100;

PMString GenericWording(ErrorCode code) {
  char text[32];
  std::snprintf(text, sizeof text, "Error 0x%X", static_cast<unsigned>(ErrorValue(code)));
  PMString result(text);
  result.SetTranslated();
  return result;
}
}  // namespace

PMString ErrorUtils::PMGetErrorString(ErrorCode code) {
  const uint32 value = static_cast<uint32>(ErrorValue(code));
  for (ClassID cls : Host::Get().Classes().ClassesWith(IID_IERRORSTRINGSERVICE)) {
    InterfacePtr<IErrorStringService> service(
        static_cast<IErrorStringService*>(Host::Get().CreateObject(cls, IID_IERRORSTRINGSERVICE)));
    if (!service) continue;
    const uint32 first = static_cast<uint32>(ErrorValue(service->GetFirstErrorCode()));
    if (value < first || value - first >= kCodesPerService) continue;
    PMString message = service->GetErrorString(code);
    if (message.empty()) break;
    message.Translate();
    return message;
  }
  return GenericWording(code);
}

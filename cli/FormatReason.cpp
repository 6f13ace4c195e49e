#include "cli/FormatReason.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"

std::string InvalidFormatReason(const std::string& utf8) {
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  InterfacePtr<IXRefValidator> validator(utils ? utils->QueryValidator() : nullptr);
  if (!validator) return "the plug-in offers no format validator";
  PMString format(utf8);
  format.SetTranslatable(false);
  // The validator says only that an escape is bad; the utility says where.
  PMString converted = format;
  int32 position = -1;
  if (utils->ConvertMetacharacters(converted, &position)) {
    std::u16string escape = u"^";
    size_t at = static_cast<size_t>(position);
    Utf::AppendUTF16(escape, Utf::NextScalar(format.Units(), at));
    return "unknown escape \"" + Utf::ToUTF8(escape) + "\" at position " + std::to_string(position);
  }
  ErrorCode result = validator->Validate(format, true);
  if (result == kSuccess) return std::string();
  std::string message = Host::Get().GlobalErrorMessage().GetUTF8String();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (message.empty()) message = "rejected: " + ErrorUtils::PMGetErrorString(result).GetUTF8String();
  return message;
}


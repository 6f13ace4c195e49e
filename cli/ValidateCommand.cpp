// xref validate FORMAT...: checks formats with the plug-in's validator. One
// line per format: "valid", or "invalid: " and the reason.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "headless/Host.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <iostream>

namespace {
// Why the format is invalid, or empty when it is valid.
std::string Reason(IXRefParsingUtils* utils, IXRefValidator* validator, const std::string& utf8) {
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
  if (message.empty()) message = "rejected with error code " + std::to_string(ErrorValue(result));
  return message;
}

class ValidateCommand : public CliCommand {
public:
  ValidateCommand() : CliCommand("validate", "Check cross-reference formats against the format language") {}
  void Setup(CLI::App* sub) override { sub->add_option("format", formats_, "Format mark-up")->required(); }
  int Run() override {
    std::string error;
    SessionOptions options;
    options.prefsPath = "-";  // validity depends on no document or preference
    auto app = StartSession(options, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefValidator> validator(utils ? utils->QueryValidator() : nullptr);
    if (!validator) {
      PrintError("the plug-in offers no format validator");
      return kExitUsage;
    }
    int exit = kExitOK;
    for (const std::string& format : formats_) {
      std::string reason = Reason(utils.get(), validator.get(), format);
      if (reason.empty()) {
        std::cout << "valid\n";
        continue;
      }
      std::cout << "invalid: " << reason << "\n";
      exit = kExitFinding;
    }
    return exit;
  }

private:
  std::vector<std::string> formats_;
};
ValidateCommand gValidate;
}  // namespace

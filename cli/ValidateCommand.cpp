// xref validate FORMAT...: checks formats with the plug-in's validator. One
// line per format: "valid", or "invalid: " and the reason.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/FormatReason.h"
#include <iostream>

namespace {
class ValidateCommand : public CliCommand {
public:
  ValidateCommand()
      : CliCommand("validate", "Check cross-reference formats against the format language (docs/format-language.md)") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("format", formats_, "Format mark-up")->required();
    sub->footer("The format language (elements, attributes, escapes, white space, lang sections, errors) is "
                "described in docs/format-language.md.");
  }
  int Run() override {
    std::string error;
    SessionOptions options;
    options.prefsPath = "-";  // validity depends on no document or preference
    auto app = StartSession(options, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    int exit = kExitOK;
    for (const std::string& format : formats_) {
      std::string reason = InvalidFormatReason(format);
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

// xref export DOC [-o DESC.json]: a document back into its JSON description,
// to diff, review or edit by hand and build again. Without -o the
// description goes to standard output. The document is never written.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentExport.h"
#include "cli/DocumentSource.h"
#include "headless/database/SafeFile.h"
#include <filesystem>
#include <iostream>

namespace {
class ExportCommand : public CliCommand {
public:
  ExportCommand() : CliCommand("export", "Write a document back as a JSON description (docs/document-format.md)") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file (or a description, built first)")->required();
    sub->add_option("-o,--output", output_, "Description file to write (default: standard output)");
  }

  int Run() override {
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) return Fail(error);
    DataBase* doc = OpenOrBuildDocument(*app, path_, &error);
    if (!doc) return Fail(error);
    // Documents of external cross-references are named relative to where
    // the description goes, as the builder reads them; on standard output,
    // by their full paths.
    const std::string folder =
        output_.empty() ? std::string() : std::filesystem::absolute(output_).lexically_normal().parent_path().string();
    const std::string text = ExportDocument(doc, folder).dump(2) + "\n";
    if (output_.empty()) {
      std::cout << text;
      return kExitOK;
    }
    if (!SafeFile::Replace(output_, text, &error)) return Fail(error);
    return kExitOK;
  }

private:
  static int Fail(const std::string& message) {
    PrintError(message);
    return kExitUsage;
  }

  std::string path_, output_;
};
ExportCommand gExport;
}  // namespace

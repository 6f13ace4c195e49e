// xref sample: the main job. Builds the bundled sample document from its
// description, saves it, reopens it, checks that saving again gives the
// same bytes, describes what it holds, and shows what each default format
// gives at each of its source markers.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "cli/DocumentSource.h"
#include "cli/SourceMarkers.h"
#include "headless/database/SafeFile.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "model/IXRefFormats.h"
#include "host/ISession.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {
std::string ReadBytes(const std::string& path) {
  std::string bytes, ignored;
  return SafeFile::Read(path, &bytes, &ignored) ? bytes : std::string();
}

// The bundled sample, from the working folder or from the source tree.
std::string DefaultSample() {
  const std::string local = "samples/sample.json";
  if (std::filesystem::exists(local)) return local;
  return std::string(XREF_SOURCE_DIR) + "/samples/sample.json";
}

class SampleCommand : public CliCommand {
public:
  SampleCommand() : CliCommand("sample", "Build the bundled sample document, save, reopen and describe it") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("description", description_, "Document description (default: the bundled sample)");
    sub->add_option("-o,--output", out_, "Folder for the sample's files")->capture_default_str();
  }
  int Run() override {
    if (description_.empty()) description_ = DefaultSample();
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    std::error_code ec;
    std::filesystem::create_directories(out_, ec);
    const std::string first = out_ + "/sample.xrefdoc", second = out_ + "/sample-resaved.xrefdoc";
    DataBase* doc = BuildDescribedDocument(*app, description_, &error);
    if (!doc || !app->SaveDocumentAs(doc, first, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    app->CloseDocument(doc);
    doc = app->OpenDocument(first, &error);
    if (!doc || !app->SaveACopy(doc, second, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    DescribeDocument(doc, std::cout);
    PreviewAtMarkers(doc);
    bool same = ReadBytes(first) == ReadBytes(second);
    std::cout << "saved, reopened and saved again: " << (same ? "identical bytes" : "DIFFERENT bytes") << "\n";
    return same ? kExitOK : kExitFinding;
  }

private:
  // Each of the application's formats (the defaults) with each marker as
  // its source, as if the cross-reference stood at the start of the first story.
  static void PreviewAtMarkers(DataBase* doc) {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefPreviewer> previewer(utils ? utils->QueryPreviewer() : nullptr);
    InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
    InterfacePtr<IXRefFormats> formats(GetExecutionContextSession()->GetWorkspaceRef());
    if (!previewer || !stories || !formats) return;
    const UID destination = stories->GetNthStoryUID(0);
    for (const SourceMarkerEntry& marker : ListSourceMarkers(doc)) {
      std::cout << "formats at source marker \"" << marker.name << "\", seen from the first page:\n";
      for (int32 f = 0; f < formats->GetFormatCount(); ++f) {
        PMString text;
        ErrorCode err = previewer->Preview(&text, formats->GetFormatString(f), doc, marker.story, marker.index, doc,
                                           destination, 0);
        std::cout << "  " << formats->GetFormatName(f).GetUTF8String() << ": "
                  << (err == kSuccess ? text.GetUTF8String() : "(cannot be previewed)") << "\n";
      }
    }
  }

  std::string description_;
  std::string out_ = "xref-sample";
};
SampleCommand gSample;
}  // namespace

// xref preview FORMAT...: the plain text of each format, with sample values,
// or at a source marker of a document (--doc, --source, --at).
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentSource.h"
#include "cli/FormatReason.h"
#include "cli/SourceMarkers.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <iostream>

namespace {
struct Location {
  IDataBase* db = nullptr;
  UID story = kInvalidUID;
  TextIndex index = -1;
};

class PreviewCommand : public CliCommand {
public:
  PreviewCommand() : CliCommand("preview", "Show the plain text formats give, with sample values or at a source marker") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("format", formats_, "Format mark-up")->required();
    sub->add_option("--doc", doc_, "Document file or JSON description to preview in");
    sub->add_option("--source", source_, "Name of the source marker (with --doc)");
    sub->add_option("--at", at_, "Destination STORY:INDEX (story number from 0; default: the marker's own place)");
  }

  int Run() override {
    if (doc_.empty() != source_.empty() || (!at_.empty() && doc_.empty())) {
      PrintError("--doc and --source go together, and --at needs them");
      return kExitUsage;
    }
    std::string error;
    SessionOptions options;
    options.prefsPath = "-";
    auto app = StartSession(options, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    Location source, destination;
    if (!doc_.empty() && !Locate(*app, &source, &destination, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefPreviewer> previewer(utils ? utils->QueryPreviewer() : nullptr);
    if (!previewer) {
      PrintError("the plug-in offers no previewer");
      return kExitUsage;
    }
    int exit = kExitOK;
    for (const std::string& format : formats_) {
      std::string reason = InvalidFormatReason(format);
      PMString text;
      ErrorCode err = kFailure;
      if (reason.empty()) {
        err = source.db ? previewer->Preview(&text, PMString(format), source.db, source.story, source.index,
                                             destination.db, destination.story, destination.index)
                        : previewer->PreviewSample(&text, PMString(format));
      }
      if (reason.empty() && err == kSuccess) {
        std::cout << text.GetUTF8String() << "\n";
        continue;
      }
      std::cout << "invalid: " << (reason.empty() ? "the format cannot be previewed" : reason) << "\n";
      exit = kExitFinding;
    }
    return exit;
  }

private:
  bool Locate(Application& app, Location* source, Location* destination, std::string* error) {
    DataBase* doc = OpenOrBuildDocument(app, doc_, error);
    if (!doc) return false;
    for (const SourceMarkerEntry& marker : ListSourceMarkers(doc)) {
      if (!PMString(marker.name).IsEqualNoCase(PMString(source_)) || marker.story == kInvalidUID) continue;
      *source = {doc, marker.story, marker.index};
    }
    if (!source->db) {
      *error = "no source marker named '" + source_ + "' in " + doc_;
      return false;
    }
    *destination = *source;
    if (at_.empty()) return true;
    size_t colon = at_.find(':');
    InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
    try {
      int story = std::stoi(at_.substr(0, colon));
      destination->story = stories ? stories->GetNthStoryUID(story) : kInvalidUID;
      destination->index = colon == std::string::npos ? -1 : std::stoi(at_.substr(colon + 1));
    } catch (...) {
      destination->story = kInvalidUID;
    }
    if (destination->story == kInvalidUID || destination->index < 0) {
      *error = "--at " + at_ + ": expected STORY:INDEX naming a story of the document";
      return false;
    }
    return true;
  }

  std::vector<std::string> formats_;
  std::string doc_, source_, at_;
};
PreviewCommand gPreview;
}  // namespace

// xref preview FORMAT...: the plain text of each format, with sample values,
// or at a source marker of a document (--doc, --source, --at).
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentSource.h"
#include "cli/FormatReason.h"
#include "cli/SourceMarkers.h"
#include "cli/StoryNumbers.h"
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
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
    sub->add_option("--at", at_, "Destination STORY:INDEX: a story's number from 0 as xref describe lists them, footnote stories included, and an index in it (default: the marker's own place)");
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
        if (ReportProblems(previewer.get(), format)) exit = kExitFinding;
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
    StoryPosition at;
    if (!ParseStoryPosition(doc, at_, &at, error)) {
      *error = "--at " + *error;
      return false;
    }
    destination->story = at.story;
    destination->index = at.index;
    return true;
  }

  // Prints what composing at the marker recorded, one problem a line; true
  // when there was any.
  static bool ReportProblems(IXRefPreviewer* previewer, const std::string& format) {
    InterfacePtr<IXRefComposerState> state(previewer, IID_IXREFCOMPOSERSTATE);
    if (!state || state->GetErrorCount() == 0) return false;
    std::string text = state->GetErrorText().GetUTF8String();
    for (size_t from = 0; from <= text.size();) {
      size_t to = text.find('\n', from);
      if (to == std::string::npos) to = text.size();
      PrintError("'" + format + "': " + text.substr(from, to - from));
      from = to + 1;
    }
    return true;
  }

  std::vector<std::string> formats_;
  std::string doc_, source_, at_;
};
PreviewCommand gPreview;
}  // namespace

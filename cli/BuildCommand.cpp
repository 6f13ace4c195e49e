// xref build DESC.json -o OUT.xrefdoc: makes a document from its JSON
// description and saves it.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentSource.h"
#include "cli/DocumentDescription.h"
#include "cli/StoryNumbers.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include <iostream>
#include <map>

namespace {
class BuildCommand : public CliCommand {
public:
  BuildCommand() : CliCommand("build", "Make a document from a JSON description (docs/document-format.md)") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("description", description_, "JSON description of the document")->required();
    sub->add_option("-o,--output", output_, "Document file to write")->required();
  }
  int Run() override {
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    std::vector<Placeholder> placeholders;
    std::vector<std::string> warnings;
    DataBase* doc = BuildDescribedDocument(*app, description_, &error, &placeholders, &warnings);
    if (!doc) {
      PrintError(error);
      return kExitUsage;
    }
    // Built all the same, as a writer may add the marker later.
    for (const std::string& warning : warnings) std::cerr << "xref: warning: " << warning << "\n";
    // Cross-references are placed by the step that makes them.
    std::map<std::string, int> unplaced;
    for (const Placeholder& p : placeholders) ++unplaced[p.kind];
    for (auto& entry : unplaced)
      std::cerr << "xref: note: " << entry.second << " " << entry.first << " placeholder(s) not placed yet\n";
    if (!app->SaveDocumentAs(doc, output_, &error)) {
      PrintError(error);
      return kExitUsage;
    }
    Summarize(doc);
    return kExitOK;
  }

private:
  void Summarize(DataBase* doc) const {
    InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
    int32 paragraphs = 0, units = 0;
    for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i) {
      InterfacePtr<ITextModel> story(doc, stories->GetNthStoryUID(i), IID_ITEXTMODEL);
      InterfacePtr<IParagraphStrand> paras(
          static_cast<IParagraphStrand*>(story->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
      paragraphs += paras ? paras->GetParagraphCount() : 0;
      units += StoryLength(doc, stories->GetNthStoryUID(i));
    }
    std::cout << "built " << output_ << ": " << (stories ? stories->GetStoryCount() : 0) << " stories, "
              << paragraphs << " paragraphs, " << units << " characters\n";
  }

  std::string description_, output_;
};
BuildCommand gBuild;
}  // namespace

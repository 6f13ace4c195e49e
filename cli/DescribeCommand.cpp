// xref describe DOC: opens a document file and describes it.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include <iostream>

namespace {
class DescribeCommand : public CliCommand {
public:
  DescribeCommand() : CliCommand("describe", "Open a document file and describe what it holds") {}
  void Setup(CLI::App* sub) override { sub->add_option("document", path_, "Document file")->required(); }
  int Run() override {
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) {
      PrintError(error);
      return kExitUsage;
    }
    DataBase* doc = app->OpenDocument(path_, &error);
    if (!doc) {
      PrintError(error);
      return kExitUsage;
    }
    DescribeDocument(doc, std::cout);
    return kExitOK;
  }

private:
  std::string path_;
};
DescribeCommand gDescribe;
}  // namespace

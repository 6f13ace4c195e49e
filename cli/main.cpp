// The xref program: the headless host's front end.
#include "cli/CliCommand.h"
#include <iostream>

CliCommand::CliCommand(const char* name, const char* description) : name_(name), description_(description) {
  All().push_back(this);
}

std::vector<CliCommand*>& CliCommand::All() {
  static std::vector<CliCommand*> all;
  return all;
}

void PrintError(const std::string& message) { std::cerr << "xref: " << message << "\n"; }

int main(int argc, char** argv) {
  CLI::App app{"xref: automatic cross-references for page-layout documents, on a headless host"};
  app.set_version_flag("--version", std::string("xref ") + XREF_VERSION);
  app.require_subcommand(1);
  std::vector<std::pair<CLI::App*, CliCommand*>> subs;
  for (CliCommand* cmd : CliCommand::All()) {
    CLI::App* sub = app.add_subcommand(cmd->Name(), cmd->Description());
    cmd->Setup(sub);
    subs.emplace_back(sub, cmd);
  }
  auto known = [&](const std::string& name) {
    for (auto& s : subs)
      if (s.first->get_name() == name) return true;
    return false;
  };
  if (argc > 1 && argv[1][0] != '-' && !known(argv[1])) {
    PrintError(std::string("unknown command '") + argv[1] + "'");
    std::cerr << "Run with --help for usage.\n";
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    PrintError(e.what());
    std::cerr << "Run with --help for usage.\n";
    return kExitUsage;
  }
  for (auto& s : subs)
    if (s.first->parsed()) return s.second->Run();
  return kExitUsage;
}

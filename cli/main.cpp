// The xref program: the headless host's front end.
#include "cli/CliCommand.h"
#include "cli/TerminalText.h"
#include <algorithm>
#include <iostream>
#include <new>
#include <unistd.h>

namespace {
// CLI11 reads a value written "[a,b]" as a list, dropping the brackets and
// splitting at commas, and after "--" passes only what a list takes; here
// every argument is one value, taken as typed (a format may well be
// bracketed). Such arguments, and all after "--", are marked before parsing,
// which leaves marked ones alone, and unmarked as each value is stored.
const char kAsTyped = '\x1F';

std::vector<std::string> MarkedArguments(int argc, char** argv) {
  std::vector<std::string> args;
  bool valuesOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!valuesOnly && arg == "--") {
      valuesOnly = true;
      continue;
    }
    if (valuesOnly || (!arg.empty() && (arg.front() == '[' || arg.front() == kAsTyped)))
      arg.insert(arg.begin(), kAsTyped);
    args.push_back(std::move(arg));
  }
  std::reverse(args.begin(), args.end());  // CLI11 takes them last first
  return args;
}

std::string Unmarked(std::string value) {
  if (!value.empty() && value.front() == kAsTyped) value.erase(value.begin());
  return value;
}
}  // namespace

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
    for (CLI::Option* option : sub->get_options()) option->transform(Unmarked);
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
    std::vector<std::string> args = MarkedArguments(argc, argv);
    app.parse(args);
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
  EscapeControlsOn(std::cout, ::isatty(STDOUT_FILENO) != 0);
  // Running out of memory ends the run as a failure, never as success.
  try {
    for (auto& s : subs)
      if (s.first->parsed()) return s.second->Run();
  } catch (const std::bad_alloc&) {
    PrintError("out of memory");
  }
  return kExitUsage;
}

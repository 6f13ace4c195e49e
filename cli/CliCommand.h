#pragma once
// A subcommand of the xref program. Each lives in its own file as a static
// instance and joins the program by constructing itself.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

// Exit codes of the program.
enum ExitCode { kExitOK = 0, kExitFinding = 1, kExitUsage = 2 };

class CliCommand {
public:
  CliCommand(const char* name, const char* description);
  virtual ~CliCommand() = default;
  // Declares the subcommand's options and arguments.
  virtual void Setup(CLI::App* sub) = 0;
  // Runs it after parsing; answers the exit code.
  virtual int Run() = 0;

  const char* Name() const { return name_; }
  const char* Description() const { return description_; }
  static std::vector<CliCommand*>& All();

private:
  const char* name_;
  const char* description_;
};

// Prints "xref: message" on standard error.
void PrintError(const std::string& message);

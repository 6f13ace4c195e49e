#pragma once
// The interactive front end over the selection suite and the menu actions.
// It reads one command a line, runs it on the current document, and shows the
// selection and what it holds afterwards. Unsaved changes are never lost
// silently: quitting with them asks (on a terminal) or is refused.
#include "headless/application/Application.h"
#include "headless/objects/Clock.h"
#include "host/UIDList.h"
#include <iosfwd>
#include <string>
#include <vector>

class IXRefSelectionSuite;

class Shell {
public:
  // `interactive`: a user answers questions on the terminal.
  Shell(Application& app, std::vector<DataBase*> docs, std::ostream& out, bool interactive);
  // Runs one line; false once the shell is to end.
  bool Execute(const std::string& line);
  // At the end of the input: true when nothing unsaved is left behind;
  // otherwise says which documents keep unsaved changes.
  bool Finish();
  // Commands that failed so far.
  int32 Failures() const { return failures_; }
  // Things done that the user should look at (a broken cross-reference).
  int32 Findings() const { return findings_; }
  void ShowSelection();

private:
  using Args = std::vector<std::string>;
  bool Run(const Args& args, std::string* error);
  bool RunSuite(const Args& args, bool* known, std::string* error);
  bool Select(const Args& args, bool caret, std::string* error);
  bool InsertOrModifyCrossRef(const Args& args, bool modify, std::string* error);
  void ReportBroken(const UIDList& before);
  bool Type(const Args& args, std::string* error);
  bool UndoRedo(bool undo, std::string* error);
  bool Save(const Args& args, std::string* error);
  bool SaveAll(const std::vector<DataBase*>& docs, std::string* error);
  bool Idle(const Args& args, std::string* error);
  bool ChooseDocument(const Args& args, std::string* error);
  void ShowMenu();
  bool Quit(bool force);
  // The changed documents: all, or only the user's.
  std::vector<DataBase*> Unsaved(bool usersOnly = false) const;
  DataBase* Front() const;

  Application& app_;
  // The documents the user named, on the command line or with `doc`, and
  // the one commands act on: opening a source for a lookup changes neither.
  std::vector<DataBase*> docs_;
  DataBase* current_;
  std::ostream& out_;
  bool interactive_;
  int32 failures_ = 0;
  int32 findings_ = 0;
};

// Splits a command line at blanks; double quotes keep blanks in a word.
std::vector<std::string> SplitCommandLine(const std::string& line, std::string* error);

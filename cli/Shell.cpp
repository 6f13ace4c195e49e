#include "cli/Shell.h"
#include "cli/DocumentWorkflow.h"
#include "cli/MenuActions.h"
#include "cli/StoryNumbers.h"
#include "headless/database/FileLock.h"
#include "headless/objects/Host.h"
#include "host/CAlert.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"
#include "host/ITextSelectionSuite.h"
#include "host/IApplication.h"
#include "host/ITextModelCmds.h"
#include "integration/IXRefSelectionSuite.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefFormats.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "host/IDocument.h"
#include <algorithm>
#include <ostream>

namespace {
using SuiteQuery = bool16 (IXRefSelectionSuite::*)();
using SuiteAction = ErrorCode (IXRefSelectionSuite::*)();

// The suite actions that take no arguments, by the shell's names.
struct PlainAction {
  const char* name;
  SuiteQuery can;
  SuiteAction run;
};
const PlainAction kPlainActions[] = {
    {"update", &IXRefSelectionSuite::CanUpdateCrossRefs, &IXRefSelectionSuite::UpdateCrossRefs},
    {"to-text", &IXRefSelectionSuite::CanConvertCrossRefsToText, &IXRefSelectionSuite::ConvertCrossRefsToText},
    {"go-to-source", &IXRefSelectionSuite::CanGoToSource, &IXRefSelectionSuite::GoToSource},
    {"delete-markers", &IXRefSelectionSuite::CanDeleteSourceMarkers, &IXRefSelectionSuite::DeleteSourceMarkers},
    {"delete-xrefs", &IXRefSelectionSuite::CanDeleteCrossRefs, &IXRefSelectionSuite::DeleteCrossRefs},
    {"grow", &IXRefSelectionSuite::CanSelectCrossRef, &IXRefSelectionSuite::SelectCrossRef},
};

const char* kHelp =
    "select STORY:START[+LENGTH] | caret STORY:INDEX | type TEXT\n"
    "insert-marker NAME | rename-marker NAME [--update]\n"
    "insert-xref MARKER FORMAT [--file PATH] [--hyperlink] | modify-xref MARKER FORMAT [...]\n"
    "update | to-text | go-to-source | delete-markers | delete-xrefs | grow | exact on|off\n"
    "menu | action NAME (or NAME) | undo | redo | save [NAME] | idle MS | doc N | quit | quit!\n";

InterfacePtr<IXRefSelectionSuite> Suite() {
  InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
  InterfacePtr<IPMUnknown> selection(manager ? manager->QueryAbstractSelection() : nullptr);
  return InterfacePtr<IXRefSelectionSuite>(selection.get(), IID_IXREFSELECTIONSUITE);
}

// The message of the error a failed action left, which is then cleared.
std::string TakeError(const char* what) {
  const ErrorCode code = ErrorUtils::PMGetGlobalErrorCode();
  PMString message = Host::Get().GlobalErrorMessage();
  if (message.IsEmpty() && code != kSuccess) message = ErrorUtils::PMGetErrorString(code);
  message.Translate();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  std::string text = std::string(what) + " failed";
  return message.IsEmpty() ? text : text + ": " + message.GetUTF8String();
}

// Another source marker of the document holds the name, ignoring case: as
// the program and scripts do, the shell refuses it, since references by
// that name would silently retarget.
bool NameTaken(IDataBase* doc, const PMString& name, const UIDList& renamed) {
  InterfacePtr<IXRefSourceMarkerList> list(doc, doc ? doc->GetRootUID() : kInvalidUID);
  InterfacePtr<IXRefSourceMarker> holder(list ? list->QueryMarkerByName(name) : nullptr);
  return holder && !renamed.Contains(::GetUID(holder.get()));
}

PMString Plain(const std::string& utf8) {
  PMString s(utf8);
  s.SetTranslatable(false);
  return s;
}
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line, std::string* error) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) *error = "unbalanced quotes";
  if (inWord) words.push_back(word);
  return words;
}

Shell::Shell(Application& app, std::vector<DataBase*> docs, std::ostream& out, bool interactive)
    : app_(app), docs_(std::move(docs)), current_(docs_.empty() ? nullptr : docs_.front()), out_(out),
      interactive_(interactive) {}

DataBase* Shell::Front() const {
  for (DataBase* doc : app_.Documents())
    if (doc == current_) return doc;
  return nullptr;
}

bool Shell::Execute(const std::string& line) {
  std::string error;
  const Args args = SplitCommandLine(line, &error);
  if (!error.empty() || args.empty() || args[0][0] == '#') {
    if (error.empty()) return true;
    ++failures_;
    out_ << "error: " << error << "\n";
    return true;
  }
  if (args[0] == "quit" || args[0] == "quit!") return !Quit(args[0] == "quit!");
  if (args[0] == "help") {
    out_ << kHelp;
    return true;
  }
  if (Front()) app_.SetFrontDocument(Front());
  if (!Run(args, &error)) {
    ++failures_;
    out_ << "error: " << error << "\n";
  }
  // A source document the command opened came to the front; the user's
  // document stays the one the next command acts on.
  if (Front()) app_.SetFrontDocument(Front());
  ShowSelection();
  return true;
}

bool Shell::Run(const Args& args, std::string* error) {
  const std::string& cmd = args[0];
  if (!Front()) {
    *error = "no document is open";
    return false;
  }
  if (cmd == "select" || cmd == "caret") return Select(args, cmd == "caret", error);
  if (cmd == "type") return Type(args, error);
  if (cmd == "undo" || cmd == "redo") return UndoRedo(cmd == "undo", error);
  if (cmd == "save") return Save(args, error);
  if (cmd == "idle") return Idle(args, error);
  if (cmd == "doc") return ChooseDocument(args, error);
  if (cmd == "menu") {
    ShowMenu();
    return true;
  }
  if (cmd == "exact") {
    InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
    if (!manager || args.size() != 2 || (args[1] != "on" && args[1] != "off")) {
      *error = "exact takes on or off";
      return false;
    }
    manager->SetExactSelection(args[1] == "on");
    return true;
  }
  bool known = false;
  const bool ok = RunSuite(args, &known, error);
  if (known) return ok;
  const bool named = cmd == "action" && args.size() == 2;
  const MenuAction* action = FindMenuAction(named ? args[1] : cmd);
  if (!action || (!named && args.size() != 1)) {
    *error = "unknown command '" + cmd + "' (try help)";
    return false;
  }
  if (!RunMenuAction(&app_, *action, error)) return false;
  out_ << action->name << " done\n";
  return true;
}

bool Shell::RunSuite(const Args& args, bool* known, std::string* error) {
  *known = true;
  InterfacePtr<IXRefSelectionSuite> suite = Suite();
  if (!suite) {
    *error = "the selection suite is not available";
    return false;
  }
  const std::string& cmd = args[0];
  for (const PlainAction& a : kPlainActions) {
    if (cmd != a.name) continue;
    if (args.size() != 1) {
      *error = cmd + " takes no arguments";
      return false;
    }
    if (!((*suite).*a.can)()) {
      *error = cmd + " is not possible with this selection";
      return false;
    }
    if (((*suite).*a.run)() == kSuccess) return true;
    *error = TakeError(a.name);
    return false;
  }
  if (cmd == "insert-marker" || cmd == "rename-marker") {
    const bool rename = cmd == "rename-marker";
    const bool update = args.size() == 3 && args[2] == "--update";
    if (args.size() < 2 || (args.size() == 3 && !update) || args.size() > 3 || (!rename && update)) {
      *error = cmd + " takes a NAME" + (rename ? " [--update]" : "");
      return false;
    }
    if (!(rename ? suite->CanModifySourceMarker() : suite->CanInsertSourceMarker())) {
      *error = cmd + " is not possible with this selection";
      return false;
    }
    if (NameTaken(Front(), Plain(args[1]), rename ? suite->GetSelectedSourceMarkers() : UIDList())) {
      *error = "a source marker named \"" + args[1] + "\" exists already";
      return false;
    }
    const ErrorCode result =
        rename ? suite->ModifySourceMarker(Plain(args[1]), update) : suite->InsertSourceMarker(Plain(args[1]));
    if (result == kSuccess) return true;
    *error = TakeError(cmd.c_str());
    return false;
  }
  if (cmd == "insert-xref" || cmd == "modify-xref") return InsertOrModifyCrossRef(args, cmd == "modify-xref", error);
  *known = false;
  return false;
}

bool Shell::InsertOrModifyCrossRef(const Args& args, bool modify, std::string* error) {
  const std::string usage = args[0] + " takes MARKER FORMAT [--file PATH] [--hyperlink]";
  if (args.size() < 3) {
    *error = usage;
    return false;
  }
  std::string file;
  bool hyperlink = false;
  for (size_t i = 3; i < args.size(); ++i) {
    if (args[i] == "--hyperlink") hyperlink = true;
    else if (args[i] == "--file" && i + 1 < args.size()) file = AbsolutePath(args[++i]);
    else {
      *error = usage;
      return false;
    }
  }
  InterfacePtr<IDocument> document(Front(), kRootUID);
  InterfacePtr<IXRefFormats> formats(document ? document->GetDocWorkspace() : UIDRef());
  const int32 index = formats ? formats->FindFormat(Plain(args[2])) : -1;
  if (index < 0) {
    *error = "the document has no format named '" + args[2] + "'";
    return false;
  }
  InterfacePtr<IXRefSelectionSuite> suite = Suite();
  if (!(modify ? suite->CanModifyCrossRef() : suite->CanInsertCrossRef())) {
    *error = args[0] + " is not possible with this selection";
    return false;
  }
  const IDFile source(file);
  const PMString marker = Plain(args[1]), name = formats->GetFormatName(index),
                 markup = formats->GetFormatString(index);
  const UIDList before = CrossRefsOf(Front());
  const ErrorCode result = modify ? suite->ModifyCrossRef(source, marker, name, markup, hyperlink)
                                  : suite->InsertCrossRef(source, marker, name, markup, hyperlink);
  if (result != kSuccess) {
    *error = TakeError(args[0].c_str());
    return false;
  }
  ReportBroken(before);
  return true;
}

// A cross-reference made to a marker that cannot be found is kept, as it
// may come later, but never passes unmentioned.
void Shell::ReportBroken(const UIDList& before) {
  const UIDList after = CrossRefsOf(Front());
  for (int32 i = 0; i < after.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> crossRef(after.GetRef(i), IID_IXREFCROSSREF);
    if (before.Contains(after.At(i)) || !crossRef || crossRef->GetSourceState() <= 0) continue;
    ++findings_;
    out_ << "warning: the cross-reference to \"" << crossRef->GetSourceMarkerName().GetUTF8String()
         << "\" is broken: " << crossRef->GetSourceStateMessage().GetUTF8String() << "\n";
  }
}

bool Shell::Select(const Args& args, bool caret, std::string* error) {
  int32 number = 0, length = 0;
  TextIndex start = 0;
  UID story = kInvalidUID;
  if (args.size() != 2 || !ParsePlace(args[1], &number, &start, &length) || (caret && length != 0)) {
    *error = caret ? "caret takes STORY:INDEX" : "select takes STORY:START[+LENGTH]";
    return false;
  }
  if (!StoryOfPlace(Front(), number, &story, error)) return false;
  InterfacePtr<ISelectionManager> manager(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
  InterfacePtr<IPMUnknown> selection(manager ? manager->QueryAbstractSelection() : nullptr);
  InterfacePtr<ITextSelectionSuite> text(selection.get(), IID_ITEXTSELECTIONSUITE);
  if (text && text->SetTextSelection(UIDRef(Front(), story), RangeData(start, start + length))) return true;
  *error = args[1] + " lies outside the story";
  return false;
}

// Typing replaces the selection, as one undo step, and leaves the caret
// after the text.
bool Shell::Type(const Args& args, std::string* error) {
  ISession* session = GetExecutionContextSession();
  IActiveContext* context = session ? session->GetActiveContext() : nullptr;
  UIDRef story;
  TextIndex start = 0, end = 0;
  if (args.size() != 2 || args[1].empty()) {
    *error = "type takes TEXT (in quotes when it has blanks)";
    return false;
  }
  if (!context || !context->GetTextSelection(&story, &start, &end)) {
    *error = "nothing is selected";
    return false;
  }
  InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
  const WideString text = WideString::FromUTF8(args[1]);
  {
    CmdUtils::SequenceContext sequence{Plain("Typing")};
    InterfacePtr<ICommand> del(cmds && end > start ? cmds->DeleteCmd(start, end - start) : nullptr);
    InterfacePtr<ICommand> insert(cmds ? cmds->InsertCmd(start, text) : nullptr);
    if (!insert || (del && CmdUtils::ProcessCommand(del.get()) != kSuccess) ||
        CmdUtils::ProcessCommand(insert.get()) != kSuccess) {
      *error = TakeError("type");
      return false;
    }
  }
  context->SelectText(story, start + text.Length(), start + text.Length());
  return true;
}

bool Shell::UndoRedo(bool undo, std::string* error) {
  DataBase* doc = Front();
  if (undo ? doc->Undo() : doc->Redo()) return true;
  *error = undo ? "nothing to undo" : "nothing to redo";
  return false;
}

// `save` writes the user's documents that changed; `save NAME` writes the
// open document of that file name or path, whichever it is.
bool Shell::Save(const Args& args, std::string* error) {
  std::vector<DataBase*> chosen = Unsaved(true);
  if (args.size() > 2) {
    *error = "save takes at most a document's NAME";
    return false;
  }
  if (args.size() == 2) {
    chosen.clear();
    for (DataBase* doc : app_.Documents())
      if (app_.DocumentName(doc) == args[1] || app_.DocumentPath(doc) == AbsolutePath(args[1])) chosen.push_back(doc);
    if (chosen.empty()) {
      *error = "no open document is named " + args[1];
      return false;
    }
  }
  return SaveAll(chosen, error);
}

bool Shell::SaveAll(const std::vector<DataBase*>& docs, std::string* error) {
  for (DataBase* doc : docs) {
    if (!FileLock::Acquire(app_.DocumentPath(doc), error)) return false;
    if (!app_.SaveDocument(doc, error)) return false;
    out_ << "saved " << app_.DocumentPath(doc) << "\n";
  }
  return true;
}

bool Shell::Idle(const Args& args, std::string* error) {
  long ms = -1;
  try {
    ms = args.size() == 2 ? std::stol(args[1]) : -1;
  } catch (...) {
    ms = -1;
  }
  if (ms < 0 || ms > 3600 * 1000) {
    *error = "idle takes MS, from 0 to 3600000";
    return false;
  }
  app_.Idle().RunFor(static_cast<uint32>(ms));
  return true;
}

// Any open document, in the order they were opened: those named on the
// command line, then the sources lookups opened. A chosen one becomes one
// of the user's documents.
bool Shell::ChooseDocument(const Args& args, std::string* error) {
  const std::vector<DataBase*> open = app_.Documents();
  size_t n = open.size();
  try {
    n = args.size() == 2 && args[1].find_first_not_of("0123456789") == std::string::npos ? std::stoul(args[1])
                                                                                          : open.size();
  } catch (...) {
  }
  if (n >= open.size()) {
    *error = "doc takes a number from 0 to " + std::to_string(open.size() - 1) + ":";
    for (size_t i = 0; i < open.size(); ++i) *error += " " + std::to_string(i) + " " + app_.DocumentName(open[i]);
    return false;
  }
  current_ = open[n];
  if (std::find(docs_.begin(), docs_.end(), current_) == docs_.end()) docs_.push_back(current_);
  app_.SetFrontDocument(current_);
  return true;
}

void Shell::ShowMenu() {
  const ActionStateList states = MenuStates(&app_);
  for (int32 i = 0; i < states.Length(); ++i)
    out_ << "  " << MenuActions()[static_cast<size_t>(i)].name << ": " << MenuText(states, i)
         << (states.IsNthActionEnabled(i) ? "" : " (disabled)") << "\n";
}

std::vector<DataBase*> Shell::Unsaved(bool usersOnly) const {
  std::vector<DataBase*> unsaved;
  for (DataBase* doc : app_.Documents())
    if (doc->IsModified() && (!usersOnly || std::find(docs_.begin(), docs_.end(), doc) != docs_.end()))
      unsaved.push_back(doc);
  return unsaved;
}

// True when the shell may end.
bool Shell::Quit(bool force) {
  const std::vector<DataBase*> unsaved = Unsaved();
  if (unsaved.empty() || force) return true;
  std::string names;
  for (DataBase* doc : unsaved) names += (names.empty() ? "" : ", ") + app_.DocumentName(doc);
  if (!interactive_) {
    out_ << "unsaved changes in " << names << ": save them (save NAME), or quit! to discard them\n";
    return false;
  }
  const int16 answer = CAlert::ModalAlert(Plain("Save the changes to " + names + " before quitting?"),
                                          Plain("Save"), Plain("Discard"), Plain("Cancel"), 3);
  if (answer == 2) return true;
  if (answer != 1) return false;
  std::string error;
  if (SaveAll(unsaved, &error)) return true;
  out_ << "error: " << error << "\n";
  return false;
}

bool Shell::Finish() {
  if (Quit(false)) return true;
  std::string names;
  for (DataBase* doc : Unsaved()) names += (names.empty() ? "" : ", ") + app_.DocumentName(doc);
  out_ << "error: the input ended with unsaved changes in " << names << "; they were not saved\n";
  return false;
}

#pragma once
// What the commands that work on documents share: opening them (and the
// documents that hold their sources), where a changed document goes
// (-o OUT or --in-place), writing it atomically, the progress bar, and
// finding a document's cross-references.
#include "cli/AppSession.h"
#include "headless/application/Application.h"
#include "host/ICommand.h"
#include "host/UIDList.h"
#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct WriteOptions {
  std::string output;
  bool inPlace = false;
};
void AddWriteOptions(CLI::App* sub, WriteOptions* options);
bool WritesDocuments(const WriteOptions& options);
// -o needs exactly one document; one of the two must be given (else the
// message says that nothing is written).
bool CheckWriteOptions(const WriteOptions& options, size_t documents, std::string* error);
// Whether writing the document over `target` would change that file: false
// when it holds what would be written already, the update times of
// cross-references aside (recomposing a text to what it was restamps it,
// and that alone is no change worth a new file).
bool WouldChangeFile(DataBase* doc, const std::string& target);
// Writes to -o or over the file it was opened from, unless that file holds
// the same already (WouldChangeFile): then its bytes and time stay, and
// `written` (when given) says false. The host writes a temporary file and
// renames it, so a failure leaves the old file whole.
bool WriteDocument(Application& app, DataBase* doc, const std::string& path, const WriteOptions& options,
                   std::string* error, bool* written = nullptr);
// For commands that may run without writing: says on standard error that
// the changes to the document at `path` were not written.
void SayNotWritten(const std::string& path);

// Takes the lock of each file the command will write, held to the end of
// the run, so that a second writer waits instead of losing a change; false,
// with the message on standard error, when another process keeps one.
bool LockForWriting(const std::vector<std::string>& paths);
// The files a command writes: -o OUT, or each document in place.
std::vector<std::string> WriteTargets(const std::vector<std::string>& documents, const WriteOptions& options);

// Starts a session (progress bars drawn on a terminal when asked) and opens
// each document in order, having first locked the files the command will
// write (`writes`); null, with the message on standard error, when a lock
// cannot be had, the session cannot start or a document cannot be opened.
std::unique_ptr<Application> StartWithDocuments(const SessionOptions& options, const std::vector<std::string>& paths,
                                                std::vector<DataBase*>* docs, bool drawProgress = false,
                                                const std::vector<std::string>& writes = {});
// Opens the source documents that the document's external cross-references
// name, through the lookup an update uses (stored path, relative path, an
// open document of the same file name), so that what a report finds is what
// an update would find.
void OpenSourceDocuments(DataBase* doc);
// Progress bars are drawn on standard error only when it is a terminal.
void DrawProgressOnTerminal(Application& app);

// The document's cross-references in list order.
UIDList CrossRefsOf(IDataBase* doc);
// The cross-reference whose range (with its marker characters) holds the
// index of the story; kInvalidUID when none.
UID CrossRefAt(IDataBase* doc, UID story, TextIndex at);
// "STORY:INDEX" or "STORY:START+LENGTH"; false for anything else.
bool ParsePlace(const std::string& text, int32* storyNumber, TextIndex* start, int32* length);
// The story a place names, by its number; false with a message when the
// document has no such story.
bool StoryOfPlace(IDataBase* doc, int32 storyNumber, UID* story, std::string* error);

// Opens the document, runs the change and writes the result. The change
// answers an exit code; kExitOK and kExitFinding write, anything else
// leaves every file as it was. Messages go to standard error.
using DocumentChange = std::function<int(Application& app, DataBase* doc, std::string* error)>;
int ChangeDocument(const std::string& path, const WriteOptions& options, const DocumentChange& change);
// Runs a plug-in command and reports its error as a message.
bool RunCommand(ICommand* cmd, std::string* error);
// The path made absolute against the working folder; empty stays empty.
std::string AbsolutePath(const std::string& path);

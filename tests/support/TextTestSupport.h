#pragma once
// Helpers for text tests: stories made from plain text, a story's state as
// bytes, and commands run through the story's text-editing interface.
#include "headless/database/DataBase.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include <string>

// A new story holding the text; each "\r" in it starts a new paragraph (the
// story's own final return comes on top).
UID MakeStory(DataBase* db, const std::string& utf8);
// The story's text as UTF-8, final return included.
std::string StoryText(IDataBase* db, UID story);
// The serialized state of the story object and each of its strands.
std::string StoryState(DataBase* db, UID story);
// The whole database as a file would hold it.
std::string DocumentBytes(DataBase* db);
InterfacePtr<ITextModelCmds> CmdsOf(IDataBase* db, UID story);
// Processes the command (adopting the reference) and answers its result;
// kInvalidParameterError when there is no command.
ErrorCode Process(ICommand* cmd);

template <class I>
InterfacePtr<I> StrandOf(IDataBase* db, UID story, ClassID cls) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  return InterfacePtr<I>(model ? static_cast<I*>(model->QueryStrand(cls, I::kDefaultIID)) : nullptr);
}

#include "tests/support/TextTestSupport.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/database/DocumentFile.h"
#include "headless/text/TextModelImpl.h"
#include "host/CmdUtils.h"

UID MakeStory(DataBase* db, const std::string& utf8) {
  DocumentBuilder builder(db);
  UID story = builder.NewStory();
  size_t from = 0;
  while (true) {
    size_t end = utf8.find('\r', from);
    builder.AddParagraph(story);
    std::string part = utf8.substr(from, end == std::string::npos ? std::string::npos : end - from);
    if (!part.empty()) builder.AddRun(story, WideString::FromUTF8(part));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return story;
}

std::string StoryText(IDataBase* db, UID story) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  return model ? model->CopyText(0, model->TotalLength()).GetUTF8String() : std::string();
}

std::string StoryState(DataBase* db, UID story) {
  std::string state;
  auto append = [&](UID uid) {
    for (auto& impl : db->SerializeObject(uid)) state += std::to_string(IdValue(impl.first)) + ":" + impl.second;
  };
  append(story);
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  if (!model) return state;
  for (ClassID cls : TextModelImpl::kStrandClasses)
    append(static_cast<TextModelImpl*>(model.get())->StrandUID(cls));
  return state;
}

std::string DocumentBytes(DataBase* db) { return DocumentFile::Serialize(*db, DocumentFile::kDocument); }

InterfacePtr<ITextModelCmds> CmdsOf(IDataBase* db, UID story) {
  return InterfacePtr<ITextModelCmds>(db, story, IID_ITEXTMODELCMDS);
}

ErrorCode Process(ICommand* cmd) {
  InterfacePtr<ICommand> held(cmd);
  return held ? CmdUtils::ProcessCommand(held.get()) : kInvalidParameterError;
}

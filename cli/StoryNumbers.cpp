#include "cli/StoryNumbers.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRefList.h"
#include <cctype>

int32 StoryNumber(IDataBase* doc, UID story) {
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i)
    if (stories->GetNthStoryUID(i) == story) return i;
  return -1;
}

UID StoryWithNumber(IDataBase* doc, int32 number) {
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  if (!stories || number < 0 || number >= stories->GetStoryCount()) return kInvalidUID;
  return stories->GetNthStoryUID(number);
}

int32 StoryLength(IDataBase* doc, UID story) {
  InterfacePtr<ITextModel> model(doc, story, IID_ITEXTMODEL);
  return model ? model->TotalLength() - 1 : -1;
}

int32 CrossRefNumber(IDataBase* doc, UID crossRef) {
  InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
  for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i)
    if (list->GetCrossRefUID(i) == crossRef) return i + 1;
  return -1;
}

namespace {
// A decimal number of at most nine digits, nothing else.
bool ReadNumber(const std::string& text, int32* out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  *out = std::stoi(text);
  return true;
}
}  // namespace

bool ParseStoryPosition(IDataBase* doc, const std::string& text, StoryPosition* out, std::string* error) {
  const size_t colon = text.find(':');
  int32 number = -1, index = -1;
  if (colon == std::string::npos || !ReadNumber(text.substr(0, colon), &number) ||
      !ReadNumber(text.substr(colon + 1), &index)) {
    *error = text + ": expected STORY:INDEX, two numbers from 0";
    return false;
  }
  const UID story = StoryWithNumber(doc, number);
  const int32 length = StoryLength(doc, story);
  if (length < 0) {
    *error = text + ": the document has no story " + std::to_string(number) + " (see xref describe)";
    return false;
  }
  if (index > length) {
    *error = text + ": story " + std::to_string(number) + " has " + std::to_string(length) +
             " characters before its closing return, so INDEX goes from 0 to " + std::to_string(length);
    return false;
  }
  *out = {story, index};
  return true;
}

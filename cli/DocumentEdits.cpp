#include "cli/DocumentEdits.h"
#include "cli/ParagraphMove.h"
#include "host/CmdUtils.h"
#include "host/IStoryList.h"
#include "host/IStoryLock.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/WideString.h"
#include <sstream>

namespace {
using nlohmann::json;

bool ToInt(const std::string& word, int32* out) {
  if (word.empty() || word.size() > 9) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  *out = std::stoi(word);
  return true;
}

// Splits at the first `parts - 1` colons; the last part keeps any colons.
std::vector<std::string> Split(const std::string& spec, size_t parts) {
  std::vector<std::string> result;
  size_t from = 0;
  while (result.size() + 1 < parts) {
    const size_t colon = spec.find(':', from);
    if (colon == std::string::npos) break;
    result.push_back(spec.substr(from, colon - from));
    from = colon + 1;
  }
  result.push_back(spec.substr(from));
  return result;
}

bool Run(ICommand* raw, const std::string& what, std::string* error) {
  InterfacePtr<ICommand> cmd(raw);
  if (!cmd) {
    *error = what + ": the story cannot be edited";
    return false;
  }
  const ErrorCode result = CmdUtils::ProcessCommand(cmd.get());
  if (result == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  *error = what + (result == kStoryLockedError ? ": the story is locked" : ": the range is not inside the story");
  return false;
}

}  // namespace

bool ParseEdit(const std::string& kind, const std::string& spec, DocumentEdit* e, std::string* error) {
  e->kind = kind;
  const std::string what = "--" + kind + " " + spec;
  if (kind == "lock" || kind == "unlock") {
    if (ToInt(spec, &e->story)) return true;
    *error = what + ": expected STORY";
    return false;
  }
  if (kind == "move-paragraph") {
    const std::vector<std::string> parts = Split(spec, 4);
    if (parts.size() == 4 && ToInt(parts[0], &e->story) && ToInt(parts[1], &e->at) && ToInt(parts[2], &e->toStory) &&
        ToInt(parts[3], &e->before))
      return true;
    *error = what + ": expected STORY:PARAGRAPH:STORY:PARAGRAPH";
    return false;
  }
  const std::vector<std::string> parts = Split(spec, 3);
  if (parts.size() != 3 || !ToInt(parts[0], &e->story) || !ToInt(parts[1], &e->at)) {
    *error = what + ": expected STORY:INDEX:...";
    return false;
  }
  if (kind == "insert") {
    e->text = parts[2];
    if (!e->text.empty()) return true;
    *error = what + ": nothing to insert";
    return false;
  }
  if (ToInt(parts[2], &e->length)) return true;
  *error = what + ": expected a number after the second ':'";
  return false;
}

bool ParseEditScript(const json& script, std::vector<DocumentEdit>* edits, std::string* error) {
  if (!script.is_array()) {
    *error = "the edit script must be an array of edits";
    return false;
  }
  for (size_t i = 0; i < script.size(); ++i) {
    const json& entry = script[i];
    const std::string where = "edit " + std::to_string(i);
    DocumentEdit e;
    auto number = [&](const char* key, int32* out) {
      if (!entry.contains(key)) return true;
      if (entry[key].is_number_integer() && entry[key].get<int64_t>() >= 0 && entry[key].get<int64_t>() < (1 << 30)) {
        *out = static_cast<int32>(entry[key].get<int64_t>());
        return true;
      }
      *error = where + "." + key + ": expected a number from 0";
      return false;
    };
    if (!entry.is_object() || !entry.contains("edit") || !entry["edit"].is_string()) {
      *error = where + ": expected an object with \"edit\"";
      return false;
    }
    e.kind = entry["edit"].get<std::string>();
    if (e.kind != "insert" && e.kind != "delete" && e.kind != "move-paragraph" && e.kind != "lock" &&
        e.kind != "unlock") {
      *error = where + ".edit: unknown edit '" + e.kind + "'";
      return false;
    }
    if (!number("document", &e.document) || !number("story", &e.story) || !number("at", &e.at) ||
        !number("length", &e.length) || !number("paragraph", &e.at) || !number("toStory", &e.toStory) ||
        !number("before", &e.before))
      return false;
    if (e.kind == "insert") {
      if (!entry.contains("text") || !entry["text"].is_string() || entry["text"].get<std::string>().empty()) {
        *error = where + ".text: expected a non-empty string";
        return false;
      }
      e.text = entry["text"].get<std::string>();
    }
    edits->push_back(e);
  }
  return true;
}

bool ApplyEdit(DataBase* doc, const DocumentEdit& e, std::string* error) {
  if (e.kind == "move-paragraph") return MoveParagraph(doc, e, error);
  const std::string what = e.kind + " in story " + std::to_string(e.story);
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  if (!stories || e.story >= stories->GetStoryCount()) {
    *error = what + ": the document has " + std::to_string(stories ? stories->GetStoryCount() : 0) + " stories";
    return false;
  }
  const UID story = stories->GetNthStoryUID(e.story);
  if (e.kind == "lock" || e.kind == "unlock") {
    InterfacePtr<IStoryLock> lock(doc, story, IID_ISTORYLOCK);
    if (lock) lock->SetLocked(e.kind == "lock");
    return lock != nullptr;
  }
  InterfacePtr<ITextModelCmds> cmds(doc, story, IID_ITEXTMODELCMDS);
  if (!cmds) {
    *error = what + ": the story cannot be edited";
    return false;
  }
  if (e.kind == "insert") return Run(cmds->InsertCmd(e.at, WideString::FromUTF8(e.text)), what, error);
  return Run(cmds->DeleteCmd(e.at, e.length), what, error);
}

#include "cli/StoryNumbers.h"
#include "cli/CrossRefs.h"
#include "cli/FormatReason.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IErrorStringService.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include "model/IXRefSourceMarker.h"
#include <algorithm>
#include <filesystem>

namespace {
using nlohmann::json;

InterfacePtr<IXRefFormats> FormatsOf(DataBase* doc) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  return InterfacePtr<IXRefFormats>(document ? document->GetDocWorkspace() : UIDRef());
}

std::string Text(const json& fields, const char* key, const std::string& where, std::string* error) {
  if (!fields.contains(key)) return std::string();
  if (fields[key].is_string() && !fields[key].get<std::string>().empty()) return fields[key].get<std::string>();
  *error = where + "." + key + ": expected a non-empty string";
  return std::string();
}

struct Request {
  std::string source, formatName, markup, document;
};

// The placeholder's fields, checked; false with a message.
bool ReadRequest(const Placeholder& p, DataBase* doc, const std::string& folder, Request* r, std::string* error) {
  if (!p.fields.is_object()) {
    *error = p.where + ": expected an object";
    return false;
  }
  for (auto it = p.fields.begin(); it != p.fields.end(); ++it) {
    if (it.key() == "source" || it.key() == "format" || it.key() == "markup" || it.key() == "document") continue;
    *error = p.where + "." + it.key() + ": unknown field";
    return false;
  }
  r->source = Text(p.fields, "source", p.where, error);
  const std::string format = Text(p.fields, "format", p.where, error);
  r->markup = Text(p.fields, "markup", p.where, error);
  const std::string document = Text(p.fields, "document", p.where, error);
  if (!error->empty()) return false;
  if (r->source.empty()) *error = p.where + ".source: a cross-reference needs the name of its source marker";
  else if (format.empty() == r->markup.empty()) *error = p.where + ": give either \"format\" or \"markup\"";
  if (!error->empty()) return false;
  if (!format.empty()) {
    auto formats = FormatsOf(doc);
    const int32 at = formats ? formats->FindFormat(PMString(format.c_str())) : -1;
    if (at < 0) {
      *error = p.where + ".format: the document has no format named '" + format + "'";
      return false;
    }
    r->formatName = formats->GetFormatName(at).GetUTF8String();
    r->markup = formats->GetFormatString(at).GetUTF8String();
  }
  if (!r->markup.empty() && format.empty()) {
    const std::string reason = InvalidFormatReason(r->markup);
    if (!reason.empty()) {
      *error = p.where + ".markup: the mark-up is not valid: " + reason;
      return false;
    }
  }
  if (!document.empty()) {
    std::filesystem::path path(document);
    if (path.is_relative()) path = std::filesystem::path(folder) / path;
    r->document = path.lexically_normal().string();
  }
  return true;
}

// The inserted cross-reference, or null with a message when it was not made.
InterfacePtr<IXRefCrossRef> Insert(DataBase* doc, const Placeholder& p, const Request& r, std::string* error) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertCrossRefCmdBoss));
  InterfacePtr<IRangeData> range(cmd.get(), IID_IRANGEDATA);
  InterfacePtr<IFileData> file(cmd.get(), IID_IFILEDATA);
  InterfacePtr<IStringData> name(cmd.get(), IID_ISTRINGDATA);
  InterfacePtr<IXRefFormatData> format(cmd.get(), IID_IXREFFORMATDATA);
  InterfacePtr<IBoolData> hyperlink(cmd.get(), IID_IBOOLDATA);
  if (!range || !file || !name || !format || !hyperlink) {
    *error = p.where + ": the cross-reference command is missing (is the plug-in loaded?)";
    return InterfacePtr<IXRefCrossRef>();
  }
  cmd->SetItemList(UIDList(doc, p.story));
  range->Set(p.index, 0);
  file->Set(IDFile(r.document));
  name->Set(PMString(r.source.c_str()));
  format->SetFormatData(PMString(r.formatName.c_str()), PMString(r.markup.c_str()));
  const ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  InterfacePtr<IXRefCrossRef> made(cmd->GetItemList()->Length() == 1 ? cmd->GetItemList()->GetRef(0) : UIDRef());
  if (err == kSuccess && made) return made;
  *error = p.where + ": the cross-reference cannot be placed: " + ErrorUtils::PMGetErrorString(err).GetUTF8String();
  return InterfacePtr<IXRefCrossRef>();
}

std::string Visible(const PMString& s) {
  std::string text = s.GetUTF8String();
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}
}  // namespace

bool SetDocumentFormats(DataBase* doc, const json& description, std::string* error) {
  auto formats = FormatsOf(doc);
  if (!formats) {
    *error = "the document has no format list (is the plug-in loaded?)";
    return false;
  }
  // Without a list the document keeps what it got as a new document: the
  // application's formats. A list replaces them.
  if (!description.contains("formats")) return true;
  const json& list = description["formats"];
  if (!list.is_array()) {
    *error = "formats: expected an array";
    return false;
  }
  while (formats->GetFormatCount() > 0) formats->RemoveFormat(formats->GetFormatCount() - 1);
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string where = "formats[" + std::to_string(i) + "]";
    const json& entry = list[i];
    if (!entry.is_object() || entry.size() != 2 || !entry.contains("name") || !entry.contains("markup")) {
      *error = where + ": expected {\"name\": ..., \"markup\": ...}";
      return false;
    }
    const std::string name = Text(entry, "name", where, error);
    const std::string markup = Text(entry, "markup", where, error);
    if (!error->empty()) return false;
    const std::string reason = InvalidFormatReason(markup);
    if (!reason.empty()) {
      *error = where + ".markup: the mark-up of \"" + name + "\" is not valid: " + reason;
      return false;
    }
    if (formats->HasFormat(PMString(name.c_str()))) {
      *error = where + ".name: a format named '" + name + "' is already listed";
      return false;
    }
    formats->AddFormat(PMString(name.c_str()), PMString(markup.c_str()));
  }
  return true;
}

bool PlaceCrossRefs(DataBase* doc, std::vector<Placeholder>* placeholders, const std::string& folder,
                    std::string* error, std::vector<std::string>* warnings) {
  std::vector<Placeholder>& all = *placeholders;
  PlaceholderShift shift;
  for (size_t i = 0; i < all.size(); ++i) {
    shift.Reach(&all[i]);
    if (all[i].kind != "crossReference") continue;
    Request r;
    if (!ReadRequest(all[i], doc, folder, &r, error)) return false;
    InterfacePtr<IXRefCrossRef> made = Insert(doc, all[i], r, error);
    if (!made) return false;
    if (warnings && made->GetSourceState() == 1)
      warnings->push_back(all[i].where + ": " + made->GetSourceStateMessage().GetUTF8String() +
                          " The cross-reference is left empty.");
    shift.Inserted(all[i], made->GetTextLength() + 2);
  }
  all.erase(std::remove_if(all.begin(), all.end(), [](const Placeholder& p) { return p.kind == "crossReference"; }),
            all.end());
  return true;
}

void DescribeCrossRefs(IDataBase* doc, std::ostream& out) {
  InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
  for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i) {
    InterfacePtr<IXRefCrossRef> x(list->QueryCrossRef(i));
    if (!x) continue;
    // Placed by its start marker, as scripts' "index" places it.
    out << "cross-reference " << i + 1 << ": story " << StoryNumber(doc, x->GetStoryRef().GetUID()) << " at "
        << x->GetStartIndex() - 1 << ", format \""
        << (x->GetFormatName().IsEmpty() ? "(custom)" : x->GetFormatName().GetUTF8String()) << "\", source \""
        << x->GetSourceMarkerName().GetUTF8String() << "\"";
    if (x->IsExternal()) out << " in " << x->GetSourceDocument().GetPath();
    out << "\n  text: \"" << Visible(x->GetCurrentText(true)) << "\"\n";
    // Looked up afresh, opening closed source documents: a description
    // reports what holds now.
    InterfacePtr<IPMUnknown> source(x->QuerySourceMarker(true));
    out << "  source state " << x->GetSourceState() << ": " << x->GetSourceStateMessage().GetUTF8String() << "\n";
    out << "  composition state " << x->GetCompositionState() << ": "
        << x->GetCompositionStateMessage().GetUTF8String() << "\n";
  }
}

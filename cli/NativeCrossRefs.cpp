#include "cli/NativeCrossRefs.h"
#include "cli/StoryNumbers.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/IDocument.h"
#include "host/IHyperlinks.h"
#include "host/INativeCrossRefs.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextHolder.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <algorithm>

namespace {
using nlohmann::json;

const char* const kTypeNames[] = {"customText",    "fileName",        "chapterNumber", "pageNumber",
                                  "fullParagraph", "paragraphNumber", "paragraphText", "textAnchorName"};

bool Failed(std::string* error, const std::string& where, const std::string& why) {
  *error = where + ": " + why;
  return false;
}

bool KnownFields(const json& v, const std::string& where, std::initializer_list<const char*> keys, std::string* error) {
  if (!v.is_object()) return Failed(error, where, "expected an object");
  for (auto it = v.begin(); it != v.end(); ++it)
    if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return it.key() == k; }))
      return Failed(error, where + "." + it.key(), "unknown field");
  return true;
}

// A non-empty string field; `required` says whether it may be missing.
bool TextField(const json& v, const char* key, const std::string& where, bool required, std::string* out,
               std::string* error) {
  if (!v.contains(key)) return !required || Failed(error, where + "." + key, "required");
  if (!v[key].is_string() || v[key].get<std::string>().empty())
    return Failed(error, where + "." + key, "expected a non-empty string");
  *out = v[key].get<std::string>();
  return true;
}

UID CharacterStyle(IDataBase* doc, const std::string& path) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  InterfacePtr<IStyleGroupManager> styles(document ? document->GetDocWorkspace() : UIDRef(),
                                          IID_ICHARSTYLEGROUPMANAGER);
  std::u16string name = WideString::FromUTF8(path).Units();
  std::replace(name.begin(), name.end(), u':', char16_t(0xE00B));
  return styles ? styles->FindByName(PMString(WideString(name))) : kInvalidUID;
}

bool ReadBlock(IDataBase* doc, const json& v, const std::string& where, XRefBuildingBlock* block, std::string* error) {
  std::string type, text, style;
  if (!KnownFields(v, where, {"type", "text", "characterStyle"}, error) ||
      !TextField(v, "type", where, true, &type, error) || !TextField(v, "characterStyle", where, false, &style, error))
    return false;
  const auto* name = std::find(std::begin(kTypeNames), std::end(kTypeNames), type);
  if (name == std::end(kTypeNames)) return Failed(error, where + ".type", "no building block named '" + type + "'");
  block->SetType(static_cast<int32>(name - std::begin(kTypeNames)));
  if (v.contains("text")) {
    if (!v["text"].is_string()) return Failed(error, where + ".text", "expected a string");
    if (block->GetType() != XRefBuildingBlock::kCustomText) return Failed(error, where + ".text", "only custom text has text");
    block->SetCustomText(PMString(WideString::FromUTF8(v["text"].get<std::string>())));
  }
  if (!style.empty()) {
    block->SetCharacterStyle(CharacterStyle(doc, style));
    if (block->GetCharacterStyle() == kInvalidUID)
      return Failed(error, where + ".characterStyle", "no character style named '" + style + "'");
  }
  return true;
}

bool PlaceAnchor(DataBase* doc, const Placeholder& p, std::string* error) {
  std::string name;
  if (!KnownFields(p.fields, p.where, {"name"}, error) || !TextField(p.fields, "name", p.where, true, &name, error))
    return false;
  InterfacePtr<IHyperlinkList> list(doc, kRootUID);
  if (list && list->FindDestination(PMString(name.c_str())) != kInvalidUID)
    return Failed(error, p.where + ".name", "a text anchor named '" + name + "' is already placed");
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  if (!utils || utils->CreateTextAnchorDestination(UIDRef(doc, p.story), p.index, PMString(name.c_str())).GetUID() ==
                    kInvalidUID)
    return Failed(error, p.where, "a text anchor cannot stand here (another one does)");
  return true;
}

// The length of text the cross-reference put in, or -1.
int32 PlaceCrossRef(DataBase* doc, const Placeholder& p, std::string* error) {
  std::string destination, format, text;
  if (!KnownFields(p.fields, p.where, {"destination", "format", "text"}, error) ||
      !TextField(p.fields, "destination", p.where, true, &destination, error) ||
      !TextField(p.fields, "format", p.where, true, &format, error) ||
      !TextField(p.fields, "text", p.where, false, &text, error))
    return -1;
  InterfacePtr<IHyperlinkList> links(doc, kRootUID);
  InterfacePtr<IBasicXRefFormatList> formats(doc, kRootUID);
  const UID target = links ? links->FindDestination(PMString(destination.c_str())) : kInvalidUID;
  const UID basic = formats ? formats->FindFormat(PMString(format.c_str())) : kInvalidUID;
  if (target == kInvalidUID) return Failed(error, p.where + ".destination", "no text anchor named '" + destination + "'"), -1;
  if (basic == kInvalidUID) return Failed(error, p.where + ".format", "no Basic format named '" + format + "'"), -1;
  const UIDRef story(doc, p.story);
  if (!text.empty()) {
    InterfacePtr<ITextModelCmds> cmds(story, IID_ITEXTMODELCMDS);
    InterfacePtr<ICommand> insert(cmds ? cmds->InsertCmd(p.index, WideString::FromUTF8(text)) : nullptr);
    if (!insert || CmdUtils::ProcessCommand(insert.get()) != kSuccess) return Failed(error, p.where, "the text cannot be added"), -1;
  }
  const int32 length = WideString::FromUTF8(text).Length();
  InterfacePtr<INativeCrossRefUtils> natives(UtilsBoss::QueryUtils<INativeCrossRefUtils>());
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  const UIDRef source = natives->CreateCrossRefSource(story, p.index, length, basic);
  const UID link = source.GetUID() == kInvalidUID
                       ? kInvalidUID
                       : utils->CreateHyperlink(source, UIDRef(doc, target), PMString(destination.c_str()), false).GetUID();
  if (link == kInvalidUID) return Failed(error, p.where, "the native cross-reference cannot be made here"), -1;
  if (!text.empty()) return length;
  if (natives->UpdateCrossRefs(UIDList(doc, link)) != kSuccess) return Failed(error, p.where, "its text cannot be composed"), -1;
  InterfacePtr<ITextHolder> range(source, IID_ITEXTHOLDER);
  return range->GetLength();
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
}  // namespace

std::string DescribedStylePath(IDataBase* doc, UID style) {
  InterfacePtr<IStyleInfo> info(doc, style, IID_ISTYLEINFO);
  if (!info) return "?";
  std::u16string path = info->GetFullPath().Units();
  std::replace(path.begin(), path.end(), char16_t(0xE00B), u':');
  return WideString(path).GetUTF8String();
}

nlohmann::ordered_json ExportBasicFormats(IDataBase* doc) {
  using ordered = nlohmann::ordered_json;
  ordered list = ordered::array();
  InterfacePtr<IBasicXRefFormatList> formats(doc, kRootUID);
  for (int32 i = 0; formats && i < formats->GetFormatCount(); ++i) {
    InterfacePtr<IBasicXRefFormat> format(doc, formats->GetNthFormat(i));
    if (!format) continue;
    ordered blocks = ordered::array();
    for (const XRefBuildingBlock& b : format->GetBuildingBlocks()) {
      if (b.GetType() < 0 || b.GetType() > 7) continue;
      ordered block = {{"type", kTypeNames[b.GetType()]}};
      if (b.GetType() == XRefBuildingBlock::kCustomText) block["text"] = b.GetCustomText().GetUTF8String();
      if (b.GetCharacterStyle() != kInvalidUID) block["characterStyle"] = DescribedStylePath(doc, b.GetCharacterStyle());
      blocks.push_back(block);
    }
    list.push_back({{"name", format->GetName().GetUTF8String()}, {"blocks", blocks}});
  }
  return list;
}

bool SetBasicFormats(DataBase* doc, const json& description, std::string* error) {
  if (!description.is_object() || !description.contains("basicFormats")) return true;
  const json& all = description["basicFormats"];
  if (!all.is_array()) return Failed(error, "basicFormats", "expected a list");
  InterfacePtr<IBasicFormatUtils> utils(UtilsBoss::QueryUtils<IBasicFormatUtils>());
  InterfacePtr<IBasicXRefFormatList> list(doc, kRootUID);
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string where = "basicFormats[" + std::to_string(i) + "]";
    std::string name;
    if (!KnownFields(all[i], where, {"name", "blocks"}, error) || !TextField(all[i], "name", where, true, &name, error))
      return false;
    if (list->FindFormat(PMString(name.c_str())) != kInvalidUID)
      return Failed(error, where + ".name", "a Basic format named '" + name + "' is already listed");
    std::vector<XRefBuildingBlock> blocks;
    const json empty = json::array();
    const json& given = all[i].contains("blocks") ? all[i]["blocks"] : empty;
    if (!given.is_array()) return Failed(error, where + ".blocks", "expected a list");
    for (size_t b = 0; b < given.size(); ++b) {
      XRefBuildingBlock block;
      if (!ReadBlock(doc, given[b], where + ".blocks[" + std::to_string(b) + "]", &block, error)) return false;
      blocks.push_back(block);
    }
    if (utils->CreateBasicFormat(doc, PMString(name.c_str()), blocks) == kInvalidUID)
      return Failed(error, where, "the Basic format cannot be made");
  }
  return true;
}

bool PlaceNativeCrossRefs(DataBase* doc, std::vector<Placeholder>* placeholders, std::string* error) {
  std::vector<Placeholder>& all = *placeholders;
  for (const Placeholder& p : all)
    if (p.kind == "textAnchor" && !PlaceAnchor(doc, p, error)) return false;
  PlaceholderShift shift;
  for (Placeholder& p : all) {
    shift.Reach(&p);
    if (p.kind != "nativeCrossReference") continue;
    const int32 length = PlaceCrossRef(doc, p, error);
    if (length < 0) return false;
    shift.Inserted(p, length);
  }
  all.erase(std::remove_if(all.begin(), all.end(),
                           [](const Placeholder& p) { return p.kind == "textAnchor" || p.kind == "nativeCrossReference"; }),
            all.end());
  return true;
}

std::vector<NativeCrossRefEntry> ListNativeCrossRefs(IDataBase* doc) {
  std::vector<NativeCrossRefEntry> entries;
  InterfacePtr<IHyperlinkList> list(doc, kRootUID);
  InterfacePtr<INativeCrossRefUtils> natives(UtilsBoss::QueryUtils<INativeCrossRefUtils>());
  for (int32 i = 0; list && natives && i < list->GetHyperlinkCount(); ++i) {
    InterfacePtr<IHyperlink> link(doc, list->GetNthHyperlink(i));
    InterfacePtr<ITextHolder> range(doc, link ? link->GetSourceUID() : kInvalidUID, IID_ITEXTHOLDER);
    InterfacePtr<IHyperlinkCrossRefSource> source(range.get(), IID_IHYPERLINKCROSSREFSOURCE);
    if (!source) continue;
    NativeCrossRefEntry e;
    e.story = range->GetStoryUID();
    e.start = range->GetStart();
    e.length = range->GetLength();
    InterfacePtr<ITextModel> model(doc, e.story, IID_ITEXTMODEL);
    if (model) e.text = model->CopyText(e.start, e.length).GetUTF8String();
    InterfacePtr<IBasicXRefFormat> format(doc, source->GetFormatUID(), IID_IBASICXREFFORMAT);
    InterfacePtr<IHyperlinkDestination> destination(doc, link->GetDestinationUID(), IID_IHYPERLINKDESTINATION);
    if (format) e.format = format->GetName().GetUTF8String();
    if (destination && destination->GetIndex() >= 0) e.destination = destination->GetName().GetUTF8String();
    e.composed = natives->ComposeText(doc, source->GetFormatUID(), link->GetDestinationUID()).GetUTF8String();
    entries.push_back(e);
  }
  return entries;
}

void DescribeNativeCrossRefs(IDataBase* doc, std::ostream& out) {
  InterfacePtr<IBasicXRefFormatList> formats(doc, kRootUID);
  for (int32 i = 0; formats && i < formats->GetFormatCount(); ++i) {
    InterfacePtr<IBasicXRefFormat> format(doc, formats->GetNthFormat(i));
    if (!format) continue;
    out << "Basic format " << Quoted(format->GetName().GetUTF8String()) << ":";
    for (const XRefBuildingBlock& b : format->GetBuildingBlocks()) {
      const int32 type = b.GetType();
      out << " " << (type >= 0 && type <= 7 ? kTypeNames[type] : "none");
      if (type == XRefBuildingBlock::kCustomText) out << " " << Quoted(b.GetCustomText().GetUTF8String());
      if (b.GetCharacterStyle() != kInvalidUID) out << " [" << DescribedStylePath(doc, b.GetCharacterStyle()) << "]";
      out << ";";
    }
    out << "\n";
  }
  int32 n = 0;
  for (const NativeCrossRefEntry& e : ListNativeCrossRefs(doc)) {
    out << "native cross-reference " << ++n << ": story " << StoryNumber(doc, e.story) << " at " << e.start
        << " length " << e.length << ", format " << (e.format.empty() ? "(gone)" : Quoted(e.format)) << ", to "
        << (e.destination.empty() ? "(gone)" : Quoted(e.destination)) << ", text " << Quoted(e.text)
        << (e.text == e.composed ? "" : ", out of date") << "\n";
  }
}

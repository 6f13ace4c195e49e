#include "cli/SourceMarkers.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IErrorStringService.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include <algorithm>

namespace {
// The marker's name from its placeholder's fields; empty with a message when
// they are not usable.
std::string MarkerName(const Placeholder& p, std::string* error) {
  if (!p.fields.is_object()) {
    *error = p.where + ": expected an object";
    return std::string();
  }
  for (auto it = p.fields.begin(); it != p.fields.end(); ++it) {
    if (it.key() == "name") continue;
    *error = p.where + "." + it.key() + ": unknown field";
    return std::string();
  }
  if (!p.fields.contains("name") || !p.fields["name"].is_string() || p.fields["name"].get<std::string>().empty()) {
    *error = p.where + ".name: a source marker needs a name";
    return std::string();
  }
  return p.fields["name"].get<std::string>();
}

std::string Why(ErrorCode err) {
  if (err == kStoryLockedError) return "the story is locked";
  if (err == kTextRangeError) return "the position is outside the story";
  return ErrorUtils::PMGetErrorString(err).GetUTF8String();
}

bool Insert(DataBase* doc, const Placeholder& p, const std::string& name, std::string* error) {
  InterfacePtr<IXRefSourceMarkerList> list(doc, kRootUID);
  if (!list) {
    *error = p.where + ": the document has no source-marker list (is the plug-in loaded?)";
    return false;
  }
  if (list->HasMarker(PMString(name.c_str()))) {
    *error = p.where + ".name: a source marker named '" + name + "' is already placed";
    return false;
  }
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
  InterfacePtr<IRangeData> range(cmd.get(), IID_IRANGEDATA);
  InterfacePtr<IStringData> text(cmd.get(), IID_ISTRINGDATA);
  if (!range || !text) {
    *error = p.where + ": the source-marker command is missing (is the plug-in loaded?)";
    return false;
  }
  cmd->SetItemList(UIDList(doc, p.story));
  range->Set(p.index, 0);
  text->Set(PMString(name.c_str()));
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  if (err == kSuccess && cmd->GetItemList()->Length() == 1) return true;
  *error = p.where + ": the source marker '" + name + "' cannot be placed: " + Why(err);
  return false;
}
}  // namespace

bool PlaceSourceMarkers(DataBase* doc, std::vector<Placeholder>* placeholders, std::string* error) {
  std::vector<Placeholder>& all = *placeholders;
  PlaceholderShift shift;
  for (Placeholder& p : all) {
    shift.Reach(&p);
    if (p.kind != "sourceMarker") continue;
    const std::string name = MarkerName(p, error);
    if (name.empty() || !Insert(doc, p, name, error)) return false;
    // The anchor character went in before whatever the later placeholders mark.
    shift.Inserted(p, 1);
  }
  all.erase(std::remove_if(all.begin(), all.end(), [](const Placeholder& p) { return p.kind == "sourceMarker"; }),
            all.end());
  return true;
}

std::vector<SourceMarkerEntry> ListSourceMarkers(IDataBase* doc) {
  std::vector<SourceMarkerEntry> entries;
  InterfacePtr<IXRefSourceMarkerList> list(doc, kRootUID);
  for (int32 i = 0; list && i < list->GetMarkerCount(); ++i) {
    InterfacePtr<IXRefSourceMarker> marker(list->QueryMarker(i));
    if (!marker) continue;
    entries.push_back({marker->GetMarkerName().GetUTF8String(), marker->GetStoryRef().GetUID(),
                       marker->GetTextIndex(), marker->GetMarkerTime().GetTime()});
  }
  return entries;
}

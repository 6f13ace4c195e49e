#include "headless/layout/LayoutLoadCheck.h"
#include "headless/database/DataBase.h"
#include "host/IFootnote.h"
#include "host/ILayout.h"
#include "host/IOwnedItem.h"
#include "host/InterfacePtr.h"
#include "host/TextIDs.h"
#include <map>

namespace {
std::string Object(UID uid) { return "object " + std::to_string(UIDValue(uid)); }

bool Refuse(std::string* error, const std::string& why) {
  *error = why;
  return false;
}

// The next object up: a hierarchy's parent, or a footnote's reference story.
UID Up(DataBase& db, UID uid) {
  InterfacePtr<IHierarchy> up(&db, uid, IID_IHIERARCHY);
  if (up) return up->GetParentUID();
  if (db.GetClass(uid) != kFootnoteBoss) return kInvalidUID;
  InterfacePtr<IOwnedItem> item(&db, uid, IID_IOWNEDITEM);
  return item ? item->GetStoryRef().GetUID() : kInvalidUID;
}

// Every chain upwards ends; each object is walked once (0 unseen, 1 on the
// current walk, 2 known to end).
bool CheckChains(DataBase& db, std::string* error) {
  std::map<UID, int> state;
  for (auto& entry : db.Objects()) {
    std::vector<UID> walk;
    for (UID at = entry.first; at != kInvalidUID && state[at] != 2; at = Up(db, at)) {
      if (state[at] == 1) return Refuse(error, Object(at) + ": its chain of parents loops");
      if (!db.FindObject(at))
        return Refuse(error, Object(walk.back()) + " names parent " + std::to_string(UIDValue(at)) +
                                 ", which does not exist");
      state[at] = 1;
      walk.push_back(at);
    }
    for (UID done : walk) state[done] = 2;
  }
  return true;
}

bool AllOfClass(DataBase& db, UID owner, const char* what, ClassID cls, int32 count, UID (*nth)(DataBase&, UID, int32),
                std::string* error) {
  for (int32 i = 0; i < count; ++i) {
    UID uid = nth(db, owner, i);
    if (db.GetClass(uid) != cls)
      return Refuse(error, Object(owner) + " lists " + what + " " + std::to_string(UIDValue(uid)) +
                               ", which is missing or of another class");
  }
  return true;
}

bool CheckObject(DataBase& db, UID uid, std::string* error) {
  if (InterfacePtr<ISpreadList> spreads(&db, uid, IID_ISPREADLIST); spreads) {
    auto nth = [](DataBase& d, UID o, int32 i) { return InterfacePtr<ISpreadList>(&d, o, IID_ISPREADLIST)->GetNthSpreadUID(i); };
    if (!AllOfClass(db, uid, "spread", kSpreadBoss, spreads->GetSpreadCount(), nth, error)) return false;
  }
  if (InterfacePtr<ISpread> spread(&db, uid, IID_ISPREAD); spread) {
    auto nth = [](DataBase& d, UID o, int32 i) { return InterfacePtr<ISpread>(&d, o, IID_ISPREAD)->GetNthPageUID(i); };
    if (!AllOfClass(db, uid, "page", kPageBoss, spread->GetNumPages(), nth, error)) return false;
  }
  if (InterfacePtr<IFrameList> frames(&db, uid, IID_IFRAMELIST); frames) {
    auto nth = [](DataBase& d, UID o, int32 i) { return InterfacePtr<IFrameList>(&d, o, IID_IFRAMELIST)->GetNthFrameUID(i); };
    if (!AllOfClass(db, uid, "frame", kTextFrameBoss, frames->GetFrameCount(), nth, error)) return false;
  }
  if (InterfacePtr<ITextFrame> frame(&db, uid, IID_ITEXTFRAME); frame && db.GetClass(frame->GetStoryUID()) != kTextStoryBoss)
    return Refuse(error, Object(uid) + ": a frame that shows no story");
  if (InterfacePtr<IFootnote> note(&db, uid, IID_IFOOTNOTE); note) {
    InterfacePtr<IHierarchy> story(&db, note->GetFootnoteStoryUID(), IID_IHIERARCHY);
    if (db.GetClass(note->GetFootnoteStoryUID()) != kTextStoryBoss || !story || story->GetParentUID() != uid)
      return Refuse(error, Object(uid) + ": a footnote whose story is missing or names another footnote");
  }
  if (db.GetClass(uid) == kTextStoryBoss) {
    UID parent = Up(db, uid);
    if (parent != kInvalidUID && db.GetClass(parent) != kFootnoteBoss)
      return Refuse(error, Object(uid) + ": a story whose parent is not a footnote");
  }
  return true;
}
}  // namespace

bool CheckLoadedLayout(DataBase& db, std::string* error) {
  if (!CheckChains(db, error)) return false;
  for (auto& entry : db.Objects())
    if (!CheckObject(db, entry.first, error)) return false;
  return true;
}

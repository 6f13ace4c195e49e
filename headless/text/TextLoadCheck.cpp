#include "headless/text/TextLoadCheck.h"
#include "headless/database/DataBase.h"
#include "headless/text/CharAttrStrand.h"
#include "headless/text/OwnedItemStrand.h"
#include "headless/text/ParaAttrStrand.h"
#include "headless/text/ParagraphStrand.h"
#include "headless/text/TextModelImpl.h"
#include "headless/text/TextStrand.h"
#include "headless/objects/Host.h"
#include "host/IOwnedItem.h"
#include "host/InterfacePtr.h"
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace {
std::string Story(UID story) { return "story " + std::to_string(UIDValue(story)); }

std::string Hex(uint32 v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

// The length a strand spans, or -1 when the strand is missing.
int32 StrandLength(TextModelImpl* model, ClassID cls) {
  if (cls == kTextStrandBoss) {
    InterfacePtr<ITextStrand> s(static_cast<ITextStrand*>(model->QueryStrand(cls, IID_ITEXTSTRAND)));
    return s ? static_cast<TextStrand*>(s.get())->Text().Length() : -1;
  }
  if (cls == kParagraphStrandBoss) {
    InterfacePtr<IParagraphStrand> s(static_cast<IParagraphStrand*>(model->QueryStrand(cls, IID_IPARAGRAPHSTRAND)));
    return s ? static_cast<ParagraphStrand*>(s.get())->Length() : -1;
  }
  if (cls == kParaAttrStrandBoss) {
    InterfacePtr<IParaAttrStrand> s(static_cast<IParaAttrStrand*>(model->QueryStrand(cls, IID_IPARAATTRSTRAND)));
    return s ? static_cast<ParaAttrStrand*>(s.get())->Length() : -1;
  }
  if (cls == kCharAttrStrandBoss) {
    InterfacePtr<ICharAttrStrand> s(static_cast<ICharAttrStrand*>(model->QueryStrand(cls, IID_ICHARATTRSTRAND)));
    return s ? static_cast<CharAttrStrand*>(s.get())->Length() : -1;
  }
  InterfacePtr<IOwnedItemStrand> s(static_cast<IOwnedItemStrand*>(model->QueryStrand(cls, IID_IOWNEDITEMSTRAND)));
  return s ? static_cast<OwnedItemStrand*>(s.get())->Length() : -1;
}

std::string Object(UID uid) { return "object " + std::to_string(UIDValue(uid)); }

// The story an owned item records as its anchor's; kInvalidUID when none.
UID NamedStory(DataBase& db, UID item) {
  InterfacePtr<IOwnedItem> owned(&db, item, IID_IOWNEDITEM);
  return owned ? owned->GetStoryRef().GetUID() : kInvalidUID;
}

// Each item is anchored once, in the story it names. `anchored` gathers the
// items of every story.
bool CheckOwnedItems(DataBase& db, UID story, TextModelImpl* model, int32 length, std::map<UID, UID>& anchored,
                     std::string* error) {
  InterfacePtr<IOwnedItemStrand> items(
      static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  for (const OwnedItemInfo& info : items->GetOwnedItems(0, length)) {
    if (db.GetClass(info.uid) != info.cls) {
      *error = Story(story) + " anchors " + Object(info.uid) + ", which is missing or of another class";
      return false;
    }
    if (!anchored.emplace(info.uid, story).second) {
      *error = Object(info.uid) + " is anchored twice";
      return false;
    }
    InterfacePtr<IOwnedItem> owned(&db, info.uid, IID_IOWNEDITEM);
    if (owned && owned->GetStoryRef().GetUID() != story) {
      *error = Story(story) + " anchors " + Object(info.uid) + ", which names another story";
      return false;
    }
  }
  return true;
}

// An item anchored nowhere names no story, or one that is gone (a deleted
// footnote's, say): the host would otherwise look for it, and write at it,
// in a story that does not hold it.
bool CheckUnanchoredItems(DataBase& db, const std::map<UID, UID>& anchored, std::string* error) {
  const std::vector<ClassID> classes = Host::Get().Classes().ClassesWith(IID_IOWNEDITEM);
  for (auto& entry : db.Objects()) {
    if (anchored.count(entry.first)) continue;
    if (!std::binary_search(classes.begin(), classes.end(), entry.second->GetClass())) continue;
    const UID named = NamedStory(db, entry.first);
    if (named == kInvalidUID || db.GetClass(named) == kInvalidClass) continue;
    *error = Object(entry.first) + " names " + Story(named) + ", which does not anchor it";
    return false;
  }
  return true;
}

bool CheckStory(DataBase& db, UID story, std::set<UID>& strandsSeen, std::map<UID, UID>& anchored,
                std::string* error) {
  InterfacePtr<ITextModel> text(&db, story, IID_ITEXTMODEL);
  auto* model = static_cast<TextModelImpl*>(text.get());
  if (!model) {
    *error = Story(story) + " has no text model";
    return false;
  }
  for (ClassID cls : TextModelImpl::kStrandClasses) {
    UID uid = model->StrandUID(cls);
    if (db.GetClass(uid) != cls) {
      *error = Story(story) + " lacks a strand of class " + Hex(IdValue(cls));
      return false;
    }
    if (!strandsSeen.insert(uid).second) {
      *error = Story(story) + " shares strand " + std::to_string(UIDValue(uid)) + " with another story";
      return false;
    }
  }
  const int32 length = StrandLength(model, kTextStrandBoss);
  if (length <= 0 || model->GetUnit(length - 1) != u'\r') {
    *error = Story(story) + " does not end with a paragraph return";
    return false;
  }
  for (ClassID cls : TextModelImpl::kStrandClasses) {
    if (StrandLength(model, cls) == length) continue;
    *error = Story(story) + ": a strand's length (" + std::to_string(StrandLength(model, cls)) +
             ") disagrees with the text's (" + std::to_string(length) + ")";
    return false;
  }
  return CheckOwnedItems(db, story, model, length, anchored, error);
}
}  // namespace

bool CheckLoadedText(DataBase& db, std::string* error) {
  std::set<UID> strandsSeen;
  std::map<UID, UID> anchored;
  for (auto& entry : db.Objects()) {
    if (entry.second->GetClass() != kTextStoryBoss) continue;
    if (!CheckStory(db, entry.first, strandsSeen, anchored, error)) return false;
  }
  return CheckUnanchoredItems(db, anchored, error);
}

#include "headless/text/TextLoadCheck.h"
#include "headless/database/DataBase.h"
#include "headless/text/CharAttrStrand.h"
#include "headless/text/OwnedItemStrand.h"
#include "headless/text/ParaAttrStrand.h"
#include "headless/text/ParagraphStrand.h"
#include "headless/text/TextModelImpl.h"
#include "headless/text/TextStrand.h"
#include "host/InterfacePtr.h"
#include <cstdio>
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

bool CheckOwnedItems(DataBase& db, UID story, TextModelImpl* model, int32 length, std::string* error) {
  InterfacePtr<IOwnedItemStrand> items(
      static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  for (const OwnedItemInfo& info : items->GetOwnedItems(0, length)) {
    if (db.GetClass(info.uid) == info.cls) continue;
    *error = Story(story) + " anchors object " + std::to_string(UIDValue(info.uid)) +
             ", which is missing or of another class";
    return false;
  }
  return true;
}

bool CheckStory(DataBase& db, UID story, std::set<UID>& strandsSeen, std::string* error) {
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
  return CheckOwnedItems(db, story, model, length, error);
}
}  // namespace

bool CheckLoadedText(DataBase& db, std::string* error) {
  std::set<UID> strandsSeen;
  for (auto& entry : db.Objects()) {
    if (entry.second->GetClass() != kTextStoryBoss) continue;
    if (!CheckStory(db, entry.first, strandsSeen, error)) return false;
  }
  return true;
}

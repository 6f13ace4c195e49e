#include "model/XRefDocumentIntegrity.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/TextIDs.h"
#include "host/InterfacePtr.h"
#include "host/UTF32TextChar.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefModelID.h"
#include <algorithm>
#include <set>

namespace {
std::string Number(UID uid) { return std::to_string(UIDValue(uid)); }

constexpr ClassID kMarkerClasses[] = {kXRefSourceMarkerBoss, kXRefCrossRefStartMarkerBoss,
                                      kXRefCrossRefEndMarkerBoss};

bool IsMarkerClass(ClassID cls) {
  return std::find(std::begin(kMarkerClasses), std::end(kMarkerClasses), cls) != std::end(kMarkerClasses);
}

class Inspection {
public:
  explicit Inspection(IDataBase* db) : db_(db) {}

  std::vector<DocumentDamage> Run() {
    CheckList("cross-reference", kXRefCrossRefBoss, CrossRefEntries(), &crossRefs_);
    std::set<UID> sourceMarkers;
    CheckList("source marker", kXRefSourceMarkerBoss, SourceMarkerEntries(), &sourceMarkers);
    CheckCrossRefs();
    for (ClassID cls : kMarkerClasses)
      for (UID marker : db_->GetUIDsOfClass(cls)) CheckMarker(marker, cls);
    for (UID story : db_->GetUIDsOfClass(kTextStoryBoss)) CheckCharacters(story);
    std::stable_sort(found_.begin(), found_.end(), [](const DocumentDamage& a, const DocumentDamage& b) {
      return a.kind < b.kind;
    });
    return std::move(found_);
  }

private:
  void Damaged(UID object, const std::string& message, UID story = kInvalidUID, TextIndex at = -1) {
    found_.push_back({DocumentDamage::kDamaged, object, story, at, message});
  }

  static std::vector<UID> Entries(const UIDList& uids) {
    std::vector<UID> entries;
    for (int32 i = 0; i < uids.Length(); ++i) entries.push_back(uids[i]);
    return entries;
  }
  std::vector<UID> CrossRefEntries() const {
    InterfacePtr<IXRefCrossRefList> list(db_, db_->GetRootUID());
    return Entries(list ? list->GetCrossRefs() : UIDList());
  }
  std::vector<UID> SourceMarkerEntries() const {
    InterfacePtr<IXRefSourceMarkerList> list(db_, db_->GetRootUID());
    return Entries(list ? list->GetMarkers() : UIDList());
  }

  // Each entry an existing object of the class, once; each such object listed.
  void CheckList(const std::string& what, ClassID cls, const std::vector<UID>& entries, std::set<UID>* listed) {
    for (UID uid : entries) {
      const ClassID actual = db_->GetClass(uid);
      if (actual == kInvalidClass)
        Damaged(uid, "the " + what + " list names object " + Number(uid) + ", which does not exist");
      else if (actual != cls)
        Damaged(uid, "the " + what + " list names object " + Number(uid) + ", which is not a " + what);
      else if (!listed->insert(uid).second)
        Damaged(uid, what + " " + Number(uid) + " is listed twice");
    }
    for (UID uid : db_->GetUIDsOfClass(cls))
      if (!listed->count(uid)) Damaged(uid, what + " " + Number(uid) + " is missing from the " + what + " list");
  }

  void CheckCrossRefs() {
    std::vector<XRefCrossRefGeometry> sound;
    for (UID uid : crossRefs_) {
      const XRefCrossRefGeometry g = XRefCrossRefGeometry::Of(db_, uid, false);
      if (g.fault == XRefCrossRefGeometry::kSound) {
        sound.push_back(g);
        continue;
      }
      // A dangling end marker waits for removal or a relink; an end marker
      // that still exists but stands nowhere is told by the marker check.
      if (g.fault == XRefCrossRefGeometry::kEndMissing) continue;
      Damaged(uid, g.Describe());
    }
    for (const auto& crossing : XRefCrossRefGeometry::FindCrossings(std::move(sound)))
      Damaged(crossing.second, XRefCrossRefGeometry::DescribeCrossing(crossing));
  }

  // Anchored where its story says, at a U+FEFF; a text marker belongs to the
  // cross-reference it names, or to none.
  void CheckMarker(UID marker, ClassID cls) {
    InterfacePtr<IOwnedItem> item(db_, marker, IID_IOWNEDITEM);
    const UIDRef story = item ? item->GetStoryRef() : UIDRef();
    const TextIndex at = item ? item->GetTextIndex() : -1;
    InterfacePtr<ITextModel> text(story);
    InterfacePtr<IOwnedItemStrand> strand(StrandOf(text.get()));
    if (!strand || at < 0 || strand->GetOwnedUID(at, cls) != marker) {
      Damaged(marker, "marker " + Number(marker) + " is anchored at no character");
      return;
    }
    if (text->GetUnit(at) != kTextChar_ZeroSpaceNoBreak)
      Damaged(marker, "marker " + Number(marker) + " is anchored at a character that is not a marker's",
              story.GetUID(), at);
    if (cls == kXRefSourceMarkerBoss) return;
    InterfacePtr<IXRefCrossRefTextMarker> textMarker(db_, marker);
    const UID owner = textMarker ? textMarker->GetMarkerCrossRef() : kInvalidUID;
    if (owner == kInvalidUID) return;
    InterfacePtr<IXRefCrossRef> crossRef(db_, owner);
    const UID own = !crossRef ? kInvalidUID
                    : cls == kXRefCrossRefStartMarkerBoss ? crossRef->GetStartMarker()
                                                          : crossRef->GetEndMarker();
    if (own != marker || !crossRefs_.count(owner))
      Damaged(marker, "marker " + Number(marker) + " names cross-reference " + Number(owner) +
                          ", which does not hold it", story.GetUID(), at);
  }

  static IOwnedItemStrand* StrandOf(ITextModel* text) {
    return text ? static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))
                : nullptr;
  }

  // Every U+FEFF carries an existing marker.
  void CheckCharacters(UID story) {
    InterfacePtr<ITextModel> text(db_, story, IID_ITEXTMODEL);
    InterfacePtr<IOwnedItemStrand> strand(StrandOf(text.get()));
    if (!text || !strand) return;
    const int32 length = text->TotalLength();
    std::set<TextIndex> carried;
    for (const OwnedItemInfo& info : strand->GetOwnedItems(0, length))
      if (IsMarkerClass(info.cls) && db_->GetClass(info.uid) == info.cls) carried.insert(info.index);
    const WideString chars = text->CopyText(0, length);
    const std::u16string& units = chars.Units();
    for (size_t i = 0; i < units.size(); ++i) {
      if (units[i] != kTextChar_ZeroSpaceNoBreak || carried.count(static_cast<TextIndex>(i))) continue;
      found_.push_back({DocumentDamage::kOrphan, kInvalidUID, story, static_cast<TextIndex>(i),
                        "a marker character without its marker"});
    }
  }

  IDataBase* db_;
  std::set<UID> crossRefs_;  // the listed cross-references
  std::vector<DocumentDamage> found_;
};
}  // namespace

std::vector<DocumentDamage> XRefDocumentIntegrity::FindDamage(IDataBase* db) {
  if (!db) return {};
  return Inspection(db).Run();
}

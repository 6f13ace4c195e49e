// Refuses a document whose cross-references no edit leaves that way: a list
// that does not hold every cross-reference once, or holds other objects; a
// marker of the wrong class or of another cross-reference; a start at or
// after its end, or an end in another story; two cross-references whose
// texts cross. A missing marker passes (the open-time repair removes its
// cross-reference), and so does a cross-reference inside another's text,
// which insertion used to allow: updating the outer one then fails instead
// of destroying it.
#include "engine/XRefEngineID.h"
#include "host/CPMUnknown.h"
#include "host/IDocumentCheck.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRefList.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefDocumentIntegrity.h"
#include "model/XRefModelID.h"
#include <set>
#include <vector>

namespace {
std::string Number(UID uid) { return std::to_string(UIDValue(uid)); }

// Every entry a cross-reference or gone, and every cross-reference listed once.
bool CheckList(IDataBase* db, std::set<UID>* listed, std::string* error) {
  InterfacePtr<IXRefCrossRefList> list(db, db->GetRootUID());
  const UIDList entries = list ? list->GetCrossRefs() : UIDList();
  for (int32 i = 0; i < entries.Length(); ++i) {
    const UID uid = entries[i];
    const ClassID cls = db->GetClass(uid);
    if (cls == kInvalidClass) continue;
    if (cls != kXRefCrossRefBoss) {
      *error = "the cross-reference list names object " + Number(uid) + ", which is not a cross-reference";
      return false;
    }
    if (!listed->insert(uid).second) {
      *error = "cross-reference " + Number(uid) + " is listed twice";
      return false;
    }
  }
  for (UID uid : db->GetUIDsOfClass(kXRefCrossRefBoss)) {
    if (listed->count(uid)) continue;
    *error = "cross-reference " + Number(uid) + " is missing from the cross-reference list";
    return false;
  }
  return true;
}

bool Refused(XRefCrossRefGeometry::Fault fault) {
  switch (fault) {
    case XRefCrossRefGeometry::kWrongClass:
    case XRefCrossRefGeometry::kOtherCrossRef:
    case XRefCrossRefGeometry::kOtherStory:
    case XRefCrossRefGeometry::kNotBeforeEnd:
      return true;
    default:
      return false;
  }
}

bool CheckMarkers(IDataBase* db, const std::set<UID>& listed, std::string* error) {
  std::vector<XRefCrossRefGeometry> sound;
  for (UID uid : listed) {
    const XRefCrossRefGeometry g = XRefCrossRefGeometry::Of(db, uid, false);
    if (Refused(g.fault)) {
      *error = g.Describe();
      return false;
    }
    if (g.fault == XRefCrossRefGeometry::kSound) sound.push_back(g);
  }
  const auto crossings = XRefCrossRefGeometry::FindCrossings(std::move(sound));
  if (crossings.empty()) return true;
  *error = XRefCrossRefGeometry::DescribeCrossing(crossings.front());
  return false;
}

class XRefDocumentCheck : public CPMUnknown<IDocumentCheck> {
public:
  using CPMUnknown::CPMUnknown;

  bool16 CheckLoadedDocument(IDataBase* db, PMString* why) override {
    std::set<UID> listed;
    std::string error;
    if (CheckList(db, &listed, &error) && CheckMarkers(db, listed, &error)) return true;
    *why = PMString(error);
    why->SetTranslatable(false);
    return false;
  }

  void FindDamage(IDataBase* db, std::vector<DocumentDamage>* found) override {
    for (DocumentDamage& d : XRefDocumentIntegrity::FindDamage(db)) found->push_back(std::move(d));
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefDocumentCheck, kXRefDocumentCheckImpl);

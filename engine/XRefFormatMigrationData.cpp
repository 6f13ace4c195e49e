// Invariant: each reference is the paragraph style its name named when the
// names were set, or kInvalidUID. Stored as first name, first reference,
// second name, second reference.
#include "engine/IXRefFormatMigrationData.h"
#include "host/CPMUnknown.h"
#include "host/IDataBase.h"
#include "host/IDocument.h"
#include "host/IPMStream.h"
#include "host/IStyleGroupManager.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefFormatMigrationData : public CPMUnknown<IXRefFormatMigrationData> {
public:
  using CPMUnknown::CPMUnknown;

  void SetStyleNames(const PMString& first, const PMString& second) override {
    const UID firstRef = Resolve(first), secondRef = Resolve(second);
    if (first == firstName_ && second == secondName_ && firstRef == firstRef_ && secondRef == secondRef_) return;
    PreDirty();
    firstName_ = first;
    secondName_ = second;
    firstRef_ = firstRef;
    secondRef_ = secondRef;
  }
  PMString GetFirstStyleName() const override { return firstName_; }
  UID GetFirstStyleRef() const override { return firstRef_; }
  PMString GetSecondStyleName() const override { return secondName_; }
  UID GetSecondStyleRef() const override { return secondRef_; }

  void ReadWrite(IPMStream* s, ImplementationID) {
    firstName_.ReadWrite(s);
    s->XferReference(firstRef_);
    secondName_.ReadWrite(s);
    s->XferReference(secondRef_);
  }

private:
  // Style names written with ":" between groups and name, as in the format
  // language, become the host's full style paths.
  UID Resolve(const PMString& name) const {
    if (name.IsEmpty()) return kInvalidUID;
    IDataBase* db = ::GetDataBase(this);
    InterfacePtr<IDocument> document(db, db ? db->GetRootUID() : kInvalidUID, IID_IDOCUMENT);
    if (!document) return kInvalidUID;
    InterfacePtr<IStyleGroupManager> styles(document->GetDocWorkspace(), IID_IPARASTYLEGROUPMANAGER);
    if (!styles) return kInvalidUID;
    std::u16string path = name.Units();
    for (char16_t& c : path)
      if (c == u':') c = 0xE00B;
    return styles->FindByName(PMString(WideString(path)));
  }

  PMString firstName_, secondName_;
  UID firstRef_ = kInvalidUID, secondRef_ = kInvalidUID;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefFormatMigrationData, kXRefFormatMigrationDataImpl);

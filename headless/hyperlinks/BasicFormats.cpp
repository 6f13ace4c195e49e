#include "headless/hyperlinks/BasicFormats.h"
#include "host/IDataBase.h"
#include "host/InterfacePtr.h"

void BasicXRefFormatImpl::SetName(const PMString& name) {
  if (name == name_) return;
  PreDirty();
  name_ = name;
  name_.SetTranslatable(false);
}

void BasicXRefFormatImpl::SetBuildingBlocks(const std::vector<XRefBuildingBlock>& blocks) {
  if (blocks == blocks_) return;
  PreDirty();
  blocks_ = blocks;
}

void BasicXRefFormatImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  int32 count = static_cast<int32>(blocks_.size());
  s->XferInt32(count);
  if (s->IsWriting()) {
    for (XRefBuildingBlock& b : blocks_) {
      int32 type = b.GetType();
      PMString text = b.GetCustomText();
      UID style = b.GetCharacterStyle();
      s->XferInt32(type);
      text.ReadWrite(s);
      s->XferReference(style);
    }
    return;
  }
  blocks_.clear();
  // A count the stream cannot hold ends at the stream's end, not in memory.
  for (int32 i = 0; i < count && !s->GetBad(); ++i) {
    int32 type = 0;
    PMString text;
    UID style = kInvalidUID;
    s->XferInt32(type);
    text.ReadWrite(s);
    s->XferReference(style);
    if (s->GetBad()) break;
    XRefBuildingBlock b;
    b.SetType(type);
    b.SetCustomText(text);
    b.SetCharacterStyle(style);
    blocks_.push_back(b);
  }
}

UID BasicXRefFormatListImpl::GetNthFormat(int32 n) const {
  return n >= 0 && n < formats_.Length() ? formats_.At(n) : kInvalidUID;
}

UID BasicXRefFormatListImpl::FindFormat(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : formats_.Items()) {
    InterfacePtr<IBasicXRefFormat> format(db, uid, IID_IBASICXREFFORMAT);
    if (format && format->GetName().IsEqualNoCase(name)) return uid;
  }
  return kInvalidUID;
}

void BasicXRefFormatListImpl::AddFormat(UID format) {
  if (format == kInvalidUID || formats_.Contains(format)) return;
  PreDirty();
  formats_.Append(format);
}

void BasicXRefFormatListImpl::RemoveFormat(UID format) {
  const int32 at = formats_.Location(format);
  if (at < 0) return;
  PreDirty();
  formats_.Remove(at);
}

void BasicXRefFormatListImpl::ReadWrite(IPMStream* s, ImplementationID) { formats_.ReadWriteXferObject(s); }

UID BasicFormatUtilsImpl::CreateBasicFormat(IDataBase* doc, const PMString& name,
                                            const std::vector<XRefBuildingBlock>& blocks) {
  InterfacePtr<IBasicXRefFormatList> list(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IBASICXREFFORMATLIST);
  if (!list) return kInvalidUID;
  const UID uid = doc->NewUID(kBasicXRefFormatBoss);
  InterfacePtr<IBasicXRefFormat> format(doc, uid, IID_IBASICXREFFORMAT);
  if (!format) return kInvalidUID;
  format->SetName(name);
  format->SetBuildingBlocks(blocks);
  list->AddFormat(uid);
  return uid;
}

bool16 BasicFormatUtilsImpl::DeleteBasicFormat(IDataBase* doc, UID format) {
  InterfacePtr<IBasicXRefFormatList> list(doc, doc ? doc->GetRootUID() : kInvalidUID, IID_IBASICXREFFORMATLIST);
  if (!list) return false;
  const int32 before = list->GetFormatCount();
  list->RemoveFormat(format);
  if (list->GetFormatCount() == before) return false;
  doc->DeleteUID(format);
  return true;
}

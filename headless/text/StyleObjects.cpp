#include "headless/text/StyleObjects.h"
#include "headless/text/TextAttributeIO.h"
#include "host/InterfacePtr.h"

UID StyleGroupManagerImpl::FindByName(const PMString& fullPath) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : styles_.Items()) {
    InterfacePtr<IStyleInfo> style(db, uid, IID_ISTYLEINFO);
    if (style && style->GetFullPath() == fullPath) return uid;
  }
  return kInvalidUID;
}

void StyleGroupManagerImpl::AddStyle(UID style, bool isRoot) {
  PreDirty();
  if (!styles_.Contains(style)) styles_.Append(style);
  if (isRoot) root_ = style;
}

void StyleGroupManagerImpl::ReadWrite(IPMStream* s, ImplementationID) {
  s->XferReference(root_);
  styles_.ReadWriteXferObject(s);
  if (s->IsReading()) styles_.SetDataBase(::GetDataBase(this));
}

PMString StyleInfoImpl::GetFullPath() const {
  if (group_.IsEmpty()) return name_;
  PMString path = group_;
  path.AppendW(kStyleGroupSeparator);
  path.Append(name_);
  path.SetTranslatable(false);
  return path;
}

void StyleInfoImpl::Set(const PMString& name, const PMString& groupPath, bool16 paragraph,
                        const AttributeBossList& attrs, int32 numbering) {
  PreDirty();
  name_ = name;
  name_.SetTranslatable(false);
  group_ = groupPath;
  group_.SetTranslatable(false);
  paragraph_ = paragraph ? 1 : 0;
  attrs_ = attrs;
  numbering_ = numbering;
}

void StyleInfoImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  group_.ReadWrite(s);
  s->XferBool(paragraph_);
  ReadWriteAttributeList(s, attrs_);
  s->XferInt32(numbering_);
  if (s->IsReading() && (numbering_ < kNoNumbering || numbering_ > kNumberedList)) s->SetBad();
}

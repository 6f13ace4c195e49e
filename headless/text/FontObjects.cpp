#include "headless/text/FontObjects.h"
#include "host/InterfacePtr.h"

UID FontListImpl::FindFamily(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : families_.Items()) {
    InterfacePtr<IFontFamily> family(db, uid, IID_IFONTFAMILY);
    if (family && family->GetFamilyName().IsEqualNoCase(name)) return uid;
  }
  return kInvalidUID;
}

void FontListImpl::AddFamily(UID family) {
  if (families_.Contains(family)) return;
  PreDirty();
  families_.Append(family);
}

void FontListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  families_.ReadWriteXferObject(s);
  if (s->IsReading()) families_.SetDataBase(::GetDataBase(this));
}

PMString FontFamilyImpl::GetNthStyleName(int32 n) const {
  return n >= 0 && n < GetStyleCount() ? styles_[static_cast<size_t>(n)] : PMString();
}

bool16 FontFamilyImpl::HasStyle(const PMString& styleName) const {
  for (auto& s : styles_)
    if (s == styleName) return true;
  return false;
}

void FontFamilyImpl::Set(const PMString& name, const std::vector<PMString>& styles) {
  PreDirty();
  name_ = name;
  name_.SetTranslatable(false);
  styles_ = styles;
  for (auto& s : styles_) s.SetTranslatable(false);
}

void FontFamilyImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  int32 n = static_cast<int32>(styles_.size());
  s->XferInt32(n);
  if (s->IsReading()) {
    int64 avail = s->Available();
    if (n < 0 || (avail >= 0 && static_cast<int64>(n) * 5 > avail)) {
      s->SetBad();
      styles_.clear();
      return;
    }
    styles_.assign(static_cast<size_t>(n), PMString());
  }
  for (auto& style : styles_) style.ReadWrite(s);
}

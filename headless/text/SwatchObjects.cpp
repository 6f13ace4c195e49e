#include "headless/text/SwatchObjects.h"
#include "host/InterfacePtr.h"

UID SwatchListImpl::FindSwatch(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : swatches_.Items()) {
    InterfacePtr<ISwatch> swatch(db, uid, IID_ISWATCH);
    if (swatch && swatch->GetName() == name) return uid;
  }
  return kInvalidUID;
}

void SwatchListImpl::AddSwatch(UID swatch) {
  if (swatches_.Contains(swatch)) return;
  PreDirty();
  swatches_.Append(swatch);
}

void SwatchListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  swatches_.ReadWriteXferObject(s);
  if (s->IsReading()) swatches_.SetDataBase(::GetDataBase(this));
}

void SwatchImpl::Set(const PMString& name, uint32 rgb) {
  PreDirty();
  name_ = name;
  name_.SetTranslatable(false);
  rgb_ = rgb & 0xFFFFFF;
}

void SwatchImpl::ReadWrite(IPMStream* s, ImplementationID) {
  name_.ReadWrite(s);
  s->XferUInt32(rgb_);
  rgb_ &= 0xFFFFFF;
}

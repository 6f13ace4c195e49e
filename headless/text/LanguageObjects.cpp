#include "headless/text/LanguageObjects.h"
#include "host/InterfacePtr.h"

PMString TranslatedLanguageName(const ILanguage* language) {
  if (!language) return PMString();
  PMString name = language->GetName();
  name.Translate();
  return name;
}

UID LanguageListImpl::FindLanguage(const PMString& name) const {
  IDataBase* db = ::GetDataBase(this);
  for (UID uid : languages_.Items()) {
    InterfacePtr<ILanguage> language(db, uid, IID_ILANGUAGE);
    if (language && TranslatedLanguageName(language.get()).IsEqualNoCase(name)) return uid;
  }
  return kInvalidUID;
}

void LanguageListImpl::AddLanguage(UID language) {
  if (languages_.Contains(language)) return;
  PreDirty();
  languages_.Append(language);
}

void LanguageListImpl::ReadWrite(IPMStream* s, ImplementationID) {
  languages_.ReadWriteXferObject(s);
  if (s->IsReading()) languages_.SetDataBase(::GetDataBase(this));
}

void LanguageImpl::Set(const PMString& name) {
  PreDirty();
  name_ = name;
}

void LanguageImpl::ReadWrite(IPMStream* s, ImplementationID) { name_.ReadWrite(s); }

#pragma once
// A workspace's language list and its languages.
#include "host/CPMUnknown.h"
#include "host/ILanguageList.h"
#include "host/IPMStream.h"
#include "host/UIDList.h"

class LanguageListImpl : public CPMUnknown<ILanguageList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetLanguageCount() const override { return languages_.Length(); }
  UID GetNthLanguageUID(int32 n) const override { return languages_.At(n); }
  UID FindLanguage(const PMString& name) const override;

  void AddLanguage(UID language);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList languages_;
};

class LanguageImpl : public CPMUnknown<ILanguage> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }

  void Set(const PMString& name);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
};

// A language's name as the user reads it.
PMString TranslatedLanguageName(const ILanguage* language);

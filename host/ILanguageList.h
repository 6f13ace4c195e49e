#pragma once
// A workspace's languages. A language's name may be a key the host
// translates ("kLanguageGerman"), or a name never translated.
#include "IPMUnknown.h"
#include "PMString.h"
#include "TextIDs.h"
#include "UID.h"

class ILanguageList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ILANGUAGELIST;
  virtual int32 GetLanguageCount() const = 0;
  virtual UID GetNthLanguageUID(int32 n) const = 0;  // kInvalidUID outside
  // The language whose translated name is `name`, ignoring case.
  virtual UID FindLanguage(const PMString& name) const = 0;
};

class ILanguage : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ILANGUAGE;
  // The name with its translation mark: translate it unless it says translated.
  virtual PMString GetName() const = 0;
};

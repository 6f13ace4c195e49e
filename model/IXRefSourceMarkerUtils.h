#pragma once
// Source-marker utilities (on the host's utilities object).
#include "host/IDataBase.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "model/XRefModelID.h"

class IXRefSourceMarkerUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSOURCEMARKERUTILS;
  // base, else base + " (2)", " (3)", ...: the first name no source marker of
  // the database's document has; base itself when the document has no list.
  virtual PMString GetUniqueMarkerName(const PMString& base, IDataBase* db) = 0;
};

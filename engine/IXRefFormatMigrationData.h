#pragma once
// On a Basic format: the preceding and following paragraph styles of the
// format it was converted from, by name and resolved to a paragraph style
// of the document's workspace. Stored with the format.
#include "engine/XRefEngineID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UID.h"

class IXRefFormatMigrationData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFFORMATMIGRATIONDATA;
  // Stores both names; each ":" is read as the style-group separator when
  // the style is looked up. A name that names no style resolves to kInvalidUID.
  virtual void SetStyleNames(const PMString& first, const PMString& second) = 0;
  virtual PMString GetFirstStyleName() const = 0;
  virtual UID GetFirstStyleRef() const = 0;
  virtual PMString GetSecondStyleName() const = 0;
  virtual UID GetSecondStyleRef() const = 0;
};

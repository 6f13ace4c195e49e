#pragma once
// A workspace's fonts: families, each with its style names.
#include "IPMUnknown.h"
#include "PMString.h"
#include "TextIDs.h"
#include "UID.h"

class IFontList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFONTLIST;
  virtual int32 GetFamilyCount() const = 0;
  virtual UID GetNthFamilyUID(int32 n) const = 0;  // kInvalidUID outside
  // The family of that name, ignoring case; kInvalidUID when none.
  virtual UID FindFamily(const PMString& name) const = 0;
};

class IFontFamily : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFONTFAMILY;
  virtual PMString GetFamilyName() const = 0;
  virtual int32 GetStyleCount() const = 0;
  virtual PMString GetNthStyleName(int32 n) const = 0;  // empty outside
  virtual bool16 HasStyle(const PMString& styleName) const = 0;
};

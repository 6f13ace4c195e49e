#pragma once
// A workspace's formats (the document's, or the application's defaults): an
// ordered list of name and mark-up pairs. Names compare ignoring case; the
// list does not enforce their uniqueness, callers check first.
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "model/XRefModelID.h"

class IXRefFormats : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFFORMATS;

  virtual int32 GetFormatCount() const = 0;
  // The first entry whose name equals the name ignoring case; -1 when none.
  virtual int32 FindFormat(const PMString& name) const = 0;
  // Empty for an index outside the list.
  virtual PMString GetFormatName(int32 index) const = 0;
  virtual PMString GetFormatString(int32 index) const = 0;
  virtual bool16 HasFormat(const PMString& name) const = 0;
  // base, then "base (2)", "base (3)", ...: the first that no entry has.
  virtual PMString GetUniqueFormatName(const PMString& base) const = 0;
  // Appends and sorts the whole list by name.
  virtual void AddFormat(const PMString& name, const PMString& format) = 0;
  // In place, without sorting; an index outside the list changes nothing.
  virtual void ModifyFormat(int32 index, const PMString& name, const PMString& format) = 0;
  virtual void RemoveFormat(int32 index) = 0;
};

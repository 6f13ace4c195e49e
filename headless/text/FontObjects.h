#pragma once
// A workspace's font list and its font families.
#include "host/CPMUnknown.h"
#include "host/IFontList.h"
#include "host/IPMStream.h"
#include "host/UIDList.h"
#include <vector>

class FontListImpl : public CPMUnknown<IFontList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetFamilyCount() const override { return families_.Length(); }
  UID GetNthFamilyUID(int32 n) const override { return families_.At(n); }
  UID FindFamily(const PMString& name) const override;

  void AddFamily(UID family);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList families_;
};

class FontFamilyImpl : public CPMUnknown<IFontFamily> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetFamilyName() const override { return name_; }
  int32 GetStyleCount() const override { return static_cast<int32>(styles_.size()); }
  PMString GetNthStyleName(int32 n) const override;
  bool16 HasStyle(const PMString& styleName) const override;

  void Set(const PMString& name, const std::vector<PMString>& styles);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
  std::vector<PMString> styles_;
};

#pragma once
// A workspace's styles of one kind (the style-group manager) and the style
// objects. Invariant: the root style, once made, is one of the styles.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/IStyleGroupManager.h"
#include "host/UIDList.h"

class StyleGroupManagerImpl : public CPMUnknown<IStyleGroupManager> {
public:
  using CPMUnknown::CPMUnknown;
  UID FindByName(const PMString& fullPath) const override;
  UID GetRootStyleUID() const override { return root_; }
  int32 GetStyleCount() const override { return styles_.Length(); }
  UID GetNthStyleUID(int32 n) const override { return styles_.At(n); }

  void AddStyle(UID style, bool isRoot);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID root_ = kInvalidUID;
  UIDList styles_;
};

class StyleInfoImpl : public CPMUnknown<IStyleInfo> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  PMString GetGroupPath() const override { return group_; }
  PMString GetFullPath() const override;
  bool16 IsParagraphStyle() const override { return paragraph_; }
  AttributeBossList GetAttributes() const override { return attrs_; }
  int32 GetNumberingKind() const override { return numbering_; }

  void Set(const PMString& name, const PMString& groupPath, bool16 paragraph, const AttributeBossList& attrs,
           int32 numbering);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_, group_;
  bool16 paragraph_ = false;
  AttributeBossList attrs_;
  int32 numbering_ = kNoNumbering;
};

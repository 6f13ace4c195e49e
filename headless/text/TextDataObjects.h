#pragma once
// Small data implementations of the text model: an attribute list on a
// command, and the UID an attribute object holds.
#include "host/CPMUnknown.h"
#include "host/IAttributeListData.h"
#include "host/ITextAttrUID.h"

class AttributeListDataImpl : public CPMUnknown<IAttributeListData> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const AttributeBossList& list) override { list_ = list; }
  const AttributeBossList& Get() const override { return list_; }

private:
  AttributeBossList list_;
};

class TextAttrUIDImpl : public CPMUnknown<ITextAttrUID> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(UID uid) override { uid_ = uid; }
  UID Get() const override { return uid_; }

private:
  UID uid_ = kInvalidUID;
};

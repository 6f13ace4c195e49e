#pragma once
// A test object whose content handler writes down every parse event, and a
// list of attributes to hand to attribute readers directly.
#include "host/ISAXAttributes.h"
#include "host/IPMUnknown.h"
#include <string>
#include <utility>
#include <vector>

constexpr ClassID kTestRecorderBoss{0x7401};

// Registers the recorder class once per process.
void RegisterRecorderClass();

// Events as text: "<name a=v b=w>" for a start (attributes sorted), "</name>"
// for an end, and the characters between them as they come, merged. The
// document's own start and end show as "[" and "]".
std::string RecordedEvents(IPMUnknown* recorder);

class FakeAttributes final : public ISAXAttributes {
public:
  explicit FakeAttributes(std::vector<std::pair<std::u16string, std::u16string>> list) : list_(std::move(list)) {}
  IPMUnknown* QueryInterface(PMIID iid) const override {
    return iid == IID_ISAXATTRIBUTES ? const_cast<FakeAttributes*>(this) : nullptr;
  }
  void AddRef() const override {}
  void Release() const override {}
  int32 GetCount() const override { return static_cast<int32>(list_.size()); }
  WideString GetName(int32 i) const override { return WideString(list_.at(static_cast<size_t>(i)).first); }
  WideString GetValue(int32 i) const override { return WideString(list_.at(static_cast<size_t>(i)).second); }
  bool16 HasAttribute(const WideString& name) const override { return Find(name) != nullptr; }
  bool16 GetAttributeString(const WideString& name, WideString* value) const override {
    const std::u16string* v = Find(name);
    if (v && value) *value = WideString(*v);
    return v != nullptr;
  }

private:
  const std::u16string* Find(const WideString& name) const {
    for (auto& a : list_)
      if (a.first == name.Units()) return &a.second;
    return nullptr;
  }
  std::vector<std::pair<std::u16string, std::u16string>> list_;
};

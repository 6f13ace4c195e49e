#pragma once
// A command parameter holding a list of character attributes.
#include "AttributeBossList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"

class IAttributeListData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IATTRIBUTELISTDATA;
  virtual void Set(const AttributeBossList& list) = 0;
  virtual const AttributeBossList& Get() const = 0;
};

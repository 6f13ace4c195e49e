#pragma once
// A character attribute object that holds a UID (a plug-in's attribute class
// aggregates it). Put into an attribute list through ToAttribute.
#include "AttributeBossList.h"
#include "IControllingUnknown.h"
#include "TextIDs.h"

class ITextAttrUID : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTATTRUID;
  virtual void Set(UID uid) = 0;
  virtual UID Get() const = 0;
  // The attribute value: the object's class holding the UID.
  TextAttribute ToAttribute() const {
    TextAttribute a;
    a.cls = ::GetClass(this);
    a.intValue = UIDValue(Get());
    return a;
  }
};

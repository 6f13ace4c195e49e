#pragma once
// The attributes of one element as the parser reports them: those written in
// the document and those the DTD gives a default value. Valid only during the
// StartElement call that receives them.
#include "IPMUnknown.h"
#include "SAXIDs.h"
#include "WideString.h"

class ISAXAttributes : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISAXATTRIBUTES;

  virtual int32 GetCount() const = 0;
  // The attribute's name as written (no namespace processing is applied).
  virtual WideString GetName(int32 index) const = 0;
  virtual WideString GetValue(int32 index) const = 0;

  // Lookups by exact name.
  virtual bool16 HasAttribute(const WideString& name) const = 0;
  // False, leaving *value alone, when there is no such attribute.
  virtual bool16 GetAttributeString(const WideString& name, WideString* value) const = 0;
};

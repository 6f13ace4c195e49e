#pragma once
// The switches of a parser object. All are off on a new parser: it then checks
// well-formedness only, though it still applies the attribute defaults that
// the document's internal DTD declares.
#include "IPMUnknown.h"
#include "SAXIDs.h"

class ISAXParserOptions : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISAXPARSEROPTIONS;

  // Namespace processing: prefixed names are split and mapped to URIs.
  virtual void SetNamespacesFeature(bool16 on) = 0;
  virtual bool16 GetNamespacesFeature() const = 0;
  // Validation against the document's DTD; any violation fails the parse.
  virtual void SetValidationFeature(bool16 on) = 0;
  virtual bool16 GetValidationFeature() const = 0;
  // Validation against an XML Schema (needs namespaces). The host resolves
  // nothing outside the stream, so only schemas the document holds count.
  virtual void SetSchemaValidationFeature(bool16 on) = 0;
  virtual bool16 GetSchemaValidationFeature() const = 0;
};

#pragma once
// Receives the events of one parse, in document order.
#include "IPMUnknown.h"
#include "SAXIDs.h"
#include "WideString.h"

class ISAXAttributes;

class ISAXContentHandler : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISAXCONTENTHANDLER;

  virtual void StartDocument() = 0;
  virtual void EndDocument() = 0;
  // Without namespace processing the URI is empty and the local name is the
  // name as written.
  virtual void StartElement(const WideString& uri, const WideString& localName, const WideString& qName,
                            ISAXAttributes* attributes) = 0;
  virtual void EndElement(const WideString& uri, const WideString& localName, const WideString& qName) = 0;
  // Character data, possibly in several pieces for one run of text.
  virtual void Characters(const WideString& chars) = 0;
};

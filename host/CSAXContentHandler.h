#pragma once
// Base of content handlers: every event is ignored unless overridden.
#include "CPMUnknown.h"
#include "ISAXContentHandler.h"

class CSAXContentHandler : public CPMUnknown<ISAXContentHandler> {
public:
  explicit CSAXContentHandler(IPMUnknown* boss) : CPMUnknown<ISAXContentHandler>(boss) {}
  virtual ~CSAXContentHandler() = default;

  void StartDocument() override {}
  void EndDocument() override {}
  void StartElement(const WideString&, const WideString&, const WideString&, ISAXAttributes*) override {}
  void EndElement(const WideString&, const WideString&, const WideString&) override {}
  void Characters(const WideString&) override {}
};

#pragma once
// Implementations behind the host's SAX parser class: the parser, its
// switches, and the provider that announces the parser service.
#include "host/CPMUnknown.h"
#include "host/CServiceProvider.h"
#include "host/ISAXGrammarCache.h"
#include "host/ISAXParser.h"
#include "host/ISAXParserOptions.h"

class SAXParserImpl : public CPMUnknown<ISAXParser> {
public:
  using CPMUnknown::CPMUnknown;
  ErrorCode Parse(IPMStream* stream, ISAXContentHandler* handler) override;
};

class SAXParserOptionsImpl : public CPMUnknown<ISAXParserOptions> {
public:
  using CPMUnknown::CPMUnknown;
  void SetNamespacesFeature(bool16 on) override { namespaces_ = on != 0; }
  bool16 GetNamespacesFeature() const override { return namespaces_; }
  void SetValidationFeature(bool16 on) override { validation_ = on != 0; }
  bool16 GetValidationFeature() const override { return validation_; }
  void SetSchemaValidationFeature(bool16 on) override { schema_ = on != 0; }
  bool16 GetSchemaValidationFeature() const override { return schema_; }

private:
  bool namespaces_ = false;
  bool validation_ = false;
  bool schema_ = false;
};

// Holds the external DTD this parser object's parses may name.
class SAXGrammarCacheImpl : public CPMUnknown<ISAXGrammarCache> {
public:
  using CPMUnknown::CPMUnknown;
  void SetExternalDTD(const WideString& systemID, const WideString& declarations) override;
  const WideString& SystemID() const { return systemID_; }
  const WideString& Declarations() const { return declarations_; }
  // Changes with every text set, and is unique in the process.
  uint64_t Revision() const { return revision_; }

private:
  WideString systemID_, declarations_;
  uint64_t revision_ = 0;
};

class SAXParserServiceProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return kSAXParserService; }
  bool16 IsDefaultServiceProvider() override { return true; }
};

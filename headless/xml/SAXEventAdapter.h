#pragma once
// Forwards Xerces SAX2 events to a host content handler, and turns the first
// error or fatal error into the end of the parse, keeping its message.
#include "host/ISAXContentHandler.h"
#include <string>
#include <xercesc/sax2/DefaultHandler.hpp>

class SAXEventAdapter final : public xercesc::DefaultHandler {
public:
  explicit SAXEventAdapter(ISAXContentHandler* handler) : handler_(handler) {}

  void startDocument() override { handler_->StartDocument(); }
  void endDocument() override { handler_->EndDocument(); }
  void startElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname,
                    const xercesc::Attributes& attrs) override;
  void endElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname) override;
  void characters(const XMLCh* const chars, const XMLSize_t length) override;

  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { Stop(e); }
  void fatalError(const xercesc::SAXParseException& e) override { Stop(e); }

  // The message of the error that ended the parse; empty if none did.
  const std::u16string& ErrorMessage() const { return message_; }

private:
  [[noreturn]] void Stop(const xercesc::SAXParseException& e);
  ISAXContentHandler* handler_;
  std::u16string message_;
};

#include "headless/xml/SAXEventAdapter.h"
#include "host/ISAXAttributes.h"
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>

namespace {
std::u16string Str(const XMLCh* s) { return s ? std::u16string(s) : std::u16string(); }

// Without namespace processing Xerces reports an empty local name; the name
// as written is then the local name.
WideString LocalName(const XMLCh* localname, const XMLCh* qname) {
  return WideString(Str(localname && *localname ? localname : qname));
}

// Lives on the stack for one StartElement call; references are counted for
// form's sake but never free it.
class AttributesAdapter final : public ISAXAttributes {
public:
  explicit AttributesAdapter(const xercesc::Attributes& attrs) : attrs_(attrs) {}

  IPMUnknown* QueryInterface(PMIID iid) const override {
    if (iid != IID_ISAXATTRIBUTES) return nullptr;
    AddRef();
    return const_cast<AttributesAdapter*>(this);
  }
  void AddRef() const override {}
  void Release() const override {}

  int32 GetCount() const override { return static_cast<int32>(attrs_.getLength()); }
  WideString GetName(int32 index) const override {
    return index < 0 ? WideString() : WideString(Str(attrs_.getQName(static_cast<XMLSize_t>(index))));
  }
  WideString GetValue(int32 index) const override {
    return index < 0 ? WideString() : WideString(Str(attrs_.getValue(static_cast<XMLSize_t>(index))));
  }
  bool16 HasAttribute(const WideString& name) const override { return Find(name) >= 0; }
  bool16 GetAttributeString(const WideString& name, WideString* value) const override {
    int32 at = Find(name);
    if (at < 0) return false;
    if (value) *value = GetValue(at);
    return true;
  }

private:
  int32 Find(const WideString& name) const {
    for (XMLSize_t i = 0; i < attrs_.getLength(); ++i) {
      const XMLCh* n = attrs_.getQName(i);
      if (n && name.Units() == n) return static_cast<int32>(i);
    }
    return -1;
  }
  const xercesc::Attributes& attrs_;
};
}  // namespace

void SAXEventAdapter::startElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname,
                                   const xercesc::Attributes& attrs) {
  AttributesAdapter attributes(attrs);
  handler_->StartElement(WideString(Str(uri)), LocalName(localname, qname), WideString(Str(qname)), &attributes);
}

void SAXEventAdapter::endElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname) {
  handler_->EndElement(WideString(Str(uri)), LocalName(localname, qname), WideString(Str(qname)));
}

void SAXEventAdapter::characters(const XMLCh* const chars, const XMLSize_t length) {
  handler_->Characters(WideString(std::u16string(chars, length)));
}

void SAXEventAdapter::Stop(const xercesc::SAXParseException& e) {
  message_ = Str(e.getMessage());
  // Xerces lets an error handler end the parse by throwing; the parser
  // object catches this at its boundary.
  throw e;
}

// Arbitrary input as a format: metacharacter conversion, parsing with a
// handler that reads every attribute the way building blocks do, and
// validation. Each format is parsed by a reused reader and by a fresh one:
// both must see the same events and outcome. Input starting with
// 'W' is UTF-16LE after that byte (lone surrogates, control characters);
// anything else is UTF-8.
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "headless/application/Application.h"
#include "headless/objects/Host.h"
#include "headless/xml/XercesReaderPool.h"
#include "host/CSAXContentHandler.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/ISAXAttributes.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" IPlugIn* GetPlugIn();

namespace {
constexpr ClassID kFuzzReaderBoss{0x7601};
constexpr ImplementationID kFuzzReaderImpl{0x7701};

class AttributeReader : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;
  void StartElement(const WideString&, const WideString& localName, const WideString&,
                    ISAXAttributes* attributes) override {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefElement> element(utils->QueryElement(PMString(localName)));
    if (element && element->GetName() != PMString(localName)) abort();
    log += u"<" + localName.Units();
    for (int32 i = 0; i < attributes->GetCount(); ++i) {
      PMString name(attributes->GetName(i));
      log += u" " + name.Units() + u"=" + attributes->GetValue(i).Units();
      if (!utils->HasAttribute(attributes, name)) abort();
      PMString value = utils->GetStringAttribute(attributes, name, PMString());
      if (value.Units() != attributes->GetValue(i).Units()) abort();
      utils->GetBoolAttribute(attributes, name, false);
      utils->GetIntAttribute(attributes, name, 0);
    }
    log += u">";
  }
  void EndElement(const WideString&, const WideString& localName, const WideString&) override {
    log += u"</" + localName.Units() + u">";
  }
  void Characters(const WideString& chars) override { log += chars.Units(); }

  std::u16string log;
};

// The parse's result and the events the handler saw.
std::pair<ErrorCode, std::u16string> Parse(IXRefParsingUtils* utils, const PMString& text) {
  InterfacePtr<IPMUnknown> reader(CreateObject(kFuzzReaderBoss, IPMUnknown::kControllingIID));
  ErrorCode parsed = utils->ParseFormat(text, reader.get(), false);
  if (ErrorUtils::PMGetGlobalErrorCode() != kSuccess) abort();  // cleared unless kept
  InterfacePtr<ISAXContentHandler> handler(reader.get(), IID_ISAXCONTENTHANDLER);
  return {parsed, static_cast<AttributeReader*>(handler.get())->log};
}

struct Session {
  Session() : app(AppOptions{"-", nullptr}) {
    std::string error;
    if (!app.RegisterPlugin(GetPlugIn(), &error)) abort();
    app.Start();
    Host::Get().Impls().InstallHost<AttributeReader>(kFuzzReaderImpl);
    Host::Get().Classes().Define({kFuzzReaderBoss, kInvalidClass, {{IID_ISAXCONTENTHANDLER, kFuzzReaderImpl}}});
  }
  Application app;
};

PMString FormatFrom(const uint8_t* data, size_t size) {
  if (size > 0 && data[0] == 'W') {
    std::u16string units((size - 1) / 2, u'\0');
    if (!units.empty()) std::memcpy(&units[0], data + 1, units.size() * 2);
    return PMString(units);
  }
  return PMString(Utf::ToUTF16(std::string(reinterpret_cast<const char*>(data), size)));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Session* session = new Session();  // one application for the whole run
  (void)session;
  InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  InterfacePtr<IXRefValidator> validator(utils->QueryValidator());
  if (!utils || !validator) abort();

  const PMString raw = FormatFrom(data, size);
  PMString text = raw;
  int32 position = -1;
  if (utils->ConvertMetacharacters(text, &position)) {
    // A failed conversion names a character after a caret and changes nothing.
    if (text != raw || position < 1 || position >= raw.CharCount() || raw[position - 1] != u'^') abort();
  } else {
    auto cached = Parse(utils.get(), text);
    XercesReaderPool::SetReuse(false);
    auto fresh = Parse(utils.get(), text);
    XercesReaderPool::SetReuse(true);
    if (cached != fresh) abort();
    ErrorCode validated = validator->Validate(raw, false);
    if ((cached.first == kSuccess) != (validated == kSuccess)) abort();
  }
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return 0;
}

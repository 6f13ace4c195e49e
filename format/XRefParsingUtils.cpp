// The format language's utility on the host's utilities object. Its state
// is the assembled DTD, built on first use and again only when the element
// service's providers change. A parser that keeps compiled DTDs is given it
// under a system identifier, so that it is compiled once rather than with
// every format; any other parser gets it inside each document.
#include "format/IXRefComposer.h"
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "format/IXRefValidator.h"
#include "format/XRefFormatDocument.h"
#include "format/XRefMetacharacters.h"
#include "format/XRefParsedFormat.h"
#include "host/CPMUnknown.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/IK2ServiceRegistry.h"
#include "host/IPMStream.h"
#include "host/ISAXAttributes.h"
#include "host/ISAXContentHandler.h"
#include "host/ISAXGrammarCache.h"
#include "host/ISAXParser.h"
#include "host/ISAXParserOptions.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include <climits>
#include <map>
#include <memory>
#include <unordered_map>

namespace {
const WideString kFormatDTDSystemID(u"xref-format.dtd");

// The component of a service whose provider is the given class.
IPMUnknown* QueryComponent(ServiceID service, ClassID cls, PMIID iid) {
  for (ClassID provider : ServiceRegistry::ProvidersOf(service))
    if (provider == cls) return CreateObject(cls, iid);
  return nullptr;
}

// The attribute's value, or false when the element has no such attribute.
bool FindAttribute(ISAXAttributes* attributes, const PMString& name, WideString* value) {
  // Names are unique per element, so the one match is the first.
  return attributes && attributes->GetAttributeString(WideString(name.Units()), value);
}

class XRefParsingUtils : public CPMUnknown<IXRefParsingUtils> {
public:
  using CPMUnknown::CPMUnknown;

  ISAXParser* CreateSAXParser(bool16 configure) override {
    if (!GetExecutionContextSession()) return nullptr;
    InterfacePtr<ISAXParser> parser(
        static_cast<ISAXParser*>(ServiceRegistry::QueryDefaultServiceProvider(kSAXParserService, IID_ISAXPARSER)));
    if (!parser || !configure) return parser.forget();
    // A parser that cannot be told to validate would accept any format.
    InterfacePtr<ISAXParserOptions> options(parser.get(), IID_ISAXPARSEROPTIONS);
    if (!options) return nullptr;
    options->SetNamespacesFeature(false);
    options->SetValidationFeature(true);
    options->SetSchemaValidationFeature(false);
    return parser.forget();
  }

  IXRefElement* QueryElement(const PMString& name) override {
    std::vector<ClassID> providers = ServiceRegistry::ProvidersOf(kXRefElementService);
    // Every element start and end asks; the classes found are kept by name
    // for as long as the providers stay the same.
    if (providers != elementProviders_) {
      elementProviders_ = providers;
      elementClasses_.clear();
    }
    auto known = elementClasses_.find(name.Units());
    if (known != elementClasses_.end())
      return static_cast<IXRefElement*>(CreateObject(known->second, IID_IXREFELEMENT));
    for (size_t i = providers.size(); i-- > 0;) {
      InterfacePtr<IXRefElement> element(static_cast<IXRefElement*>(CreateObject(providers[i], IID_IXREFELEMENT)));
      if (!element || element->GetName() != name) continue;
      elementClasses_[name.Units()] = providers[i];
      return element.forget();
    }
    return nullptr;
  }

  IXRefValidator* QueryValidator() override {
    return static_cast<IXRefValidator*>(
        QueryComponent(kXRefValidatorService, kXRefValidatorBoss, IID_IXREFVALIDATOR));
  }
  IXRefPreviewer* QueryPreviewer() override {
    return static_cast<IXRefPreviewer*>(
        QueryComponent(kXRefPreviewerService, kXRefPreviewerBoss, IID_IXREFPREVIEWER));
  }
  IXRefComposer* QueryComposer() override {
    return static_cast<IXRefComposer*>(QueryComponent(kXRefComposerService, kXRefComposerBoss, IID_IXREFCOMPOSER));
  }

  bool16 HasAttribute(ISAXAttributes* attributes, const PMString& name) override {
    WideString value;
    return FindAttribute(attributes, name, &value);
  }

  PMString GetStringAttribute(ISAXAttributes* attributes, const PMString& name,
                              const PMString& defaultValue) override {
    WideString value;
    if (!FindAttribute(attributes, name, &value)) return defaultValue;
    PMString result(value);
    result.SetTranslatable(false);
    return result;
  }

  bool16 GetBoolAttribute(ISAXAttributes* attributes, const PMString& name, bool16 defaultValue) override {
    WideString value;
    if (!FindAttribute(attributes, name, &value)) return defaultValue;
    const std::u16string& v = value.Units();
    if (v == u"true" || v == u"yes") return true;
    if (v == u"false" || v == u"no") return false;
    return defaultValue;
  }

  int32 GetIntAttribute(ISAXAttributes* attributes, const PMString& name, int32 defaultValue) override {
    WideString value;
    if (!FindAttribute(attributes, name, &value)) return defaultValue;
    bool ok = false;
    int32 number = PMString(value).GetAsNumber(&ok);
    return ok ? number : defaultValue;
  }

  bool16 ConvertMetacharacters(PMString& text, int32* errorPosition) override {
    return ConvertFormatMetacharacters(text, errorPosition);
  }

  ErrorCode ParseFormat(const PMString& format, IPMUnknown* handlerObject, bool16 keepError) override {
    if (!CurrentDTD()) return kFailure;
    ISAXParser* parser = FormatParser();
    if (!parser) return kFailure;
    InterfacePtr<ISAXContentHandler> handler(handlerObject, IID_ISAXCONTENTHANDLER);
    if (!handler) return kFailure;
    const PMString* header = parserHasDTD_ ? &namedHeader_ : StandAloneHeader();
    if (!header) return kFailure;
    PMString document;
    MarkupFault fault;
    if (!AssembleFormatDocument(*header, format, &document, &fault)) {
      // Reported as the parser would have, in words of the format's own.
      PMString message = MarkupFaultMessage(fault);
      ErrorUtils::PMSetGlobalErrorCode(kParserError, &message);
      if (!keepError) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      return kParserError;
    }
    const std::u16string& units = document.Units();
    if (units.size() > static_cast<size_t>(INT32_MAX / 2)) return kFailure;
    auto known = parsed_.find(units);
    if (known != parsed_.end()) {
      known->second->Replay(handler.get());
      return kSuccess;
    }
    InterfacePtr<IPMStream> stream(
        StreamUtil::CreatePointerStreamRead(units.data(), static_cast<int32>(units.size() * sizeof(char16_t))));
    if (!stream) return kFailure;

    auto recording = std::make_shared<XRefParsedFormat>();
    const ErrorCode parsed = recording->Record(
        handler.get(), [&](ISAXContentHandler* recorder) { return parser->Parse(stream.get(), recorder); });
    if (parsed == kSuccess) {
      if (parsed_.size() >= kParsedKept) parsed_.clear();
      parsed_.emplace(units, std::move(recording));
      return kSuccess;
    }
    ErrorCode result = ErrorUtils::PMGetGlobalErrorCode();
    // A handler may have cleared the global code; the failure still counts.
    if (result == kSuccess) result = parsed;
    if (!keepError) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return result;
  }

private:
  // The parser for formats, kept from one format to the next with the DTD
  // of the current elements set once; made again for another session or
  // once the DTD changed. Parses share it safely: each takes a reader of
  // its own.
  ISAXParser* FormatParser() {
    ISession* session = GetExecutionContextSession();
    if (!session) return nullptr;
    if (parser_ && parserSession_ == session) return parser_.get();
    parser_.reset(CreateSAXParser(true));
    parsed_.clear();
    parserSession_ = session;
    parserHasDTD_ = false;
    if (!parser_) return nullptr;
    InterfacePtr<ISAXGrammarCache> grammars(parser_.get(), IID_ISAXGRAMMARCACHE);
    if (grammars) grammars->SetExternalDTD(kFormatDTDSystemID, dtd_);
    parserHasDTD_ = grammars != nullptr;
    return parser_.get();
  }

  // The DTD of the elements registered now; false without a session.
  bool CurrentDTD() {
    if (!providers_.empty() && ServiceRegistry::ProvidersOf(kXRefElementService) == providers_) return true;
    std::vector<ClassID> providers;
    WideString dtd;
    if (!BuildFormatDTD(&providers, &dtd)) return false;
    parser_.reset();
    parsed_.clear();
    providers_ = providers;
    dtd_ = dtd;
    standAloneHeader_ = PMString();
    if (namedHeader_.empty()) namedHeader_ = FormatDocumentHeader(kFormatDTDSystemID);
    return true;
  }

  const PMString* StandAloneHeader() {
    if (standAloneHeader_.empty() && !BuildFormatDTDHeader(&standAloneHeader_)) return nullptr;
    return &standAloneHeader_;
  }

  // Invariant: dtd_ holds the declarations of exactly the providers in
  // providers_ (empty until first built); standAloneHeader_ is empty or
  // holds them too.
  std::vector<ClassID> providers_;
  WideString dtd_;
  // Invariant: parser_, when set, was made in parserSession_ and holds dtd_
  // when parserHasDTD_.
  InterfacePtr<ISAXParser> parser_;
  ISession* parserSession_ = nullptr;
  bool parserHasDTD_ = false;
  // The classes of the elements found so far among elementProviders_, by name.
  std::vector<ClassID> elementProviders_;
  std::map<std::u16string, ClassID> elementClasses_;
  PMString namedHeader_, standAloneHeader_;
  // The events of documents that parsed cleanly with parser_ and dtd_, by
  // the document: a document assembles its format and the DTD's header, so
  // the same text always parses the same. Formats are few; past
  // kParsedKept the cache starts again.
  static constexpr size_t kParsedKept = 256;
  std::unordered_map<std::u16string, std::shared_ptr<const XRefParsedFormat>> parsed_;
};
}  // namespace

CREATE_PMINTERFACE(XRefParsingUtils, kXRefParsingUtilsImpl);

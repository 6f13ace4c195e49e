#include "headless/xml/SAXParserObjects.h"
#include "headless/xml/XercesParse.h"
#include "host/CmdUtils.h"
#include "host/InterfacePtr.h"
#include <atomic>

void SAXGrammarCacheImpl::SetExternalDTD(const WideString& systemID, const WideString& declarations) {
  static std::atomic<uint64_t> revisions{0};
  systemID_ = systemID;
  declarations_ = declarations;
  revision_ = ++revisions;
}

ErrorCode SAXParserImpl::Parse(IPMStream* stream, ISAXContentHandler* handler) {
  if (!stream || !handler) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return kInvalidParameterError;
  }
  ParserFeatures features;
  InterfacePtr<ISAXParserOptions> options(this, IID_ISAXPARSEROPTIONS);
  if (options) {
    features.namespaces = options->GetNamespacesFeature() != 0;
    features.validation = options->GetValidationFeature() != 0;
    features.schema = options->GetSchemaValidationFeature() != 0;
  }
  ExternalDTD dtd;
  InterfacePtr<ISAXGrammarCache> grammars(this, IID_ISAXGRAMMARCACHE);
  auto* cache = static_cast<SAXGrammarCacheImpl*>(grammars.get());
  if (cache && !cache->SystemID().empty()) {
    dtd.systemID = cache->SystemID().Units();
    dtd.declarations = &cache->Declarations().Units();
    dtd.revision = cache->Revision();
  }
  ParseFailure failure;
  if (RunXercesParse(features, dtd, stream, handler, &failure)) return kSuccess;
  PMString message(failure.message);
  message.SetTranslatable(false);
  ErrorUtils::PMSetGlobalErrorCode(failure.code, &message);
  return failure.code;
}

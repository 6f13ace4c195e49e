#include "headless/xml/XercesParse.h"
#include "headless/xml/SAXEventAdapter.h"
#include "headless/xml/XercesReaderPool.h"
#include "host/IPMStream.h"
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/XMLException.hpp>

using namespace xercesc;

namespace {
bool Fail(ParseFailure* failure, ErrorCode code, const std::u16string& message) {
  failure->code = code;
  failure->message = message;
  return false;
}

std::u16string Str(const XMLCh* s) { return s ? std::u16string(s) : std::u16string(); }

// The rest of the stream. Host streams are in memory, so holding it whole
// costs little.
std::string ReadAll(IPMStream* stream) {
  std::string bytes;
  char chunk[16384];
  for (;;) {
    int32 got = stream->XferBytes(chunk, static_cast<int32>(sizeof(chunk)));
    if (got <= 0) break;
    bytes.append(chunk, static_cast<size_t>(got));
  }
  return bytes;
}

bool Parse(SAX2XMLReader& reader, const ExternalDTD& dtd, const XMLByte* data, size_t size,
           SAXEventAdapter& events, ParseFailure* failure) {
  MemBufInputSource source(data, size, "document");
  try {
    if (!XercesReaderPool::PrepareGrammar(reader, dtd))
      return Fail(failure, kParserError, u"the external DTD does not compile");
    reader.parse(source);
    return true;
  } catch (const SAXParseException&) {
    return Fail(failure, kParserError, events.ErrorMessage());
  } catch (const OutOfMemoryException&) {
    return Fail(failure, kOutOfMemoryError, u"out of memory while parsing");
  } catch (const XMLException& e) {
    return Fail(failure, kParserError, Str(e.getMessage()));
  } catch (const SAXException& e) {
    return Fail(failure, kParserError, Str(e.getMessage()));
  } catch (const std::bad_alloc&) {
    return Fail(failure, kOutOfMemoryError, u"out of memory while parsing");
  } catch (...) {
    return Fail(failure, kParserError, u"the parse was interrupted");
  }
}
}  // namespace

bool RunXercesParse(const ParserFeatures& features, const ExternalDTD& dtd, IPMStream* stream,
                    ISAXContentHandler* handler, ParseFailure* failure) {
  const std::string bytes = ReadAll(stream);
  std::unique_ptr<SAX2XMLReader> reader = XercesReaderPool::Take(features);
  if (!reader) return Fail(failure, kParserError, u"the XML parser cannot start");
  SAXEventAdapter events(handler);
  reader->setContentHandler(&events);
  reader->setErrorHandler(&events);
  const bool ok = Parse(*reader, dtd, reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(), events, failure);
  reader->setContentHandler(nullptr);
  reader->setErrorHandler(nullptr);
  // A reader that stopped half-way is not trusted with another document.
  if (ok) XercesReaderPool::Give(features, std::move(reader));
  return ok;
}

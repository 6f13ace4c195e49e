#include "headless/xml/XercesReaderPool.h"
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

using namespace xercesc;

namespace {
bool gReuse = true;

int Slot(const ParserFeatures& f) { return (f.namespaces ? 1 : 0) | (f.validation ? 2 : 0) | (f.schema ? 4 : 0); }

struct IdleReaders {
  std::unique_ptr<SAX2XMLReader> slots[8];
};
thread_local IdleReaders tIdle;

// Bounds entity expansion for documents that declare their own entities;
// the host's own documents expand none.
SecurityManager& Limits() {
  static SecurityManager* manager = [] {
    auto* m = new SecurityManager();  // outlives every reader
    m->setEntityExpansionLimit(10000);
    return m;
  }();
  return *manager;
}

std::unique_ptr<SAX2XMLReader> NewReader(const ParserFeatures& f) {
  std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
  reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, f.namespaces);
  reader->setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
  reader->setFeature(XMLUni::fgSAX2CoreValidation, f.validation);
  // Validate always when asked, not only when a grammar turns up.
  reader->setFeature(XMLUni::fgXercesDynamic, false);
  reader->setFeature(XMLUni::fgXercesSchema, f.schema && f.namespaces);
  reader->setFeature(XMLUni::fgXercesSchemaFullChecking, false);
  // The host parses what it is given and reaches for nothing else: no
  // external DTD, entity or schema is ever opened.
  reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
  reader->setFeature(XMLUni::fgXercesLoadSchema, false);
  reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setProperty(XMLUni::fgXercesSecurityManager, &Limits());
  return reader;
}
}  // namespace

bool XercesReaderPool::EnsureInitialized() {
  static const bool ok = [] {
    try {
      XMLPlatformUtils::Initialize();
      return true;
    } catch (const XMLException&) {
      return false;
    }
  }();
  return ok;
}

std::unique_ptr<SAX2XMLReader> XercesReaderPool::Take(const ParserFeatures& features) {
  if (!EnsureInitialized()) return nullptr;
  std::unique_ptr<SAX2XMLReader>& idle = tIdle.slots[Slot(features)];
  if (idle) return std::move(idle);
  try {
    return NewReader(features);
  } catch (...) {
    return nullptr;
  }
}

void XercesReaderPool::Give(const ParserFeatures& features, std::unique_ptr<SAX2XMLReader> reader) {
  std::unique_ptr<SAX2XMLReader>& idle = tIdle.slots[Slot(features)];
  if (gReuse && !idle) idle = std::move(reader);
}

void XercesReaderPool::SetReuse(bool reuse) {
  gReuse = reuse;
  if (reuse) return;
  for (auto& slot : tIdle.slots) slot.reset();
}

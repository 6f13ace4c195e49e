#include "headless/xml/XercesReaderPool.h"
#include <map>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/XMLGrammarPoolImpl.hpp>
#include <xercesc/sax/EntityResolver.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xercesc/validators/common/Grammar.hpp>

using namespace xercesc;

namespace {
bool gReuse = true;

int Slot(const ParserFeatures& f) { return (f.namespaces ? 1 : 0) | (f.validation ? 2 : 0) | (f.schema ? 4 : 0); }

// A source over text held elsewhere, in the platform's UTF-16.
InputSource* TextSource(const std::u16string& text, const XMLCh* systemID) {
  auto* source = new MemBufInputSource(reinterpret_cast<const XMLByte*>(text.data()), text.size() * sizeof(char16_t),
                                       systemID, false);
  source->setEncoding(XMLUni::fgXMLChEncodingString);
  return source;
}

// Serves the DTDs given from memory, by system identifier, and nothing else:
// any other entity stays unresolved, so nothing outside the stream is read.
class MemoryDTDs final : public EntityResolver {
public:
  // A text compiled under an identifier, and the revision it was last known
  // by (0: none): the same revision is the same text, not compared again.
  struct Known {
    std::u16string text;
    uint64_t revision = 0;
  };

  InputSource* resolveEntity(const XMLCh* const, const XMLCh* const systemID) override {
    if (!systemID) return nullptr;
    auto it = known_.find(systemID);
    return it == known_.end() ? nullptr : TextSource(it->second.text, systemID);
  }
  // What is compiled under the identifier, or null.
  Known* Find(const std::u16string& systemID) {
    auto it = known_.find(systemID);
    return it == known_.end() ? nullptr : &it->second;
  }
  void Set(const std::u16string& systemID, const std::u16string& text, uint64_t revision) {
    known_[systemID] = Known{text, revision};
  }
  void Forget(const std::u16string& systemID) { known_.erase(systemID); }

private:
  std::map<std::u16string, Known> known_;
};

// Invariant: every text in `dtds` is compiled in `grammars` under its
// identifier; the readers were made with `grammars` and die before it.
struct ThreadParsers {
  std::unique_ptr<XMLGrammarPoolImpl> grammars;
  MemoryDTDs dtds;
  long compiled = 0;
  std::unique_ptr<SAX2XMLReader> idle[8];
};
thread_local ThreadParsers tParsers;

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

XMLGrammarPool* Grammars() {
  if (!tParsers.grammars) tParsers.grammars.reset(new XMLGrammarPoolImpl(XMLPlatformUtils::fgMemoryManager));
  return tParsers.grammars.get();
}

std::unique_ptr<SAX2XMLReader> NewReader(const ParserFeatures& f) {
  std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader(XMLPlatformUtils::fgMemoryManager, Grammars()));
  reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, f.namespaces);
  reader->setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
  reader->setFeature(XMLUni::fgSAX2CoreValidation, f.validation);
  // Validate always when asked, not only when a grammar turns up.
  reader->setFeature(XMLUni::fgXercesDynamic, false);
  reader->setFeature(XMLUni::fgXercesSchema, f.schema && f.namespaces);
  reader->setFeature(XMLUni::fgXercesSchemaFullChecking, false);
  // The host parses what it is given and reaches for nothing else: no
  // external DTD, entity or schema is ever opened; the only DTDs from
  // outside the document are those given from memory.
  reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
  reader->setFeature(XMLUni::fgXercesLoadSchema, false);
  reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setEntityResolver(&tParsers.dtds);
  // Compiled DTDs are taken from the pool, and only those given from memory
  // go into it: a document's own internal subset is never kept, nor does it
  // change a kept grammar.
  reader->setFeature(XMLUni::fgXercesUseCachedGrammarInParse, true);
  reader->setFeature(XMLUni::fgXercesCacheGrammarFromParse, false);
  reader->setFeature(XMLUni::fgXercesIgnoreCachedDTD, true);
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
  std::unique_ptr<SAX2XMLReader>& idle = tParsers.idle[Slot(features)];
  if (idle) return std::move(idle);
  try {
    return NewReader(features);
  } catch (...) {
    return nullptr;
  }
}

void XercesReaderPool::Give(const ParserFeatures& features, std::unique_ptr<SAX2XMLReader> reader) {
  std::unique_ptr<SAX2XMLReader>& idle = tParsers.idle[Slot(features)];
  if (gReuse && !idle) idle = std::move(reader);
}

void XercesReaderPool::SetReuse(bool reuse) {
  gReuse = reuse;
  if (reuse) return;
  for (auto& slot : tParsers.idle) slot.reset();
}

bool XercesReaderPool::PrepareGrammar(SAX2XMLReader& reader, const ExternalDTD& dtd) {
  if (dtd.systemID.empty() || !dtd.declarations) return true;
  MemoryDTDs::Known* known = tParsers.dtds.Find(dtd.systemID);
  if (known && dtd.revision != 0 && known->revision == dtd.revision) return true;
  if (known && known->text == *dtd.declarations) {
    known->revision = dtd.revision;
    return true;
  }
  XMLGrammarPool* pool = Grammars();
  // Another text under the same identifier replaces the compiled grammar.
  if (known) {
    tParsers.dtds.Forget(dtd.systemID);
    delete pool->orphanGrammar(dtd.systemID.c_str());
  }
  std::unique_ptr<InputSource> source(TextSource(*dtd.declarations, dtd.systemID.c_str()));
  if (!reader.loadGrammar(*source, Grammar::DTDGrammarType, true)) return false;
  tParsers.dtds.Set(dtd.systemID, *dtd.declarations, dtd.revision);
  ++tParsers.compiled;
  return true;
}

long XercesReaderPool::GrammarsCompiled() { return tParsers.compiled; }

// Xerces 3.2.4 as the distributions ship it (patched against CVE-2018-1311)
// no longer frees the pseudo-entity "DTD" it pushes while it scans an
// external subset: 104 bytes, its name and its system identifier, once for
// each external DTD compiled. Reading the subset any other way leaks the
// same (a document naming it, cached from the parse); compiling it as an
// internal subset is not cached. Compiles happen once per DTD text and
// thread, so the loss is bounded; this tells LeakSanitizer about exactly
// that allocation and nothing else.
// The suppression itself is in headless/application/LeakSuppressions.cpp.

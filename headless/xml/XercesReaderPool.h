#pragma once
// Configured Xerces SAX2 readers, kept for reuse: building a reader costs a
// good part of parsing a short document, and the host parses many. One idle
// reader is kept per combination of features, on each thread.
//
// External DTDs given from memory are compiled once into the thread's
// grammar pool, which every reader of the thread shares, and compiled again
// only when another text is given under the same system identifier.
#include "headless/xml/XercesParse.h"
#include <memory>
#include <xercesc/sax2/SAX2XMLReader.hpp>

class XercesReaderPool {
public:
  // Initializes Xerces once per process; false when it cannot start.
  static bool EnsureInitialized();
  // A reader set up for the features, idle or new; null when Xerces fails.
  static std::unique_ptr<xercesc::SAX2XMLReader> Take(const ParserFeatures& features);
  // Hands a reader back after a parse that ended cleanly.
  static void Give(const ParserFeatures& features, std::unique_ptr<xercesc::SAX2XMLReader> reader);
  // Off: every parse builds its own reader (benchmarks and tests compare both).
  static void SetReuse(bool reuse);

  // Makes the DTD available to the thread's readers: compiled into the pool
  // unless the same text already is. False when the text does not compile;
  // Xerces exceptions are the caller's to catch.
  static bool PrepareGrammar(xercesc::SAX2XMLReader& reader, const ExternalDTD& dtd);
  // How many DTDs this thread has compiled (tests see the cache work).
  static long GrammarsCompiled();
};

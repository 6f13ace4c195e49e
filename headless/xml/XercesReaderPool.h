#pragma once
// Configured Xerces SAX2 readers, kept for reuse: building a reader costs a
// good part of parsing a short document, and the host parses many. One idle
// reader is kept per combination of features, on each thread.
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
};

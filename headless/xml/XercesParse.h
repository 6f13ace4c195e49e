#pragma once
// One SAX parse with Xerces-C, from a host stream to a host content handler.
// Xerces exceptions never leave it.
#include "host/IDTypes.h"
#include <string>

class IPMStream;
class ISAXContentHandler;

struct ParserFeatures {
  bool namespaces = false;
  bool validation = false;
  bool schema = false;
};

struct ParseFailure {
  ErrorCode code = kSuccess;
  std::u16string message;
};

// A DTD given from memory for documents that name its system identifier;
// none when the identifier is empty. The text outlives the parse.
struct ExternalDTD {
  std::u16string systemID;
  const std::u16string* declarations = nullptr;
  // Names the text: the same revision is the same text, so a grammar
  // compiled from it need not be compared again. 0 names nothing.
  uint64_t revision = 0;
};

// False with *failure filled when the document is rejected or cannot be read.
bool RunXercesParse(const ParserFeatures& features, const ExternalDTD& dtd, IPMStream* stream,
                    ISAXContentHandler* handler, ParseFailure* failure);

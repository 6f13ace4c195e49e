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

// False with *failure filled when the document is rejected or cannot be read.
bool RunXercesParse(const ParserFeatures& features, IPMStream* stream, ISAXContentHandler* handler,
                    ParseFailure* failure);

#pragma once
// A parser object of the host's SAX parser service (kSAXParserService); its
// switches are on ISAXParserOptions of the same object.
#include "IPMUnknown.h"
#include "SAXIDs.h"

class IPMStream;
class ISAXContentHandler;

class ISAXParser : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISAXPARSER;

  // Reads one document from the stream and sends its events to the handler.
  // The encoding is detected from the first bytes: UTF-16 needs a byte-order
  // mark or an XML declaration. Answers 0 on success.
  // On failure, including the first validation error, the parse stops, the
  // global error code is set with the parser's message, and the code is
  // answered; the handler may have received events before the fault.
  virtual ErrorCode Parse(IPMStream* stream, ISAXContentHandler* handler) = 0;
};

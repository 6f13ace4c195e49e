#pragma once
// External DTDs a parser object takes from memory. A document whose DOCTYPE
// names one of them by its system identifier is checked against it. The
// parser compiles each DTD once and keeps the compiled grammar for later
// parses, by any parser object on the same thread, until another text is
// given under that identifier. Nothing else outside the stream is read.
#include "IPMUnknown.h"
#include "SAXIDs.h"
#include "WideString.h"

class ISAXGrammarCache : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISAXGRAMMARCACHE;

  // The DTD (declarations only, no DOCTYPE) for documents that name the
  // system identifier; applies to this parser object's parses.
  virtual void SetExternalDTD(const WideString& systemID, const WideString& declarations) = 0;
};

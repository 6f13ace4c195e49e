#pragma once
// The document utility (UtilsBoss::QueryUtils): opens a document by its file.
#include "HostIDs.h"
#include "IDFile.h"
#include "IPMUnknown.h"
#include "UIDRef.h"

class IDocumentUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENTUTILS;
  // Opens the file as a document without a window: it does not become the
  // front document. Opening sends the same signals and does the same work as
  // the application's own opening. Answers kSuccess with the document's root
  // in *doc (an already open document is answered as it is); otherwise the
  // error code, also set as the global error, and nothing is opened.
  virtual ErrorCode OpenDocumentFile(const IDFile& file, UIDRef* doc) = 0;
};

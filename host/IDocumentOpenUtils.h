#pragma once
// The document-opening utility (UtilsBoss::QueryUtils): whether a file may
// be opened as a document.
#include "HostIDs.h"
#include "IDFile.h"
#include "IPMUnknown.h"

class IDocumentOpenUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENTOPENUTILS;
  // Yes when IDocumentUtils::OpenDocumentFile may open the file: it exists,
  // is a regular readable file, begins with the document signature, and is
  // not open already. On no, *reason (when given) says why:
  // kFileNotFoundError, kFileNotReadableError, kNotADocumentError or
  // kDocumentAlreadyOpenError. The file's content beyond its signature is
  // checked only by opening.
  virtual bool16 CanOpenFile(const IDFile& file, ErrorCode* reason = nullptr) const = 0;
};

#pragma once
// The document, on the root object (UID 1) of its database.
#include "HostIDs.h"
#include "IDFile.h"
#include "IPMUnknown.h"
#include "UIDRef.h"

class IDocument : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENT;

  // The document's workspace: its styles, fonts, swatches and preferences.
  virtual UIDRef GetDocWorkspace() const = 0;
  // "Untitled-N" until the document is saved, then its file name.
  virtual void GetName(PMString* name) const = 0;
  // The document's file; empty while the document has never been saved.
  virtual IDFile GetFile() const = 0;
  virtual bool16 IsSaved() const = 0;
};

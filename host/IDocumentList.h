#pragma once
// The application's open documents, in the order they were made or opened,
// as the session's application offers them (ISession::GetApplication, then
// IApplication::GetDocumentList). Valid while the application lives.
#include "IDFile.h"
#include "UIDRef.h"

class IDocumentList {
public:
  virtual ~IDocumentList() = default;
  virtual int32 GetDocCount() const = 0;
  // The root object of the n-th document; a null UIDRef out of range.
  virtual UIDRef GetNthDoc(int32 n) const = 0;
  // The open document whose file is the same file on disk as `file`: both
  // paths made absolute, normalized and with their links resolved, then
  // compared exactly (letter case counts). A null UIDRef when none; an
  // untitled document has no file and is never found.
  virtual UIDRef FindDoc(const IDFile& file) const = 0;
  // Whether the document has a window: documents the user made or opened
  // have one; those opened by IDocumentUtils have none until the
  // open-window command (kOpenWindowCmdBoss) gives them one.
  virtual bool16 HasWindow(const UIDRef& doc) const = 0;
  // The front document (the active context's); a null UIDRef when none.
  virtual UIDRef GetFrontDoc() const = 0;
};

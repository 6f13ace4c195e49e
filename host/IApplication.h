#pragma once
// The application's open documents, in the order they were made or opened.
#include "IPMUnknown.h"
#include "IDFile.h"
#include "UIDRef.h"

class IDocumentList;

class IApplication {
public:
  virtual ~IApplication() = default;
  // The open documents; never null while the application lives.
  virtual IDocumentList* GetDocumentList() const = 0;
  virtual int32 GetDocCount() const = 0;
  // The root object of the n-th document's database.
  virtual UIDRef GetNthDocRef(int32 n) const = 0;
  // The open document whose file is this one; null UIDRef when none.
  virtual UIDRef FindDocumentByFile(const IDFile& file) const = 0;
  // Opens a document by file (without showing it) and answers its root; a
  // null UIDRef on failure, with the global error code set.
  virtual UIDRef OpenDocumentFile(const IDFile& file) = 0;
};

class IActiveContext {
public:
  virtual ~IActiveContext() = default;
  // The front document's root object; a null UIDRef when no document is open.
  virtual UIDRef GetContextDocRef() const = 0;
  // The front document's workspace, or the application workspace.
  virtual UIDRef GetContextWorkspaceRef() const = 0;
  // Selects [start, end) of a story (clipped to it) and brings its document
  // to the front; false when the story does not exist or the range is empty
  // after clipping and start lies outside the story.
  virtual bool16 SelectText(const UIDRef& story, TextIndex start, TextIndex end) = 0;
  // The current text selection; false when there is none (no document, or
  // the selected story is gone).
  virtual bool16 GetTextSelection(UIDRef* story, TextIndex* start, TextIndex* end) const = 0;
};

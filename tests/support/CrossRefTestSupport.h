#pragma once
// Helpers for cross-reference tests: the insertion and update commands run
// as a user action would, and lookups of a document's cross-references.
#include "headless/database/DataBase.h"
#include "host/IDFile.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"
#include <string>

struct CrossRefRequest {
  TextIndex start = 0;
  int32 length = 0;
  std::string marker;
  std::string formatName = "Test";
  std::string format = "<paratext/>";
  IDFile source;  // empty: a local source
  bool hyperlink = false;
};

// Runs XRefInsertCrossRefCmd; the new cross-reference, or kInvalidUID with
// the command's result in `err`.
UID InsertCrossRef(IDataBase* db, UID story, const CrossRefRequest& request, ErrorCode* err = nullptr);
ErrorCode UpdateCrossRefs(const UIDList& crossRefs, bool live = false);
ErrorCode RunOn(ClassID command, const UIDRef& item);

InterfacePtr<IXRefCrossRef> CrossRef(IDataBase* db, UID crossRef);
InterfacePtr<IXRefCrossRefList> CrossRefList(IDataBase* db);
// The text between the markers, as UTF-8.
std::string CurrentText(IDataBase* db, UID crossRef);
// The UIDs of a list, in order.
std::vector<UID> UIDsOf(const UIDList& list);

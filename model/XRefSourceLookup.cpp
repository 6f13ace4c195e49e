#include "model/XRefSourceLookup.h"
#include "host/APath.h"
#include "host/CmdUtils.h"
#include "host/FileUtils.h"
#include "host/IApplication.h"
#include "host/IDocument.h"
#include "host/IDocumentList.h"
#include "host/IDocumentOpenUtils.h"
#include "host/IDocumentUtils.h"
#include "host/UtilsBoss.h"
#include "model/XRefCrossRefContainer.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefSourcePath.h"

namespace {
IXRefSourceMarker* Find(IDataBase* db, const PMString& name) {
  InterfacePtr<IXRefSourceMarkerList> list(db, db ? db->GetRootUID() : kInvalidUID);
  return list ? list->QueryMarkerByName(name) : nullptr;
}

void Record(XRefSourceState* result, int32 state, const PMString& message) {
  result->state = state;
  result->message = message;
  result->changed = true;
}

IDocumentList* Documents() {
  ISession* session = GetExecutionContextSession();
  IApplication* app = session ? session->GetApplication() : nullptr;
  return app ? app->GetDocumentList() : nullptr;
}

// Opens a closed source document and gives it a window; the document's root,
// or null, also when the host may not open it.
UIDRef Open(IDocumentList* docs, const IDFile& file) {
  InterfacePtr<IDocumentOpenUtils> may(UtilsBoss::QueryUtils<IDocumentOpenUtils>());
  InterfacePtr<IDocumentUtils> open(UtilsBoss::QueryUtils<IDocumentUtils>());
  if (!may || !open || !may->CanOpenFile(file)) return UIDRef();
  UIDRef opened;
  if (open->OpenDocumentFile(file, &opened) != kSuccess) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (opened.GetDataBase()) XRefCrossRefContainer::ShowDocument(opened);
  return docs->FindDoc(file);
}
}  // namespace

PMString XRefSourceLookup::Message(const char* key, const PMString& p1, const PMString& p2) {
  PMString message(key);
  message.Translate();
  StringUtils::ReplaceStringParameters(&message, p1, p2);
  return message;
}

IXRefSourceMarker* XRefSourceLookup::Local(IDataBase* db, const PMString& name, XRefSourceState* result) {
  IXRefSourceMarker* marker = Find(db, name);
  if (marker) {
    Record(result, 0, Message("QX#0xF2C#kXRefSourceOKKey"));
    return marker;
  }
  const PMString shown = name.IsEmpty() ? Message("QX#0xF2C#kXRefEmptyKey") : name;
  Record(result, 1, Message("QX#0xF2C#kXRefLocalSourceMarkerDoesntExistKey", shown));
  return nullptr;
}

UIDRef XRefSourceLookup::FindOpenDocument(const IDFile& file, bool byNameToo) {
  IDocumentList* docs = Documents();
  if (!docs || file.IsEmpty()) return UIDRef();
  const UIDRef exact = docs->FindDoc(file);
  if (exact.GetDataBase() || !byNameToo) return exact;
  const WideString name = file.GetFileName().GetWideString();
  for (int32 i = 0; i < docs->GetDocCount(); ++i) {
    InterfacePtr<IDocument> doc(docs->GetNthDoc(i));
    if (doc && !doc->GetFile().IsEmpty() &&
        APath::ComponentsEqualIgnoringCase(doc->GetFile().GetFileName().GetWideString(), name))
      return docs->GetNthDoc(i);
  }
  return UIDRef();
}

IXRefSourceMarker* XRefSourceLookup::External(const IDFile& file, const PMString& name, bool16 openClosed,
                                              XRefSourceState* result) {
  const PMString path = XRefSourcePath::PathText(file);
  IDocumentList* docs = Documents();
  if (!docs) return nullptr;
  UIDRef doc = docs->FindDoc(file);
  if (!doc.GetDataBase()) {
    bool opened = false;
    // A file that does not exist cannot be found, whether or not opening was
    // asked; one the host refuses to open cannot be opened, which is what
    // every later lookup would say too.
    if (!FileUtils::DoesFileExist(file)) {
      Record(result, 1, Message("QX#0xF2C#kXRefCantFindSourceDocumentKey", path));
    } else if (!openClosed) {
      Record(result, 1, Message("QX#0xF2C#kXRefSourceDocumentIsClosedKey", path));
    } else {
      doc = Open(docs, file);
      opened = doc.GetDataBase() != nullptr;
      if (!opened) Record(result, 1, Message("QX#0xF2C#kXRefCantOpenSourceDocumentKey", path));
    }
    if (!opened) doc = FindOpenDocument(file, true);
    if (!doc.GetDataBase()) return nullptr;
  }
  IXRefSourceMarker* marker = Find(doc.GetDataBase(), name);
  if (marker)
    Record(result, 0, Message("QX#0xF2C#kXRefSourceOKKey"));
  else
    Record(result, 1, Message("QX#0xF2C#kXRefExternalSourceMarkerDoesntExistKey", name, path));
  return marker;
}

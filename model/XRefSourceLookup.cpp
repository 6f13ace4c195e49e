#include "model/XRefSourceLookup.h"
#include "host/CmdUtils.h"
#include "host/IApplication.h"
#include "host/IDocument.h"
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

IApplication* Application() {
  ISession* session = GetExecutionContextSession();
  return session ? session->GetApplication() : nullptr;
}

// Opens a closed source document; the document's root, or null. A document
// the host may not open leaves `refused` set and the state as it was.
UIDRef Open(IApplication* app, const IDFile& file, bool* refused) {
  *refused = false;
  UIDRef opened = app->OpenDocumentFile(file);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (!opened.GetDataBase()) return UIDRef();
  return app->FindDocumentByFile(file);
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
  IApplication* app = Application();
  if (!app || file.IsEmpty()) return UIDRef();
  const UIDRef exact = app->FindDocumentByFile(file);
  if (exact.GetDataBase() || !byNameToo) return exact;
  const PMString name = file.GetFileName();
  for (int32 i = 0; i < app->GetDocCount(); ++i) {
    InterfacePtr<IDocument> doc(app->GetNthDocRef(i));
    if (doc && !doc->GetFile().IsEmpty() && doc->GetFile().GetFileName().IsEqualNoCase(name))
      return app->GetNthDocRef(i);
  }
  return UIDRef();
}

IXRefSourceMarker* XRefSourceLookup::External(const IDFile& file, const PMString& name, bool16 openClosed,
                                              XRefSourceState* result) {
  const PMString path = XRefSourcePath::PathText(file);
  IApplication* app = Application();
  if (!app) return nullptr;
  UIDRef doc = app->FindDocumentByFile(file);
  if (!doc.GetDataBase()) {
    bool opened = false;
    if (!openClosed) {
      Record(result, 1, Message("QX#0xF2C#kXRefSourceDocumentIsClosedKey", path));
    } else if (file.Exists()) {
      bool refused = false;
      doc = Open(app, file, &refused);
      if (refused) return nullptr;
      opened = doc.GetDataBase() != nullptr;
      if (!opened) Record(result, 1, Message("QX#0xF2C#kXRefCantOpenSourceDocumentKey", path));
    } else {
      Record(result, 1, Message("QX#0xF2C#kXRefCantFindSourceDocumentKey", path));
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

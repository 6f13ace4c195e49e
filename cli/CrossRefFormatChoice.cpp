#include "cli/CrossRefFormatChoice.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"
#include "model/IXRefFormats.h"

bool ResolveFormat(IDataBase* doc, const FormatChoice& choice, std::string* name, std::string* markup,
                   std::string* error) {
  if (choice.name.empty()) {
    name->clear();
    *markup = choice.markup;
    return true;
  }
  InterfacePtr<IDocument> document(doc, kRootUID);
  InterfacePtr<IXRefFormats> formats(document ? document->GetDocWorkspace() : UIDRef());
  const int32 at = formats ? formats->FindFormat(PMString(choice.name.c_str())) : -1;
  if (at < 0) {
    *error = "no format named \"" + choice.name + "\" in the document";
    return false;
  }
  *name = formats->GetFormatName(at).GetUTF8String();
  *markup = formats->GetFormatString(at).GetUTF8String();
  return true;
}

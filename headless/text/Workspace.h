#pragma once
// A database's workspace (the document's, or the application's own root)
// and the making of its styles, fonts, swatches and languages. Made inside
// a transaction, they are part of its undo step.
#include "host/AttributeBossList.h"
#include "host/UIDRef.h"
#include <vector>

UIDRef WorkspaceOf(IDataBase* db);
// An interface of the database's workspace (with a reference the caller
// releases), or null.
IPMUnknown* QueryWorkspaceInterface(IDataBase* db, PMIID iid);

namespace Workspace {
extern const char* const kRootCharStyleName;  // "[None]"
extern const char* const kRootParaStyleName;  // "[Basic Paragraph]"

// The root style of a kind, made when the workspace has none yet.
UID RootStyle(IDataBase* db, bool paragraph);
// A style named by its full path (groups and name separated by U+E00B).
// kInvalidUID when the path is empty or already taken.
UID NewStyle(IDataBase* db, bool paragraph, const PMString& fullPath, const AttributeBossList& attrs,
             int32 numbering);
UID NewFontFamily(IDataBase* db, const PMString& name, const std::vector<PMString>& styles);
UID NewSwatch(IDataBase* db, const PMString& name, uint32 rgb);
UID NewLanguage(IDataBase* db, const PMString& name);
// Replaces the attributes a style sets (its numbering too for a paragraph style).
bool SetStyleAttributes(IDataBase* db, UID style, const AttributeBossList& attrs, int32 numbering);
}  // namespace Workspace

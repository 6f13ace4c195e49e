#pragma once
// Helpers for format tests: a document's workspace and formats, and the
// format commands run as a user action would.
#include "headless/database/DataBase.h"
#include "host/InterfacePtr.h"
#include "model/IXRefFormats.h"
#include <string>
#include <utility>
#include <vector>

UIDRef DocWorkspace(IDataBase* db);
InterfacePtr<IXRefFormats> FormatsOf(const UIDRef& workspace);
// Name and mark-up pairs, in list order.
std::vector<std::pair<std::string, std::string>> FormatEntries(const UIDRef& workspace);

ErrorCode AddFormat(const UIDRef& workspace, const std::string& name, const std::string& markup);
// `index` goes in as the format's position and comes back as the command left it.
ErrorCode ModifyFormat(const UIDRef& workspace, int32* index, const std::string& name, const std::string& markup);
ErrorCode DeleteFormat(const UIDRef& workspace, int32 index);

#pragma once
// The source markers of each document whose names changed since its
// source-marker list last looked: the list's name index follows them when
// the list changes, instead of reading every marker's name again.
#include "host/IDataBase.h"
#include <vector>

namespace XRefRenamedMarkers {
void Note(IDataBase* db, UID marker);
// The markers noted for the document since the last call, forgetting them.
std::vector<UID> Take(IDataBase* db);
}  // namespace XRefRenamedMarkers

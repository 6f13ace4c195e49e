#include "model/XRefRenamedMarkers.h"
#include <map>

namespace {
// Entries of a closed document linger until another takes its address;
// they only make its list read those names again.
std::map<const IDataBase*, std::vector<UID>>& Noted() {
  static std::map<const IDataBase*, std::vector<UID>> noted;
  return noted;
}
}  // namespace

void XRefRenamedMarkers::Note(IDataBase* db, UID marker) {
  if (db) Noted()[db].push_back(marker);
}

std::vector<UID> XRefRenamedMarkers::Take(IDataBase* db) {
  auto it = Noted().find(db);
  if (it == Noted().end()) return {};
  std::vector<UID> taken = std::move(it->second);
  Noted().erase(it);
  return taken;
}

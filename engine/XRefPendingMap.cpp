#include "engine/XRefPendingMap.h"

int8_t XRefPendingMap::State(UID uid) const {
  auto it = entries_.find(uid);
  return it == entries_.end() ? static_cast<int8_t>(kHandled) : it->second;
}

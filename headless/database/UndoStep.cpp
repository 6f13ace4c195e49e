#include "headless/database/UndoStep.h"

namespace {
// Below this, a patch would save little and cost a hash.
constexpr size_t kPatchThreshold = 512;

const std::string* BaseBytes(const std::map<UID, ObjectState>& base, UID uid, ImplementationID impl) {
  auto object = base.find(uid);
  if (object == base.end() || !object->second.exists) return nullptr;
  auto bytes = object->second.impls.find(impl);
  return bytes == object->second.impls.end() ? nullptr : &bytes->second;
}
}  // namespace

void PatchLargeStates(std::map<UID, ObjectState>& states, const std::map<UID, ObjectState>& base) {
  for (auto& entry : states) {
    ObjectState& state = entry.second;
    for (auto it = state.impls.begin(); it != state.impls.end();) {
      const std::string* from = it->second.size() >= kPatchThreshold ? BaseBytes(base, entry.first, it->first) : nullptr;
      if (!from) {
        ++it;
        continue;
      }
      state.patches[it->first] = MakeBytePatch(it->second, *from);
      it = state.impls.erase(it);
    }
  }
}

bool ResolveStates(std::map<UID, ObjectState>& states, const std::map<UID, ObjectState>& base, bool partial) {
  for (auto& entry : states) {
    ObjectState& state = entry.second;
    for (auto it = state.patches.begin(); it != state.patches.end();) {
      const std::string* from = BaseBytes(base, entry.first, it->first);
      if (!from && partial) {
        ++it;
        continue;
      }
      std::string bytes;
      if (!from || !ResolveBytePatch(it->second, *from, &bytes)) return false;
      state.impls[it->first] = std::move(bytes);
      it = state.patches.erase(it);
    }
  }
  return true;
}

bool KeepsWhole(const std::map<UID, ObjectState>& states, UID uid, ImplementationID impl) {
  auto it = states.find(uid);
  if (it == states.end()) return false;
  const ObjectState& state = it->second;
  return !state.exists || state.impls.count(impl) || state.patches.count(impl);
}

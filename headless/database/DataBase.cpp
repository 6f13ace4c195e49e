#include "headless/database/DataBase.h"
#include "headless/database/Transactions.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"

DataBase::DataBase(const std::string& name, Transactions& log) : name_(name), tx_(log) {
  static uint64_t instances = 0;
  instanceId_ = ++instances;
}

DataBase::~DataBase() {
  tx_.Forget(this);
  auto objects = std::move(objects_);
  for (auto& entry : objects) entry.second->Detach();
}

HostObject* DataBase::FindObject(UID uid) const {
  auto it = objects_.find(uid);
  return it == objects_.end() ? nullptr : it->second;
}

bool DataBase::CreateObjectAt(UID uid, ClassID cls) {
  if (uid == kInvalidUID || objects_.count(uid)) return false;
  HostObject* obj = HostObject::Create(cls, this, uid);
  if (!obj) return false;
  objects_[uid] = obj;
  if (UIDValue(uid) >= nextUID_) nextUID_ = UIDValue(uid) + 1;
  return true;
}

UID DataBase::NewUID(ClassID cls) {
  UID uid{nextUID_};
  if (!CreateObjectAt(uid, cls)) return kInvalidUID;
  modified_ = true;
  ++changeSerial_;
  if (!restoring_ && tx_.Active()) OpenStep()->before.emplace(uid, ObjectState{});
  return uid;
}

ErrorCode DataBase::DeleteUID(UID uid) {
  HostObject* obj = FindObject(uid);
  if (!obj) return kObjectNotFoundError;
  modified_ = true;
  ++changeSerial_;
  if (!restoring_ && tx_.Active()) {
    UndoStep* step = OpenStep();
    auto it = step->before.find(uid);
    if (it == step->before.end()) {
      step->before[uid] = ObjectState{true, obj->GetClass(), SerializeObject(uid)};
    } else if (it->second.exists) {
      for (auto& impl : SerializeObject(uid)) it->second.impls.emplace(impl.first, impl.second);
    }
  }
  RemoveObject(uid);
  return kSuccess;
}

void DataBase::RemoveObject(UID uid) {
  auto it = objects_.find(uid);
  if (it == objects_.end()) return;
  HostObject* obj = it->second;
  objects_.erase(it);
  obj->Detach();
}

ClassID DataBase::GetClass(UID uid) const {
  HostObject* obj = FindObject(uid);
  return obj ? obj->GetClass() : kInvalidClass;
}

bool16 DataBase::IsValidUID(UID uid) const { return FindObject(uid) != nullptr; }

std::vector<UID> DataBase::GetUIDsOfClass(ClassID cls) const {
  std::vector<UID> found;
  for (const auto& entry : objects_)
    if (entry.second && entry.second->GetClass() == cls) found.push_back(entry.first);
  return found;
}

IPMUnknown* DataBase::Instantiate(UID uid, PMIID iid) {
  HostObject* obj = FindObject(uid);
  return obj ? obj->QueryInterface(iid) : nullptr;
}

bool DataBase::SerializeImpl(UID uid, ImplementationID impl, std::string* out) const {
  HostObject* obj = FindObject(uid);
  if (!obj) return false;
  for (const auto& slot : obj->Slots()) {
    if (slot.record->id != impl || !slot.record->readWrite) continue;
    *out = HostObject::Serialize(slot);
    return true;
  }
  return false;
}

std::map<ImplementationID, std::string> DataBase::SerializeObject(UID uid) const {
  std::map<ImplementationID, std::string> result;
  HostObject* obj = FindObject(uid);
  if (!obj) return result;
  for (const auto& slot : obj->Slots())
    if (slot.record->readWrite) result[slot.record->id] = HostObject::Serialize(slot);
  return result;
}

bool DataBase::RestoreImpl(UID uid, ImplementationID impl, const std::string& bytes) {
  HostObject* obj = FindObject(uid);
  if (!obj) return false;
  for (const auto& slot : obj->Slots()) {
    if (slot.record->id != impl || !slot.record->readWrite) continue;
    MemoryReadStream r(bytes);
    slot.record->readWrite(slot.impl, &r, impl);
    return !r.GetBad() && r.Available() == 0;
  }
  return false;
}

UndoStep* DataBase::OpenStep() {
  Transactions& tx = tx_;
  if (!open_ || openSerial_ != tx.Serial()) {
    open_.reset(new UndoStep);
    openSerial_ = tx.Serial();
    tx.Touch(this);
  }
  return open_.get();
}

void DataBase::SetPluginWithdrawn(PluginID p, bool withdrawn) {
  if (withdrawn) withdrawn_.insert(p);
  else withdrawn_.erase(p);
}

void DataBase::RecordPreDirty(UID uid, ImplementationID impl) {
  modified_ = true;
  ++changeSerial_;
  if (!withdrawn_.empty()) withdrawn_.erase(Host::PluginOf(IdValue(impl)));
  if (restoring_ || !tx_.Active()) return;
  UndoStep* step = OpenStep();
  auto it = step->before.find(uid);
  if (it != step->before.end()) {
    if (!it->second.exists || it->second.impls.count(impl)) return;
    std::string bytes;
    if (SerializeImpl(uid, impl, &bytes)) it->second.impls[impl] = std::move(bytes);
    return;
  }
  ObjectState state{true, GetClass(uid), {}};
  std::string bytes;
  if (SerializeImpl(uid, impl, &bytes)) state.impls[impl] = std::move(bytes);
  step->before[uid] = std::move(state);
}

void DataBase::CloseStep(const std::string& name, bool mergeIntoPrevious) {
  if (!open_) return;
  std::unique_ptr<UndoStep> step = std::move(open_);
  // A step that changed nothing leaves no trace, and the redo history stays.
  // A step that changed something keeps all it recorded: restoring an
  // implementation whose bytes did not change still rebuilds its caches.
  bool changed = false;
  for (auto& entry : step->before) changed = changed || !Unchanged(entry.first, entry.second);
  if (!changed) return;
  redo_.clear();
  if (!mergeIntoPrevious || undo_.empty()) {
    step->name = name;
    undo_.push_back(std::move(*step));
    return;
  }
  // The previous step already holds the earlier state of what both touched.
  auto& prev = undo_.back().before;
  for (auto& entry : step->before) {
    auto it = prev.find(entry.first);
    if (it == prev.end()) {
      prev.emplace(entry.first, std::move(entry.second));
    } else if (it->second.exists) {
      for (auto& impl : entry.second.impls) it->second.impls.emplace(impl.first, impl.second);
    }
  }
}

bool DataBase::Unchanged(UID uid, const ObjectState& before) const {
  HostObject* obj = FindObject(uid);
  if (!before.exists || !obj) return !before.exists && !obj;
  if (obj->GetClass() != before.cls) return false;
  for (auto& impl : before.impls) {
    std::string now;
    if (!SerializeImpl(uid, impl.first, &now) || now != impl.second) return false;
  }
  return true;
}

ObjectState DataBase::CaptureState(UID uid, const ObjectState& like) const {
  ObjectState state;
  HostObject* obj = FindObject(uid);
  if (!obj) return state;
  state.exists = true;
  state.cls = obj->GetClass();
  if (!like.exists) {
    state.impls = SerializeObject(uid);
    return state;
  }
  for (auto& impl : like.impls) {
    std::string bytes;
    if (SerializeImpl(uid, impl.first, &bytes)) state.impls[impl.first] = std::move(bytes);
  }
  return state;
}

void DataBase::Apply(const std::map<UID, ObjectState>& states) {
  restoring_ = true;
  for (auto& entry : states)
    if (!entry.second.exists) RemoveObject(entry.first);
  for (auto& entry : states)
    if (entry.second.exists && !FindObject(entry.first)) CreateObjectAt(entry.first, entry.second.cls);
  for (auto& entry : states) {
    if (!entry.second.exists) continue;
    for (auto& impl : entry.second.impls) RestoreImpl(entry.first, impl.first, impl.second);
  }
  restoring_ = false;
  modified_ = true;
  ++changeSerial_;
}

bool DataBase::Undo() {
  if (undo_.empty() || tx_.Active()) return false;
  UndoStep step = std::move(undo_.back());
  undo_.pop_back();
  step.after.clear();
  for (auto& entry : step.before) step.after[entry.first] = CaptureState(entry.first, entry.second);
  Apply(step.before);
  redo_.push_back(std::move(step));
  return true;
}

bool DataBase::Redo() {
  if (redo_.empty() || tx_.Active()) return false;
  UndoStep step = std::move(redo_.back());
  redo_.pop_back();
  Apply(step.after);
  undo_.push_back(std::move(step));
  return true;
}

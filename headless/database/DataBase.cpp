#include "headless/database/DataBase.h"
#include "headless/database/Transactions.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include <algorithm>
#include <cassert>

namespace {
// States smaller than this are serialized again rather than kept.
constexpr size_t kCaptureThreshold = 512;
}  // namespace

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
  return objects_.Find(uid);
}

bool DataBase::CreateObjectAt(UID uid, ClassID cls) {
  if (uid == kInvalidUID || objects_.Contains(uid)) return false;
  HostObject* obj = HostObject::Create(cls, this, uid);
  if (!obj) return false;
  objects_.Insert(uid, obj);
  if (UIDValue(uid) >= nextUID_) nextUID_ = UIDValue(uid) + 1;
  return true;
}

UID DataBase::NewUID(ClassID cls) {
  if (nextUID_ >= kUIDLimit) return kInvalidUID;
  UID uid{nextUID_};
  if (!CreateObjectAt(uid, cls)) return kInvalidUID;
  modified_ = true;
  ++changeSerial_;
  if (Recording()) OpenStep()->before.emplace(uid, ObjectState{});
  return uid;
}

ErrorCode DataBase::DeleteUID(UID uid) {
  HostObject* obj = FindObject(uid);
  if (!obj) return kObjectNotFoundError;
  modified_ = true;
  ++changeSerial_;
  if (Recording()) {
    UndoStep* step = OpenStep();
    auto it = step->before.find(uid);
    if (it == step->before.end()) {
      step->before[uid] = ObjectState{true, obj->GetClass(), SerializeObject(uid), {}};
    } else if (it->second.exists) {
      for (auto& impl : SerializeObject(uid)) it->second.impls.emplace(impl.first, impl.second);
    }
  }
  RemoveObject(uid);
  return kSuccess;
}

void DataBase::RemoveObject(UID uid) {
  ForgetCaptured(uid);
  if (HostObject* obj = objects_.Erase(uid)) obj->Detach();
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
  captured_.erase({uid, impl});
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

bool DataBase::NoteChange(UID uid, ImplementationID impl, std::string* bytes) {
  modified_ = true;
  ++changeSerial_;
  Reclaim(impl);
  // The implementation is about to change: what was captured of it is
  // its state before, or stale.
  return !captured_.empty() && TakeCaptured(uid, impl, bytes);
}

void DataBase::RecordPreDirty(UID uid, ImplementationID impl) {
  std::string bytes;
  const bool captured = NoteChange(uid, impl, &bytes);
  if (!Recording()) return;
  UndoStep* step = OpenStep();
  auto it = step->before.find(uid);
  if (it != step->before.end() && (!it->second.exists || it->second.impls.count(impl))) return;
  if (it == step->before.end()) it = step->before.emplace(uid, ObjectState{true, GetClass(uid), {}, {}}).first;
  if (captured || SerializeImpl(uid, impl, &bytes)) it->second.impls[impl] = std::move(bytes);
}

bool DataBase::PreDirtyEdit(UID uid, ImplementationID impl) {
  std::string stale;
  NoteChange(uid, impl, &stale);
  if (restoring_ || historyOff_) return false;
  if (!tx_.Active()) {
    if (edited_.count({uid, impl})) ClearUndo();
    return false;
  }
  return !KeepsWhole(OpenStep()->before, uid, impl);
}

void DataBase::RecordEdit(UID uid, ImplementationID impl, std::unique_ptr<UndoEdit> edit) {
  if (!edit || !Recording()) return;
  OpenStep()->edits.push_back({uid, impl, std::move(edit)});
  edited_.insert({uid, impl});
}

bool DataBase::Recording() const { return !restoring_ && !historyOff_ && tx_.Active(); }

void DataBase::SetHistoryOff(bool off) {
  if (off) ClearUndo();
  historyOff_ = off;
}

void DataBase::ClearUndo() {
  undo_.clear();
  redo_.clear();
  edited_.clear();
}

bool DataBase::TakeCaptured(UID uid, ImplementationID impl, std::string* bytes) {
  auto it = captured_.find({uid, impl});
  if (it == captured_.end()) return false;
  *bytes = std::move(it->second);
  captured_.erase(it);
#ifndef NDEBUG
  // Every change goes through PreDirty; a capture that no longer matches
  // the implementation means one did not, and undo would lose it.
  std::string now;
  SerializeImpl(uid, impl, &now);
  assert(now == *bytes && "an implementation changed without PreDirty");
#endif
  return true;
}

// Called with a closed step's states after: the large ones are kept.
void DataBase::KeepCaptured(std::map<UID, ObjectState>& states) {
  for (auto& entry : states) {
    for (auto& impl : entry.second.impls) {
      if (impl.second.size() < kCaptureThreshold) continue;
      captured_[{entry.first, impl.first}] = std::move(impl.second);
    }
  }
}

void DataBase::ForgetCaptured(UID uid) {
  captured_.erase(captured_.lower_bound({uid, ImplementationID{0}}),
                  captured_.upper_bound({uid, ImplementationID{0xFFFFFFFFu}}));
}

void DataBase::CloseStep(const std::string& name, bool mergeIntoPrevious) {
  if (!open_) return;
  std::unique_ptr<UndoStep> step = std::move(open_);
  // A step that changed nothing leaves no trace, and the redo history stays.
  // A step that changed something keeps all it recorded: restoring an
  // implementation whose bytes did not change still rebuilds its caches.
  std::map<UID, ObjectState> now = CaptureStates(step->before);
  bool changed = false;
  for (auto& entry : step->before) changed = changed || !SameState(entry.second, now[entry.first]);
  if (!changed && !step->edits.empty()) changed = !EditsCancel(*step);
  if (!changed) {
    KeepCaptured(now);
    return;
  }
  redo_.clear();
  // The previous step's patches of what this step touched are against the
  // state this step began from; a step that cannot be joined stays apart.
  if (!mergeIntoPrevious || undo_.empty() || !CanJoin(undo_.back(), *step) ||
      !ResolveStates(undo_.back().before, step->before, true)) {
    PatchLargeStates(step->before, now);
    step->name = name;
    undo_.push_back(std::move(*step));
    KeepCaptured(now);
    return;
  }
  // The previous step already holds the earlier state of what both touched;
  // edits of what it keeps whole are older than that state needs.
  auto& prev = undo_.back().before;
  for (auto& edit : step->edits)
    if (!KeepsWhole(prev, edit.uid, edit.impl)) undo_.back().edits.push_back(std::move(edit));
  for (auto& entry : step->before) {
    auto it = prev.find(entry.first);
    if (it == prev.end()) {
      prev.emplace(entry.first, std::move(entry.second));
    } else if (it->second.exists) {
      for (auto& impl : entry.second.impls) it->second.impls.emplace(impl.first, impl.second);
    }
  }
  PatchLargeStates(prev, now);
  KeepCaptured(now);
}

bool DataBase::SameState(const ObjectState& before, const ObjectState& now) {
  if (!before.exists || !now.exists) return before.exists == now.exists;
  if (before.cls != now.cls) return false;
  for (auto& impl : before.impls) {
    auto it = now.impls.find(impl.first);
    if (it == now.impls.end() || it->second != impl.second) return false;
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
  auto capture = [&](ImplementationID impl) {
    std::string bytes;
    if (SerializeImpl(uid, impl, &bytes)) state.impls[impl] = std::move(bytes);
  };
  for (auto& impl : like.impls) capture(impl.first);
  for (auto& impl : like.patches) capture(impl.first);
  return state;
}

std::map<UID, ObjectState> DataBase::CaptureStates(const std::map<UID, ObjectState>& like) const {
  std::map<UID, ObjectState> states;
  for (auto& entry : like) states[entry.first] = CaptureState(entry.first, entry.second);
  return states;
}

namespace {
// The span of an implementation a sequence of edits reached, in the
// positions after them, and the change of its length.
struct Reach {
  int32 from = 0, to = 0, growth = 0;
  const UndoEdit* edit = nullptr;

  void Add(const UndoEdit* e) {
    int32 at, removed, inserted;
    e->Extent(&at, &removed, &inserted);
    const int32 delta = inserted - removed;
    auto moved = [&](int32 p, int32 inside) { return p <= at ? p : p >= at + removed ? p + delta : inside; };
    if (!edit) {
      from = at;
      to = at + inserted;
    } else {
      from = std::min(moved(from, at), at);
      to = std::max(moved(to, at + inserted), at + inserted);
    }
    growth += delta;
    edit = e;
  }
};
}  // namespace

bool DataBase::EditsCancel(const UndoStep& step) {
  std::map<std::pair<UID, ImplementationID>, Reach> reaches;
  for (auto& e : step.edits) reaches[{e.uid, e.impl}].Add(e.edit.get());
  std::vector<std::unique_ptr<SpanImage>> after;
  for (auto& entry : reaches) {
    const Reach& r = entry.second;
    IPMUnknown* impl = ImplOf(entry.first.first, entry.first.second);
    if (r.growth != 0 || !impl) return false;
    after.push_back(r.edit->Image(impl, r.from, r.to - r.from));
  }
  restoring_ = true;
  ApplyEdits(step.edits, true);
  bool same = true;
  size_t n = 0;
  for (auto& entry : reaches) {
    const Reach& r = entry.second;
    IPMUnknown* impl = ImplOf(entry.first.first, entry.first.second);
    same = same && r.edit->Image(impl, r.from, r.to - r.from)->Same(*after[n++]);
  }
  ApplyEdits(step.edits, false);
  restoring_ = false;
  return same;
}

bool DataBase::CanJoin(const UndoStep& previous, const UndoStep& step) {
  for (auto& edit : step.edits) {
    auto it = previous.before.find(edit.uid);
    if (it != previous.before.end() && it->second.patches.count(edit.impl)) return false;
  }
  return true;
}

IPMUnknown* DataBase::ImplOf(UID uid, ImplementationID impl) const {
  HostObject* obj = FindObject(uid);
  if (!obj) return nullptr;
  for (const auto& slot : obj->Slots())
    if (slot.record->id == impl) return slot.impl;
  return nullptr;
}

void DataBase::Apply(const UndoStep& step, bool undo) {
  captured_.clear();
  restoring_ = true;
  if (undo) {
    ApplyStates(step.before);
    ApplyEdits(step.edits, true);
  } else {
    ApplyEdits(step.edits, false);
    ApplyStates(step.after);
  }
  restoring_ = false;
  modified_ = true;
  ++changeSerial_;
}

// Data a plug-in withdrew its claim on may come back with a step: the claim
// must come back too, or the next save would drop that data.
void DataBase::Reclaim(ImplementationID impl) {
  if (!withdrawn_.empty()) withdrawn_.erase(Host::PluginOf(IdValue(impl)));
}

void DataBase::ApplyStates(const std::map<UID, ObjectState>& states) {
  for (auto& entry : states)
    if (!entry.second.exists) RemoveObject(entry.first);
  for (auto& entry : states)
    if (entry.second.exists && !FindObject(entry.first)) CreateObjectAt(entry.first, entry.second.cls);
  for (auto& entry : states) {
    if (!entry.second.exists) continue;
    for (auto& impl : entry.second.impls) {
      Reclaim(impl.first);
      RestoreImpl(entry.first, impl.first, impl.second);
    }
  }
}

// Edits of objects the states remove (or have not made yet) are skipped.
void DataBase::ApplyEdits(const std::vector<RecordedEdit>& edits, bool undo) {
  auto apply = [&](const RecordedEdit& e) {
    IPMUnknown* impl = ImplOf(e.uid, e.impl);
    if (!impl) return;
    Reclaim(e.impl);
    if (undo) e.edit->Undo(impl);
    else e.edit->Redo(impl);
  };
  if (undo) {
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) apply(*it);
  } else {
    for (auto& e : edits) apply(e);
  }
}

// A patch that does not fit the document means it changed outside any
// step; the history no longer describes it, so it is dropped, not applied.
bool DataBase::Undo() {
  if (undo_.empty() || tx_.Active()) return false;
  UndoStep step = std::move(undo_.back());
  undo_.pop_back();
  std::map<UID, ObjectState> after = CaptureStates(step.before);
  if (!ResolveStates(step.before, after, false)) {
    ClearUndo();
    return false;
  }
  Apply(step, true);
  std::map<UID, ObjectState> now = CaptureStates(step.before);
  PatchLargeStates(step.before, after);
  step.after = std::move(after);
  PatchLargeStates(step.after, now);
  redo_.push_back(std::move(step));
  return true;
}

bool DataBase::Redo() {
  if (redo_.empty() || tx_.Active()) return false;
  UndoStep step = std::move(redo_.back());
  redo_.pop_back();
  if (!ResolveStates(step.after, CaptureStates(step.after), false) || !ResolveStates(step.before, step.after, false)) {
    ClearUndo();
    return false;
  }
  Apply(step, false);
  step.after.clear();
  PatchLargeStates(step.before, CaptureStates(step.before));
  undo_.push_back(std::move(step));
  return true;
}

size_t DataBase::HistoryBytes() const {
  size_t total = 0;
  auto count = [&](const std::map<UID, ObjectState>& states) {
    for (auto& entry : states) {
      for (auto& impl : entry.second.impls) total += impl.second.size();
      for (auto& patch : entry.second.patches) total += patch.second.Size();
    }
  };
  for (auto* steps : {&undo_, &redo_}) {
    for (auto& step : *steps) {
      count(step.before);
      count(step.after);
      for (auto& edit : step.edits) total += sizeof(edit) + edit.edit->Bytes();
    }
  }
  return total;
}

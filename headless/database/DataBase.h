#pragma once
// A database of objects by UID, with undo: inside a transaction, the first
// PreDirty of an implementation records its serialized state, creations and
// deletions are recorded too, and implementations that record their changes
// as edits (UndoEdit.h) add those; undo restores the states through
// ReadWrite and undoes the edits. UIDs are never reused within one
// database's life.
#include "host/IDataBase.h"
#include "headless/objects/HostObject.h"
#include "headless/objects/ObjectStore.h"
#include "headless/database/ObjectTable.h"
#include "headless/database/UndoStep.h"
#include <map>
#include <memory>
#include <set>
#include <vector>

class Transactions;

class DataBase : public ObjectStore {
public:
  // Steps open and close with the commands of `log`.
  DataBase(const std::string& name, Transactions& log);
  ~DataBase() override;

  // UIDs lie below it: a file naming a larger one is refused, so NewUID
  // answers kInvalidUID rather than give one.
  static constexpr uint32_t kUIDLimit = 0x7FFFFFFF;

  UID NewUID(ClassID cls) override;
  ErrorCode DeleteUID(UID uid) override;
  ClassID GetClass(UID uid) const override;
  bool16 IsValidUID(UID uid) const override;
  std::vector<UID> GetUIDsOfClass(ClassID cls) const override;
  UID GetRootUID() const override { return kRootUID; }
  IPMUnknown* Instantiate(UID uid, PMIID iid) override;
  std::string GetName() const override { return name_; }
  void SetName(const std::string& n) { name_ = n; }

  // Creates an object under a given UID (loading and copying); false when the
  // UID is taken or the class cannot be built.
  bool CreateObjectAt(UID uid, ClassID cls);
  HostObject* FindObject(UID uid) const;
  const ObjectTable& Objects() const { return objects_; }

  // Serialized state of one persistent implementation of an object.
  bool SerializeImpl(UID uid, ImplementationID impl, std::string* out) const;
  bool RestoreImpl(UID uid, ImplementationID impl, const std::string& bytes);
  // All persistent implementations of the object, by identifier.
  std::map<ImplementationID, std::string> SerializeObject(UID uid) const;

  // Undo and redo of whole steps, newest first.
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::string UndoName() const { return undo_.empty() ? std::string() : undo_.back().name; }
  std::string RedoName() const { return redo_.empty() ? std::string() : redo_.back().name; }
  int32 UndoDepth() const { return static_cast<int32>(undo_.size()); }
  bool Undo();
  bool Redo();
  void ClearUndo();
  // While off, changes go unrecorded and the history (cleared as it goes
  // off) stays empty: for work nobody undoes, such as building a document.
  void SetHistoryOff(bool off);
  // What the undo and redo histories hold, in bytes of states and edits.
  size_t HistoryBytes() const;

  bool IsModified() const { return modified_; }
  // Counts changes of any kind, so derived data (layout, numbering) can tell
  // when it is stale. Unique per database for the process's life.
  uint64_t ChangeSerial() const { return changeSerial_; }
  uint64_t InstanceId() const { return instanceId_; }
  void SetModified(bool m) { modified_ = m; }

  // Per-plug-in data versions stored with the document (major*100+minor).
  std::map<PluginID, int32>& PluginData() { return pluginData_; }
  // Plug-ins whose data was converted when the file was read, with the
  // version it was stored at; PluginData then holds the version it has now.
  std::map<PluginID, int32>& ConvertedFrom() { return convertedFrom_; }
  // Plug-ins that withdrew their claim; a later change of theirs renews it.
  const std::set<PluginID>& WithdrawnPlugins() const { return withdrawn_; }
  void SetPluginWithdrawn(PluginID p, bool withdrawn);

  // Host protocol.
  void RecordPreDirty(UID uid, ImplementationID impl) override;
  bool PreDirtyEdit(UID uid, ImplementationID impl) override;
  void RecordEdit(UID uid, ImplementationID impl, std::unique_ptr<UndoEdit> edit) override;
  void CloseStep(const std::string& name, bool mergeIntoPrevious);

private:
  UndoStep* OpenStep();
  // The object's state now, in the implementations `like` records.
  ObjectState CaptureState(UID uid, const ObjectState& like) const;
  std::map<UID, ObjectState> CaptureStates(const std::map<UID, ObjectState>& like) const;
  // Whether an object's full state before a step is the state it has now.
  static bool SameState(const ObjectState& before, const ObjectState& now);
  // What every change does first; true when it took the implementation's
  // kept state (its state before) into `bytes`.
  bool NoteChange(UID uid, ImplementationID impl, std::string* bytes);
  // Undoes a step (from the states after it) or redoes it.
  void Apply(const UndoStep& step, bool undo);
  void ApplyStates(const std::map<UID, ObjectState>& states);
  void Reclaim(ImplementationID impl);
  void ApplyEdits(const std::vector<RecordedEdit>& edits, bool undo);
  IPMUnknown* ImplOf(UID uid, ImplementationID impl) const;
  // Whether the step's edits, all told, leave every implementation as it
  // was: found by undoing and redoing them over the span they reach.
  bool EditsCancel(const UndoStep& step);
  // Whether the step can join the previous one: its edits must not change
  // what the previous step keeps as patches.
  static bool CanJoin(const UndoStep& previous, const UndoStep& step);
  void RemoveObject(UID uid);
  // The kept state of an implementation, taken out (false: none kept); the
  // large states of a closed step, kept; all kept states of an object, dropped.
  bool TakeCaptured(UID uid, ImplementationID impl, std::string* bytes);
  void KeepCaptured(std::map<UID, ObjectState>& states);
  void ForgetCaptured(UID uid);

  std::string name_;
  ObjectTable objects_;
  uint32_t nextUID_ = 1;
  bool modified_ = false;
  uint64_t changeSerial_ = 0;
  uint64_t instanceId_;
  std::map<PluginID, int32> pluginData_;
  std::map<PluginID, int32> convertedFrom_;
  std::set<PluginID> withdrawn_;
  std::vector<UndoStep> undo_, redo_;
  // Large states as the last steps left them, taken when they closed, kept
  // until the implementation's next PreDirty: the next step's state before
  // is this, not a second serialization of the same bytes.
  std::map<std::pair<UID, ImplementationID>, std::string> captured_;
  // Implementations the history may hold edits of: a change of one outside
  // any step leaves those edits not fitting the document.
  std::set<std::pair<UID, ImplementationID>> edited_;
  std::unique_ptr<UndoStep> open_;
  uint64_t openSerial_ = 0;
  bool restoring_ = false;
  bool historyOff_ = false;
  // Whether a change now belongs to an undo step.
  bool Recording() const;
  Transactions& tx_;
};

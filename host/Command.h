#pragma once
// Base of every command implementation.
#include "CPMUnknown.h"
#include "ICommand.h"

class Command : public CPMUnknown<ICommand> {
public:
  explicit Command(IPMUnknown* boss) : CPMUnknown<ICommand>(boss) {}

  const PMString* GetName() override;
  void SetName(const PMString& name) override { name_ = name; }
  bool16 IsNameRequired() const override { return false; }
  const UIDList* GetItemList() const override { return &items_; }
  UIDList& GetItemListReference() override { return items_; }
  void SetItemList(const UIDList& list) override { items_ = list; }
  CommandState GetCommandState() const override { return state_; }
  bool16 IsDone() const override { return state_ == kDone; }
  Undoability GetUndoability() const override { return undoability_; }
  void SetUndoability(Undoability u) override { undoability_ = u; }
  void SetCreatorID(ClassID creator) override { creator_ = creator; }
  ClassID GetCreatorID() const override { return creator_; }
  bool16 CanJoin(ICommand*) const override { return false; }
  bool16 LowMemIsOK() const override { return true; }
  Target GetTarget() const override { return target_; }
  ErrorCode DoImmediate() override;
  ErrorCode LWDoImmediate() override { return DoImmediate(); }
  void SetActive(bool16 active) override { active_ = active; }
  bool16 IsActive() const override { return active_; }
  bool16 IsLWProcessed() const override { return false; }
  ~Command() override = default;

protected:
  virtual void DoDynamic() { Do(); }
  virtual void Do() = 0;
  virtual void DoNotify() {}
  virtual void SetCommandState(CommandState s) { state_ = s; }
  virtual PMString* CreateName() { return nullptr; }
  virtual void SetUpTarget() {}
  virtual ErrorCode PreVerify() { return kSuccess; }
  virtual ErrorCode PostVerify() { return kSuccess; }

  Target target_ = kDocumentTarget;

private:
  PMString name_;
  bool nameCreated_ = false;
  UIDList items_;
  CommandState state_ = kNotDone;
  Undoability undoability_ = kRegularUndo;
  ClassID creator_ = kInvalidClass;
  bool16 active_ = true;
};

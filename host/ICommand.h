#pragma once
// A host command. The operations are in the host's slot order; a command
// derives from Command and overrides Do and, where needed, DoNotify,
// CreateName and SetUpTarget.
#include "HostIDs.h"
#include "PMString.h"
#include "UIDList.h"

class ICommand : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICOMMAND;
  enum CommandState { kNotDone = 0, kDone = 1 };
  enum Undoability { kAutoUndo = 0, kRegularUndo = 1 };
  enum Target { kSessionTarget = 0, kDocumentTarget = 1 };

  virtual const PMString* GetName() = 0;
  virtual void SetName(const PMString& name) = 0;
  virtual bool16 IsNameRequired() const = 0;
  virtual const UIDList* GetItemList() const = 0;
  virtual UIDList& GetItemListReference() = 0;
  virtual void SetItemList(const UIDList& list) = 0;
  virtual CommandState GetCommandState() const = 0;
  virtual bool16 IsDone() const = 0;
  virtual Undoability GetUndoability() const = 0;
  virtual void SetUndoability(Undoability u) = 0;
  virtual void SetCreatorID(ClassID creator) = 0;
  virtual ClassID GetCreatorID() const = 0;
  virtual bool16 CanJoin(ICommand* other) const = 0;
  virtual bool16 LowMemIsOK() const = 0;
  virtual Target GetTarget() const = 0;
  // Runs the command: set-up, Do, and DoNotify when Do succeeded.
  virtual ErrorCode DoImmediate() = 0;
  virtual ErrorCode LWDoImmediate() = 0;
  virtual void SetActive(bool16 active) = 0;
  virtual bool16 IsActive() const = 0;
  virtual bool16 IsLWProcessed() const = 0;
};

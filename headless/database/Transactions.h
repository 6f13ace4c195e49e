#pragma once
// The span in which processed commands form one undo step. Nested commands
// and sequences join the outermost; databases touched during the span open a
// step lazily and close it when the span ends.
#include "host/IDTypes.h"
#include "host/PMString.h"
#include <string>
#include <vector>

class DataBase;

class Transactions {
public:
  // The log every command and database of the process shares.
  static Transactions& Process();

  // undoability: 0 merges into the previous step, 1 makes a step of its own.
  // Names are kept as given and read only when a step closes: most spans,
  // nested ones and those with nothing to record, never need them.
  void Begin(const PMString& name, int32 undoability);
  void End();
  bool Active() const { return depth_ > 0; }
  uint64_t Serial() const { return serial_; }
  void SetNameIfEmpty(const PMString& name) { if (name_.IsEmpty()) name_ = name; }
  void SetName(const PMString& name) { name_ = name; }
  void Touch(DataBase* db);
  void Forget(DataBase* db);
  int32 Depth() const { return depth_; }

private:
  int32 depth_ = 0;
  uint64_t serial_ = 0;
  PMString name_;
  int32 undoability_ = 1;
  std::vector<DataBase*> touched_;
};

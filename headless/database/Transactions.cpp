#include "headless/database/Transactions.h"
#include "headless/database/DataBase.h"
#include <algorithm>

Transactions& Transactions::Process() {
  static Transactions* log = new Transactions();  // lives for the process, like the Host
  return *log;
}

void Transactions::Begin(const PMString& name, int32 undoability) {
  if (depth_++ > 0) return;
  ++serial_;
  name_ = name;
  undoability_ = undoability;
  touched_.clear();
}

void Transactions::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  std::vector<DataBase*> touched;
  touched.swap(touched_);
  if (touched.empty()) return;
  const std::string name = name_.GetUTF8String();
  for (DataBase* db : touched) db->CloseStep(name, undoability_ == 0);
}

void Transactions::Touch(DataBase* db) {
  if (std::find(touched_.begin(), touched_.end(), db) == touched_.end()) touched_.push_back(db);
}

void Transactions::Forget(DataBase* db) {
  touched_.erase(std::remove(touched_.begin(), touched_.end(), db), touched_.end());
}

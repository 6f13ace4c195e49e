#pragma once
#include "IDataBase.h"

class UIDRef {
public:
  UIDRef() = default;
  UIDRef(IDataBase* db, UID uid) : db_(db), uid_(uid) {}

  IDataBase* GetDataBase() const { return db_; }
  UID GetUID() const { return uid_; }
  bool ExistsInDB() const { return db_ && uid_ != kInvalidUID && db_->IsValidUID(uid_); }
  bool operator==(const UIDRef& o) const { return db_ == o.db_ && uid_ == o.uid_; }
  bool operator!=(const UIDRef& o) const { return !(*this == o); }
  bool operator<(const UIDRef& o) const {
    return db_ != o.db_ ? db_ < o.db_ : UIDValue(uid_) < UIDValue(o.uid_);
  }

  static const UIDRef gNull;

private:
  IDataBase* db_ = nullptr;
  UID uid_ = kInvalidUID;
};

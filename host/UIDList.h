#pragma once
// An ordered list of UIDs in one database.
#include "UIDRef.h"
#include <vector>

class IPMStream;

class UIDList {
public:
  UIDList() = default;
  explicit UIDList(IDataBase* db) : db_(db) {}
  explicit UIDList(const UIDRef& ref) : db_(ref.GetDataBase()) { Append(ref.GetUID()); }
  UIDList(IDataBase* db, UID uid) : db_(db) { Append(uid); }

  IDataBase* GetDataBase() const { return db_; }
  void SetDataBase(IDataBase* db) { db_ = db; }
  void Append(UID uid) { uids_.push_back(uid); }
  void Append(const UIDList& o) { uids_.insert(uids_.end(), o.uids_.begin(), o.uids_.end()); }
  void Insert(UID uid, int32 at) { uids_.insert(uids_.begin() + at, uid); }
  int32 Length() const { return static_cast<int32>(uids_.size()); }
  bool IsEmpty() const { return uids_.empty(); }
  UID At(int32 i) const { return i >= 0 && i < Length() ? uids_[static_cast<size_t>(i)] : kInvalidUID; }
  UID operator[](int32 i) const { return At(i); }
  UIDRef GetRef(int32 i) const { return UIDRef(db_, At(i)); }
  int32 Location(UID uid) const;  // -1 when absent
  bool Contains(UID uid) const { return Location(uid) >= 0; }
  void Remove(int32 i) { if (i >= 0 && i < Length()) uids_.erase(uids_.begin() + i); }
  void Clear() { uids_.clear(); }

  // Transfers the identifiers as owned objects or as plain references.
  void ReadWriteXferObject(IPMStream* s);
  void ReadWriteXferReference(IPMStream* s);

  bool operator==(const UIDList& o) const { return db_ == o.db_ && uids_ == o.uids_; }
  const std::vector<UID>& Items() const { return uids_; }

private:
  IDataBase* db_ = nullptr;
  std::vector<UID> uids_;
};

#pragma once
// The objects of one database by UID. UIDs are handed out in sequence, so
// most live in a dense array indexed by value; a UID far beyond the count
// (a hostile or sparse file) goes to an ordered overflow map instead, so a
// large value never costs memory in proportion to it.
//
// Invariants: every overflow key is >= dense_.size(); a dense slot is null
// when its UID has no object; size_ counts the non-null entries of both.
// Iteration visits entries in ascending UID order.
#include "host/UID.h"
#include <cstddef>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

class HostObject;

class ObjectTable {
public:
  using Entry = std::pair<UID, HostObject*>;

  ObjectTable() = default;
  // A table moved from is empty.
  ObjectTable(ObjectTable&& o) noexcept
      : dense_(std::move(o.dense_)), overflow_(std::move(o.overflow_)), size_(o.size_) {
    o.dense_.clear();
    o.overflow_.clear();
    o.size_ = 0;
  }
  ObjectTable& operator=(ObjectTable&&) = delete;
  ObjectTable(const ObjectTable&) = delete;
  ObjectTable& operator=(const ObjectTable&) = delete;

  HostObject* Find(UID uid) const {
    const uint32_t v = UIDValue(uid);
    if (v < dense_.size()) return dense_[v];
    if (overflow_.empty()) return nullptr;
    auto it = overflow_.find(v);
    return it == overflow_.end() ? nullptr : it->second;
  }
  bool Contains(UID uid) const { return Find(uid) != nullptr; }
  size_t size() const { return size_; }
  // Slots of the dense array, for tests of its bound.
  size_t DenseSlots() const { return dense_.size(); }
  bool empty() const { return size_ == 0; }

  // False when the UID already has an object.
  bool Insert(UID uid, HostObject* obj);
  // The object removed, or null when there was none.
  HostObject* Erase(UID uid);

  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Entry;
    using difference_type = std::ptrdiff_t;
    using pointer = const Entry*;
    using reference = const Entry&;

    const_iterator(const ObjectTable* t, size_t dense, std::map<uint32_t, HostObject*>::const_iterator over)
        : table_(t), dense_(dense), over_(over) {
      SkipEmpty();
      Load();
    }
    reference operator*() const { return entry_; }
    pointer operator->() const { return &entry_; }
    const_iterator& operator++() {
      if (dense_ < table_->dense_.size()) ++dense_;
      else ++over_;
      SkipEmpty();
      Load();
      return *this;
    }
    bool operator==(const const_iterator& o) const { return dense_ == o.dense_ && over_ == o.over_; }
    bool operator!=(const const_iterator& o) const { return !(*this == o); }

  private:
    void SkipEmpty() {
      while (dense_ < table_->dense_.size() && !table_->dense_[dense_]) ++dense_;
    }
    void Load() {
      if (dense_ < table_->dense_.size()) entry_ = {UID{static_cast<uint32_t>(dense_)}, table_->dense_[dense_]};
      else if (over_ != table_->overflow_.end()) entry_ = {UID{over_->first}, over_->second};
    }
    const ObjectTable* table_;
    size_t dense_;
    std::map<uint32_t, HostObject*>::const_iterator over_;
    Entry entry_{};
  };

  const_iterator begin() const { return const_iterator(this, 0, overflow_.begin()); }
  const_iterator end() const { return const_iterator(this, dense_.size(), overflow_.end()); }

private:
  // Grows the dense array to hold `v` when that keeps it at most about
  // twice the number of objects, moving overflow entries it now covers.
  void GrowFor(uint32_t v);

  std::vector<HostObject*> dense_;
  std::map<uint32_t, HostObject*> overflow_;
  size_t size_ = 0;
};

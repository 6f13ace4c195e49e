#pragma once
// Holds one reference to an interface for a scope. Constructed from a raw
// pointer it adopts the reference (Query* functions return one already added);
// from an object or a UIDRef it queries or instantiates.
#include "UIDRef.h"
#include <utility>

struct UseDefaultIID {};

template <class T>
class InterfacePtr {
public:
  InterfacePtr() = default;
  explicit InterfacePtr(T* adopted) : p_(adopted) {}
  InterfacePtr(const IPMUnknown* obj, PMIID iid)
      : p_(obj ? static_cast<T*>(obj->QueryInterface(iid)) : nullptr) {}
  InterfacePtr(const IPMUnknown* obj, UseDefaultIID) : InterfacePtr(obj, T::kDefaultIID) {}
  template <class U, class = decltype(static_cast<const IPMUnknown*>(std::declval<U*>()))>
  explicit InterfacePtr(const InterfacePtr<U>& other, PMIID iid = T::kDefaultIID)
      : InterfacePtr(static_cast<const IPMUnknown*>(other.get()), iid) {}
  InterfacePtr(const UIDRef& ref, PMIID iid = T::kDefaultIID)
      : InterfacePtr(ref.GetDataBase(), ref.GetUID(), iid) {}
  InterfacePtr(IDataBase* db, UID uid, PMIID iid = T::kDefaultIID)
      : p_(db && uid != kInvalidUID ? static_cast<T*>(db->Instantiate(uid, iid)) : nullptr) {}
  InterfacePtr(const InterfacePtr& o) : p_(o.p_) { if (p_) p_->AddRef(); }
  InterfacePtr(InterfacePtr&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  InterfacePtr& operator=(InterfacePtr o) { std::swap(p_, o.p_); return *this; }
  ~InterfacePtr() { if (p_) p_->Release(); }

  // Query from any interface of an object by the target's default identifier.
  static InterfacePtr Query(const IPMUnknown* obj) { return InterfacePtr(obj, T::kDefaultIID); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(std::nullptr_t) const { return p_ == nullptr; }
  bool operator!=(std::nullptr_t) const { return p_ != nullptr; }
  void reset(T* adopted = nullptr) { if (p_) p_->Release(); p_ = adopted; }
  T* forget() { T* p = p_; p_ = nullptr; return p; }

private:
  T* p_ = nullptr;
};

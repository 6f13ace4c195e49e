#pragma once
// Base of every implementation: delegates identity and reference counting to
// the object it is part of, and offers PreDirty to persistent implementations.
#include "IControllingUnknown.h"

template <class Interface>
class CPMUnknown : public Interface {
public:
  // The host constructs implementations with the object they become part of,
  // which is always its controlling interface.
  explicit CPMUnknown(IPMUnknown* boss) : boss_(static_cast<IControllingUnknown*>(boss)) {}
  IPMUnknown* QueryInterface(PMIID iid) const override { return boss_->QueryInterface(iid); }
  void AddRef() const override { boss_->AddRef(); }
  void Release() const override { boss_->Release(); }

protected:
  void PreDirty(bool16 allowModification = true) { boss_->PreDirty(this, allowModification); }
  IControllingUnknown* Boss() const { return boss_; }

private:
  IControllingUnknown* boss_;
};

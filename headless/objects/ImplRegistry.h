#pragma once
// Implementation records by identifier. A later install of the same
// identifier replaces the earlier one, so registering twice is harmless.
#include "host/IImplementationRegistry.h"
#include <unordered_map>

struct ImplRecord {
  PluginID plugin = kInvalidPlugin;
  ImplementationID id = kInvalidImpl;
  CreateImplFunc create = nullptr;
  DestroyImplFunc destroy = nullptr;
  SizeImplFunc size = nullptr;
  ReadWriteImplFunc readWrite = nullptr;
};

class ImplRegistry {
public:
  void Install(const ImplRecord& r);
  const ImplRecord* Find(ImplementationID id) const;
  int32 InstallCount() const { return installs_; }
  size_t Size() const { return records_.size(); }

  template <class Impl>
  void InstallHost(ImplementationID id) {
    Install({kInvalidPlugin, id, &ImplFunctions<Impl>::Create, &ImplFunctions<Impl>::Destroy,
             &ImplFunctions<Impl>::Size, nullptr});
  }
  template <class Impl>
  void InstallHostPersistent(ImplementationID id) {
    Install({kInvalidPlugin, id, &ImplFunctions<Impl>::Create, &ImplFunctions<Impl>::Destroy,
             &ImplFunctions<Impl>::Size, &ImplFunctions<Impl>::ReadWrite});
  }

private:
  std::unordered_map<ImplementationID, ImplRecord> records_;
  int32 installs_ = 0;
};

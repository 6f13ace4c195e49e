#pragma once
// The one plug-in object of the library.
#include "host/IPlugIn.h"

class PlugIn final : public IPlugIn {
public:
  bool16 CanLoad() const override { return true; }
  bool16 CanRegister() const override { return true; }
  bool16 IsUIOnly() const override { return false; }
  bool16 HasModelData() const override { return true; }
  void Notify(int32) override {}
  PluginID GetPluginID() const override { return id_; }
  void SetPluginID(PluginID id) override { id_ = id; }
  IDFile GetResourceFile() const override;
  void RegisterImplementations(PluginID id) override;

private:
  PluginID id_ = kInvalidPlugin;
};

// The path of the library's own file, recorded when it was attached.
const std::string& LibraryFilePath();

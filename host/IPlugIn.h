#pragma once
// What the host asks of a loaded plug-in library, in the host's slot order.
#include "IDFile.h"
#include "IDTypes.h"

class IPlugIn {
public:
  virtual bool16 CanLoad() const = 0;
  virtual bool16 CanRegister() const = 0;
  virtual bool16 IsUIOnly() const = 0;
  virtual bool16 HasModelData() const = 0;
  virtual void Notify(int32 event) = 0;
  virtual PluginID GetPluginID() const = 0;
  virtual void SetPluginID(PluginID id) = 0;
  // The file the host reads the plug-in's resources from.
  virtual IDFile GetResourceFile() const = 0;
  virtual void RegisterImplementations(PluginID id) = 0;
  virtual ~IPlugIn() = default;
};

extern "C" {
typedef IPlugIn* (*GetPlugInFunc)();
}

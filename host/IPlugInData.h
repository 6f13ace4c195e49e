#pragma once
// Which plug-ins have data in a document (and at which data version). A plug-in
// with no data left withdraws its claim so the document opens without it.
#include "HostIDs.h"
#include "IPMUnknown.h"

class IPlugInData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IPLUGINDATA;
  virtual bool16 HasData(PluginID plugin) const = 0;
  virtual void SetHasData(PluginID plugin, bool16 hasData) = 0;
};

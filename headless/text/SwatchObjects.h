#pragma once
// A workspace's swatch list and its swatches.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/ISwatchList.h"
#include "host/UIDList.h"

class SwatchListImpl : public CPMUnknown<ISwatchList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetSwatchCount() const override { return swatches_.Length(); }
  UID GetNthSwatchUID(int32 n) const override { return swatches_.At(n); }
  UID FindSwatch(const PMString& name) const override;

  void AddSwatch(UID swatch);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList swatches_;
};

class SwatchImpl : public CPMUnknown<ISwatch> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  uint32 GetRGB() const override { return rgb_; }

  void Set(const PMString& name, uint32 rgb);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
  uint32 rgb_ = 0;
};

#pragma once
// A workspace's swatches (named colours), in list order.
#include "IPMUnknown.h"
#include "PMString.h"
#include "TextIDs.h"
#include "UID.h"

class ISwatchList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISWATCHLIST;
  virtual int32 GetSwatchCount() const = 0;
  virtual UID GetNthSwatchUID(int32 n) const = 0;  // kInvalidUID outside
  // The first swatch whose name equals `name` exactly; kInvalidUID when none.
  virtual UID FindSwatch(const PMString& name) const = 0;
};

class ISwatch : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISWATCH;
  virtual PMString GetName() const = 0;
  virtual uint32 GetRGB() const = 0;  // 0xRRGGBB
};

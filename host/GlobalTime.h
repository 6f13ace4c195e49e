#pragma once
// A time stamp: microseconds since 1970-01-01 UTC; 0 means never.
#include "IDTypes.h"

class IPMStream;

class GlobalTime {
public:
  GlobalTime() = default;
  explicit GlobalTime(int64 micros) : t_(micros) {}
  static GlobalTime CurrentTime();  // from the host's clock

  int64 GetTime() const { return t_; }
  bool IsValid() const { return t_ != 0; }
  void ReadWrite(IPMStream* s);

  bool operator==(const GlobalTime& o) const { return t_ == o.t_; }
  bool operator!=(const GlobalTime& o) const { return t_ != o.t_; }
  bool operator<(const GlobalTime& o) const { return t_ < o.t_; }
  bool operator<=(const GlobalTime& o) const { return t_ <= o.t_; }
  bool operator>(const GlobalTime& o) const { return t_ > o.t_; }

private:
  int64 t_ = 0;
};

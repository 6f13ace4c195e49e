#pragma once
// The host's source of time, replaceable so tests drive idle time and time
// stamps deterministically.
#include "host/IDTypes.h"

class Clock {
public:
  virtual ~Clock() = default;
  virtual int64 NowMicros() const = 0;  // since 1970-01-01 UTC
};

class SystemClock final : public Clock {
public:
  int64 NowMicros() const override;
};

class VirtualClock final : public Clock {
public:
  explicit VirtualClock(int64 start = 1700000000000000LL) : now_(start) {}
  int64 NowMicros() const override { return now_; }
  void Advance(int64 micros) { now_ += micros; }

private:
  int64 now_;
};

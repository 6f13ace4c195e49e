#include "model/XRefFixedPoint.h"
#include <cmath>

int32 XRefToFixed(double x) {
  constexpr double kLowest = -32768.0, kHighest = 32767.99998, kSlack = 1e-8;
  if (std::isnan(x)) return 0;  // no value: the neutral priority rather than undefined behaviour
  if (x < kLowest - kSlack) x = kLowest;
  if (x > kHighest + kSlack) x = kHighest;
  return static_cast<int32>(std::floor(x * 65536.0 + 0.5));
}

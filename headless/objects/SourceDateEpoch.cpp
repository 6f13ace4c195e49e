#include "headless/objects/SourceDateEpoch.h"
#include "headless/objects/Clock.h"
#include <cstdlib>

bool SourceDateEpochMicros(int64* micros, std::string* error) {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (!value) return false;
  const std::string text(value);
  // At most twelve digits: far beyond any real date, and still well inside
  // an int64 of microseconds.
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) {
    *error = "SOURCE_DATE_EPOCH: '" + text + "' is not a whole number of seconds since 1970";
    return false;
  }
  *micros = std::stoll(text) * 1000000;
  return true;
}

int64 SessionStartMicros() {
  int64 micros = 0;
  std::string ignored;
  return SourceDateEpochMicros(&micros, &ignored) ? micros : SystemClock().NowMicros();
}

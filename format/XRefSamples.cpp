#include "format/XRefSamples.h"
#include <random>
#include <string>

int32 XRefSampleNumber(int32 lo, int32 hi) {
  // Seeded once per process: previews vary between runs, as samples should.
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int32> pick(lo, hi);
  return pick(generator);
}

void XRefAppendRun(std::vector<ComposedRun>& runs, const WideString& text) { runs.push_back({text, nullptr}); }

void XRefAppendRun(std::vector<ComposedRun>& runs, const char* utf8) { XRefAppendRun(runs, WideString(utf8)); }

void XRefAppendNumberRun(std::vector<ComposedRun>& runs, int32 n, const char* suffix) {
  XRefAppendRun(runs, WideString::FromUTF8(std::to_string(n) + suffix));
}

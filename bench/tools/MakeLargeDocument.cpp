// Writes the description of a document of real size, as the benchmarks make
// it, for measuring the program on it:
//   xref_large_document OUT.json [characters [markers [cross-references [footnotes [seed]]]]]
// Defaults: 1,000,000 characters, one marker and one cross-reference per
// 1,000 characters, a footnote per 10,000, seed 1.
#include "bench/LargeDocument.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool Number(const char* text, int64_t low, int64_t* out) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (!*text || *end || value < low || value > INT32_MAX) return false;
  *out = value;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  // An output starting with a dash is an option mistyped (or --help), not a
  // file to write.
  if (argc < 2 || argc > 7 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: %s OUT.json [characters [markers [cross-references [footnotes [seed]]]]]\n", argv[0]);
    return 2;
  }
  int64_t values[5] = {1000000, -1, -1, -1, 1};
  const int64_t lows[5] = {1, 0, 0, 0, 0};
  const char* names[5] = {"characters", "markers", "cross-references", "footnotes", "seed"};
  for (int i = 2; i < argc; ++i) {
    if (Number(argv[i], lows[i - 2], &values[i - 2])) continue;
    std::fprintf(stderr, "%s: %s must be a whole number from %lld: '%s'\n", argv[0], names[i - 2],
                 static_cast<long long>(lows[i - 2]), argv[i]);
    return 2;
  }
  LargeDocumentSpec spec;
  spec.characters = static_cast<int32_t>(values[0]);
  spec.headings = static_cast<int32_t>(values[1] >= 0 ? values[1] : values[0] / 1000);
  spec.crossRefs = static_cast<int32_t>(values[2] >= 0 ? values[2] : values[0] / 1000);
  spec.footnotes = static_cast<int32_t>(values[3] >= 0 ? values[3] : values[0] / 10000);
  spec.seed = static_cast<uint32_t>(values[4]);
  if (!WriteLargeDescription(spec, argv[1])) {
    std::fprintf(stderr, "%s: %s: cannot be written\n", argv[0], argv[1]);
    return 2;
  }
  return 0;
}

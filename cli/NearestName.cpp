#include "cli/NearestName.h"
#include <algorithm>
#include <numeric>

namespace {
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}
}  // namespace

std::string NearestName(const std::string& word, const std::vector<std::string>& names) {
  std::string best;
  size_t bestDistance = word.size() / 2 + 1;
  for (const std::string& name : names) {
    const size_t distance = EditDistance(word, name);
    if (distance >= bestDistance) continue;
    best = name;
    bestDistance = distance;
  }
  return best;
}

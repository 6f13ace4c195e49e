#include "headless/layout/AdornmentsByLine.h"
#include <algorithm>

std::vector<AdornmentsByLine::Entry>::iterator AdornmentsByLine::FirstFrom(int32 line) {
  return std::lower_bound(entries_.begin(), entries_.end(), line,
                          [](const Entry& e, int32 n) { return e.first < n; });
}

AdornmentsByLine::List& AdornmentsByLine::At(int32 line) {
  auto it = FirstFrom(line);
  if (it == entries_.end() || it->first != line) it = entries_.insert(it, Entry(line, List()));
  return it->second;
}

const AdornmentsByLine::List* AdornmentsByLine::Find(int32 line) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), line,
                             [](const Entry& e, int32 n) { return e.first < n; });
  return it != entries_.end() && it->first == line ? &it->second : nullptr;
}

void AdornmentsByLine::DropFrom(int32 line) { entries_.erase(FirstFrom(line), entries_.end()); }

void AdornmentsByLine::Recomposed(int32 from, int32 end, int32 moved) {
  auto first = FirstFrom(from);
  auto rest = entries_.erase(first, FirstFrom(std::max(from, end)));
  if (moved == 0) return;
  for (; rest != entries_.end(); ++rest) rest->first += moved;
}

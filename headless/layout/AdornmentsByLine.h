#pragma once
// The adornments items add to a story's lines, kept only for lines that
// have some: few lines of a long story are adorned, and when lines come
// and go the entries after them are renumbered, not shifted one by one.
//
// Invariant: entries_ is sorted by line number, one entry per line, and no
// entry's list is empty unless a caller is filling it.
#include "host/IDTypes.h"
#include <utility>
#include <vector>

class AdornmentsByLine {
public:
  // Class and draw priority of each adornment of a line.
  using List = std::vector<std::pair<ClassID, double>>;

  // The line's list, made empty when it has none.
  List& At(int32 line);
  // The line's list; null when it has none.
  const List* Find(int32 line) const;
  void Clear() { entries_.clear(); }
  // Lines from `line` on lose theirs.
  void DropFrom(int32 line);
  // Lines [from, end) were composed again and lose theirs; lines from `end`
  // on are now `moved` lines further on.
  void Recomposed(int32 from, int32 end, int32 moved);

private:
  using Entry = std::pair<int32, List>;
  std::vector<Entry>::iterator FirstFrom(int32 line);
  std::vector<Entry> entries_;
};

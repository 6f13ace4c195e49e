#pragma once
// The adornments items add to a story's lines, kept only for lines that
// have some: few lines of a long story are adorned, and when lines come
// and go the entries after them are renumbered, not shifted one by one.
//
// Invariant: entries_ is sorted by line number, one entry per line, each
// naming its own list in lists_; the lists no entry names are empty and
// listed in free_. Entries are small, so lines coming and going move
// little.
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
  void Clear();
  // Lines from `line` on lose theirs.
  void DropFrom(int32 line);
  // Lines [from, end) were composed again and lose theirs; lines from `end`
  // on are now `moved` lines further on.
  void Recomposed(int32 from, int32 end, int32 moved);

private:
  struct Entry {
    int32 line;
    int32 list;
  };
  std::vector<Entry>::iterator FirstFrom(int32 line);
  std::vector<Entry>::const_iterator FirstFrom(int32 line) const;
  // Erases the entries, freeing their lists; answers the entry after them.
  std::vector<Entry>::iterator Erase(std::vector<Entry>::iterator first, std::vector<Entry>::iterator last);
  std::vector<Entry> entries_;
  std::vector<List> lists_;
  std::vector<int32> free_;
};

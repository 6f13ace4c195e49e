#pragma once
// The adornments items add to a story's lines, kept only for lines that
// have some: few lines of a long story are adorned. Entries live in a gap
// buffer, and when lines come and go the entries after them take a step
// applied lazily, as partitions do: an edit costs what it changes, not the
// entries after it.
//
// Invariant: the entries are sorted by line number, one per line, each
// naming its own list in lists_; entry n's line is entries_[n].line, plus
// step_ from stepFrom_ on. The lists no entry names are empty and listed
// in free_. Unless lastLine_ is kNoLine, lastAt_ is the first entry whose
// line is lastLine_ or later.
#include "headless/layout/SplitVector.h"
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
  int32 LineOf(size_t n) const { return entries_[n].line + (n >= stepFrom_ ? step_ : 0); }
  // The first entry whose line is `line` or later.
  size_t FirstFrom(int32 line) const;
  // Erases entries [first, last), freeing their lists.
  void Erase(size_t first, size_t last);
  // Makes the step start at entry n, moving the entries in between.
  void MoveStepTo(size_t n);
  // Forgets the entry found last, after entries moved or their lines did.
  void Moved() { lastLine_ = kNoLine; }
  static constexpr int32 kNoLine = -1;
  SplitVector<Entry> entries_;
  // An item adorning its line asks for the line three times in a row.
  mutable int32 lastLine_ = kNoLine;
  mutable size_t lastAt_ = 0;
  size_t stepFrom_ = 0;
  int32 step_ = 0;
  std::vector<List> lists_;
  std::vector<int32> free_;
};

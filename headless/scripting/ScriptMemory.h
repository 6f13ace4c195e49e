#pragma once
// The interpreter's allocator: counts the bytes it holds and refuses what
// would pass the limit, which the interpreter reports as "out of memory".
#include <cstddef>

struct ScriptMemory {
  size_t limit = 0;  // 0: none
  size_t used = 0;
  // The interpreter's allocation hook: a size of 0 frees.
  static void* Allocate(void* memory, void* block, int size);
};

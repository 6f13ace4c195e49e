#include "headless/scripting/ScriptMemory.h"
#include <cstdlib>
#include <cstring>

namespace {
// Each block starts with its size, padded to keep the block aligned.
constexpr size_t kHeader = alignof(std::max_align_t) > sizeof(size_t) ? alignof(std::max_align_t) : sizeof(size_t);

size_t SizeOf(void* block) {
  size_t size;
  std::memcpy(&size, static_cast<char*>(block) - kHeader, sizeof size);
  return size;
}
}  // namespace

void* ScriptMemory::Allocate(void* memory, void* block, int size) {
  auto* self = static_cast<ScriptMemory*>(memory);
  const size_t old = block ? SizeOf(block) : 0;
  char* base = block ? static_cast<char*>(block) - kHeader : nullptr;
  if (size <= 0) {
    std::free(base);
    self->used -= old;
    return nullptr;
  }
  const size_t wanted = static_cast<size_t>(size);
  if (self->limit && self->used - old + wanted > self->limit) return nullptr;
  char* grown = static_cast<char*>(std::realloc(base, kHeader + wanted));
  if (!grown) return nullptr;
  std::memcpy(grown, &wanted, sizeof wanted);
  self->used = self->used - old + wanted;
  return grown + kHeader;
}

#include "headless/layout/LineBreaker.h"

namespace {
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The end (exclusive) of the line starting at `start`.
size_t LineEnd(const std::u16string& text, size_t start, size_t columns) {
  const size_t len = text.size();
  size_t limit = start + columns;
  for (size_t i = start; i < len && i <= limit; ++i)
    if (text[i] == u'\r') return i + 1;
  if (limit >= len) return len;
  for (size_t i = limit; i > start; --i)
    if (text[i - 1] == u' ') return i;
  // A word longer than the line: break it, but never inside a surrogate pair.
  if (limit > start + 1 && IsLowSurrogate(text[limit])) --limit;
  return limit;
}
}  // namespace

TextIndex BreakLines(const std::u16string& text, const std::vector<FrameBox>& frames,
                     std::vector<ComposedLine>* lines) {
  lines->clear();
  size_t pos = 0;
  for (size_t f = 0; f < frames.size() && pos < text.size(); ++f) {
    if (frames[f].columns <= 0) continue;
    for (int32 l = 0; l < frames[f].lines && pos < text.size(); ++l) {
      size_t end = LineEnd(text, pos, static_cast<size_t>(frames[f].columns));
      lines->push_back({static_cast<TextIndex>(pos), static_cast<int32>(end - pos), static_cast<int32>(f), l});
      pos = end;
    }
  }
  return static_cast<TextIndex>(pos);
}

#include "headless/layout/LineBreaker.h"

TextIndex BreakLines(const std::u16string& text, const std::vector<FrameBox>& frames,
                     std::vector<ComposedLine>* lines) {
  lines->clear();
  auto at = [&](size_t i) { return text[i]; };
  size_t pos = 0;
  for (size_t f = 0; f < frames.size() && pos < text.size(); ++f) {
    if (frames[f].columns <= 0) continue;
    for (int32 l = 0; l < frames[f].lines && pos < text.size(); ++l) {
      size_t end = LineEnd(at, text.size(), pos, static_cast<size_t>(frames[f].columns));
      lines->push_back({static_cast<TextIndex>(pos), static_cast<int32>(end - pos), static_cast<int32>(f), l});
      pos = end;
    }
  }
  return static_cast<TextIndex>(pos);
}

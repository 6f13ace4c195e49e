#pragma once
// A story's composition into lines and frames, made lazily: any change to
// the story's database makes it stale, and the next question brings it up to
// date. After text edits it composes again from the first line the edits can
// affect until the new lines fall back in step with the old ones (a line
// start that is an old one shifted by the edits' length change, in the same
// frame and line slot, or whole slots away where the frames are as wide);
// the rest is the old lines, shifted. The result is always the same as
// composing from scratch, which happens when the frames changed or the
// edits are not known. Composing tells the story's owned items that hear
// layout when the line holding their anchor changed or went into another
// frame (ComposedIntoLine) or their anchor went into overset text (Overset).
#include "headless/layout/AdornmentsByLine.h"
#include "headless/layout/ComposedLines.h"
#include "headless/layout/LineBreaker.h"
#include "host/IDataBase.h"
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class StoryComposition {
public:
  TextIndex OversetStart() const { return overset_; }
  int32 TextLength() const { return length_; }
  // The frame showing the index; kInvalidUID in overset text or outside.
  UID FrameAt(TextIndex at) const;
  // The line holding the index (null in overset text or outside), and its number.
  std::optional<ComposedLine> LineAt(TextIndex at, int32* lineNumber = nullptr) const;
  UID FrameUID(int32 frameIndex) const;
  TextIndex FrameStart(UID frame) const;
  int32 FrameSpan(UID frame) const;

  // Adornments drawn on a line (0 <= lineNumber).
  using AdornmentList = AdornmentsByLine::List;
  AdornmentList& Adornments(int32 lineNumber) { return adornments_.At(lineNumber); }
  // The adornments of one line (class, draw priority); none when it has none.
  AdornmentList LineAdornments(int32 lineNumber) const {
    const AdornmentList* list = FindAdornments(lineNumber);
    return list ? *list : AdornmentList();
  }
  // The same without a copy; null when it has none.
  const AdornmentList* FindAdornments(int32 lineNumber) const { return adornments_.Find(lineNumber); }

  int32 LineCount() const { return static_cast<int32>(lines_.size()); }
  ComposedLine Line(int32 n) const { return lines_[static_cast<size_t>(n)]; }

private:
  friend struct CompositionWork;
  friend const StoryComposition* ComposeStoryThrough(IDataBase* db, UID story, TextIndex through);
  ComposedLines lines_;
  // Lines in one frame lie next to each other, frame after frame.
  std::pair<size_t, size_t> LinesOfFrame(UID frame) const;
  std::vector<UID> frames_;
  std::unordered_map<UID, int32> frameIndex_;  // the first place of each frame in frames_
  TextIndex overset_ = 0;
  int32 length_ = 0;
  AdornmentsByLine adornments_;
};

// The story's current composition; null when the UID is not a story.
const StoryComposition* ComposeStory(IDataBase* db, UID story);
// The same, current at least through the index: the line holding it, the
// lines before it and the answers of LineAt and FrameAt up to it. Composing
// may stop past that line before the lines fall back in step, to go on when
// a later index or the whole story is asked for, so that edit after edit
// early in a long paragraph does not each lay out the rest of it.
const StoryComposition* ComposeStoryThrough(IDataBase* db, UID story, TextIndex through);
// A frame or a story's frame list changed (or was read): compositions read
// their frames again. Frame and frame-list implementations call it.
void FramesChanged();
// The line object owned items receive when composed into a line (with a
// reference the caller releases).
IPMUnknown* MakeWaxLine(StoryComposition* composition, int32 lineNumber, UID frame, const ComposedLine& line);
// The story composed from scratch, for comparison in tests; null when the
// UID is not a story. Tells no owned items.
std::unique_ptr<StoryComposition> ComposeStoryFromScratch(IDataBase* db, UID story);

#pragma once
// A story's composition into lines and frames, made lazily: any change to
// the story's database makes it stale, and the next question composes the
// story again. Composing tells the story's owned items that hear layout when
// their anchor lands in a different line (ComposedIntoLine) or goes into
// overset text (Overset).
#include "headless/layout/LineBreaker.h"
#include "host/IDataBase.h"
#include <map>
#include <utility>
#include <vector>

class StoryComposition {
public:
  TextIndex OversetStart() const { return overset_; }
  int32 TextLength() const { return length_; }
  // The frame showing the index; kInvalidUID in overset text or outside.
  UID FrameAt(TextIndex at) const;
  // The line holding the index (null in overset text or outside), and its number.
  const ComposedLine* LineAt(TextIndex at, int32* lineNumber = nullptr) const;
  UID FrameUID(int32 frameIndex) const;
  TextIndex FrameStart(UID frame) const;
  int32 FrameSpan(UID frame) const;

  // Adornments drawn on a line, by line number.
  std::map<int32, std::vector<std::pair<ClassID, double>>>& Adornments() { return adornments_; }
  // The adornments of one line (class, draw priority); none when it has none.
  std::vector<std::pair<ClassID, double>> LineAdornments(int32 line) const {
    auto it = adornments_.find(line);
    return it == adornments_.end() ? std::vector<std::pair<ClassID, double>>() : it->second;
  }

private:
  friend const StoryComposition* ComposeStory(IDataBase* db, UID story);
  std::vector<ComposedLine> lines_;
  std::vector<UID> frames_;
  TextIndex overset_ = 0;
  int32 length_ = 0;
  std::map<int32, std::vector<std::pair<ClassID, double>>> adornments_;
};

// The story's current composition; null when the UID is not a story.
const StoryComposition* ComposeStory(IDataBase* db, UID story);
// The line object owned items receive when composed into a line (with a
// reference the caller releases).
IPMUnknown* MakeWaxLine(StoryComposition* composition, int32 lineNumber, UID frame, const ComposedLine& line);
// Composes every story of every open document (idle time).

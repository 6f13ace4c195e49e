#pragma once
// What holds for a cross-reference now, found without changing the document:
// whether its source is found, whether its story is locked, whether its
// format composes, and whether the text between its markers is up to date.
#include "host/PMString.h"

struct XRefEvaluation {
  bool sourceFound = false;
  PMString sourceMessage;
  bool locked = false;
  // Known only with the source found: the format composes without problems.
  bool composes = false;
  PMString compositionMessage;
  // The text the format gives now, and whether the story holds it (straight
  // and curly quotes of one kind count as equal).
  PMString composed;
  bool upToDate = false;

  // Broken, failed, or locked with its text out of date: what a check and an
  // update report. A locked, up-to-date cross-reference is sound.
  bool IsFinding() const { return !sourceFound || !composes || !upToDate; }
};

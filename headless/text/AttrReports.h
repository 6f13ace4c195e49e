#pragma once
// The answers of an attribute class's report (IAttrReport), read once per
// class and kept until plug-ins register again. Classes without a report
// answer as the host's own attributes do.
#include "host/IDTypes.h"

struct AttrAnswers {
  int32 carriedWhenTyping = 1;
  int32 copiedWithText = 1;
  int32 allowedInStyles = 1;
  int32 listedWithResolved = 1;
  int32 drawKind = 1;
};

const AttrAnswers& AttrAnswersOf(ClassID cls);

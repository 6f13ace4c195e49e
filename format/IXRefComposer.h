#pragma once
// Writes the text a format gives for a source location into a story.
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UID.h"

class IDataBase;

class IXRefComposer : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCOMPOSER;

  // 0 when the format was parsed to the end; element problems are in the
  // object's IXRefComposerState.
  virtual ErrorCode Compose(PMString format, IDataBase* sourceDB, UID sourceStory, TextIndex sourceIndex,
                            IDataBase* destDB, UID destStory, TextIndex destIndex) = 0;
};

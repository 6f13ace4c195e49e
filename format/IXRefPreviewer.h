#pragma once
// The plain text a format gives, for real locations or with sample values.
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UID.h"

class IDataBase;

class IXRefPreviewer : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFPREVIEWER;

  virtual ErrorCode Preview(PMString* text, PMString format, IDataBase* sourceDB, UID sourceStory,
                            TextIndex sourceIndex, IDataBase* destDB, UID destStory, TextIndex destIndex) = 0;
  virtual ErrorCode PreviewSample(PMString* text, PMString format) = 0;
};

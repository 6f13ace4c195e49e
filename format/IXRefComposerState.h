#pragma once
// The problems met while composing one format, in the order met.
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"

class IXRefComposerState : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFCOMPOSERSTATE;

  virtual void AddAttributeError(const PMString& element, const PMString& attribute, ErrorCode code) = 0;
  virtual void AddElementError(const PMString& element, ErrorCode code) = 0;
  virtual int32 GetErrorCount() const = 0;
  virtual void ClearErrors() = 0;
  // One translated line per problem.
  virtual PMString GetErrorText() const = 0;
};

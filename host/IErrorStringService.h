#pragma once
// Words error codes. A plug-in's error-string service covers the 256 codes
// from its identifier prefix up, each named by a message key of its string
// table; the host asks the service whose range holds a code.
#include "HostIDs.h"
#include "IPMUnknown.h"
#include "PMString.h"

class IErrorStringService : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IERRORSTRINGSERVICE;

  // The first of the codes the service words.
  virtual ErrorCode GetFirstErrorCode() const = 0;
  // The identifier of the service's error string table.
  virtual int32 GetErrorStringTableID() const = 0;
  // The code's message key, still to be translated; empty when the table has
  // no entry for it.
  virtual PMString GetErrorString(ErrorCode code) const = 0;
};

namespace ErrorUtils {
// The translated message of an error code, from the error-string service
// whose range holds it; a generic wording with the number when none has one.
PMString PMGetErrorString(ErrorCode code);
}  // namespace ErrorUtils

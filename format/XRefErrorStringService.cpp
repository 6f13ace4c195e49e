// Words the plug-in's error codes: table 2200 names each code's message key,
// whose English text is in the plug-in's string table.
#include "commands/XRefCommandID.h"
#include "format/XRefFormatID.h"
#include "host/CPMUnknown.h"
#include "host/IErrorStringService.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefID.h"
#include "integration/XRefScriptID.h"

namespace {
struct ErrorStringEntry {
  ErrorCode code;
  const char* key;
};

const ErrorStringEntry kErrorStringTable[] = {
    {kXRefFormatNotFoundError, "QX#0xF2C#kXRefFormatNotFoundErrorKey"},
    {kXRefMissingInputError, "QX#0xF2C#kXRefMissingInputErrorKey"},
    {kXRefParaStyleNotFoundError, "QX#0xF2C#kXRefParaStyleNotFoundErrorKey"},
    {kXRefCharStyleNotFoundError, "QX#0xF2C#kXRefCharStyleNotFoundErrorKey"},
    {kXRefNoPrecedingParagraphError, "QX#0xF2C#kXRefNoPrecedingParagraphErrorKey"},
    {kXRefNoFollowingParagraphError, "QX#0xF2C#kXRefNoFollowingParagraphErrorKey"},
    {kXRefNotOnPageError, "QX#0xF2C#kXRefNotOnPageErrorKey"},
    {kXRefOnPasteboardError, "QX#0xF2C#kXRefOnPasteboardErrorKey"},
    {kXRefPageTextWithoutNumberError, "QX#0xF2C#kXRefPageTextWithoutNumberErrorKey"},
    {kXRefNotInFootnoteError, "QX#0xF2C#kXRefNotInFootnoteErrorKey"},
    {kXRefNotNumberedError, "QX#0xF2C#kXRefNotNumberedErrorKey"},
    {kXRefNoFilteredTextError, "QX#0xF2C#kXRefNoFilteredTextErrorKey"},
    {kXRefInsideCrossRefError, "QX#0xF2C#kXRefInsideCrossRefErrorKey"},
    {kXRefStoryLockedError, "QX#0xF2C#kXRefStoryLockedErrorKey"},
    {kXRefMarkersNotInPlaceError, "QX#0xF2C#kXRefMarkersNotInPlaceErrorKey"},
    {kXRefHyperlinkToOtherDocumentError, "QX#0xF2C#kXRefHyperlinkToOtherDocumentErrorKey"},
    {kXRefMarkerInUseError, "QX#0xF2C#kXRefMarkerInUseErrorKey"},
    {kXRefCharacterHasMarkerError, "QX#0xF2C#kXRefCharacterHasMarkerErrorKey"},
};

constexpr int32 kErrorStringTableID = 2200;

class XRefErrorStringService : public CPMUnknown<IErrorStringService> {
public:
  using CPMUnknown::CPMUnknown;

  ErrorCode GetFirstErrorCode() const override { return ErrorCode{static_cast<int32>(kXRefPrefix)}; }
  int32 GetErrorStringTableID() const override { return kErrorStringTableID; }

  PMString GetErrorString(ErrorCode code) const override {
    for (const ErrorStringEntry& entry : kErrorStringTable)
      if (entry.code == code) return PMString(entry.key);
    return PMString();
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefErrorStringService, kXRefErrorStringServiceImpl);

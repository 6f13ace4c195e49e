// The host's side of error strings: words the host's own codes, and finds
// the service whose range holds any other code among the classes that carry
// one, and translates its message key.
#include "headless/objects/Host.h"
#include "host/IErrorStringService.h"
#include "host/InterfacePtr.h"
#include "host/ScriptIDs.h"
#include "host/TextIDs.h"
#include <cstdio>

namespace {
// A service covers the codes from its first one to the end of that prefix.
constexpr uint32 kCodesPerService = 0x100;

struct HostErrorText {
  ErrorCode code;
  const char* text;
};

// Users read these wherever a host command fails: words, never numbers.
const HostErrorText kHostErrorTexts[] = {
    {kFailure, "The operation failed"},
    {kOutOfMemoryError, "Out of memory"},
    {kInvalidParameterError, "Invalid parameter"},
    {kObjectNotFoundError, "The object was not found"},
    {kFileNotFoundError, "The file was not found"},
    {kCorruptDocumentError, "The document is damaged"},
    {kFileWriteError, "The file could not be written"},
    {kParserError, "The text could not be parsed"},
    {kCancel, "Cancelled"},
    {kFileNotReadableError, "The file cannot be read"},
    {kNotADocumentError, "The file is not a document"},
    {kDocumentAlreadyOpenError, "The document is already open"},
    {kStoryLockedError, "The story is locked"},
    {kTextRangeError, "The position lies outside the story"},
    {kMoveIntoItselfError, "Text cannot be moved into itself"},
    {kScriptPropertyNotHandledError, "No such property"},
    {kScriptMethodNotHandledError, "No such method"},
    {kScriptReadOnlyPropertyError, "The property is read-only"},
    {kScriptBadValueError, "A value of the wrong type"},
    {kScriptObjectGoneError, "The object no longer exists"},
    {kScriptNoSuchObjectError, "No such object"},
    {kScriptNameInUseError, "Another object has that name"},
};

PMString Translated(const std::string& text) {
  PMString result(text);
  result.SetTranslated();
  return result;
}

// A code nobody words still reads as words; its number only in parentheses.
PMString GenericWording(ErrorCode code) {
  char text[48];
  std::snprintf(text, sizeof text, "Unknown error (0x%X)", static_cast<unsigned>(ErrorValue(code)));
  return Translated(text);
}
}  // namespace

PMString ErrorUtils::PMGetErrorString(ErrorCode code) {
  for (const HostErrorText& entry : kHostErrorTexts)
    if (entry.code == code) return Translated(entry.text);
  const uint32 value = static_cast<uint32>(ErrorValue(code));
  for (ClassID cls : Host::Get().Classes().ClassesWith(IID_IERRORSTRINGSERVICE)) {
    InterfacePtr<IErrorStringService> service(
        static_cast<IErrorStringService*>(Host::Get().CreateObject(cls, IID_IERRORSTRINGSERVICE)));
    if (!service) continue;
    const uint32 first = static_cast<uint32>(ErrorValue(service->GetFirstErrorCode()));
    if (value < first || value - first >= kCodesPerService) continue;
    PMString message = service->GetErrorString(code);
    if (message.empty()) break;
    message.Translate();
    return message;
  }
  return GenericWording(code);
}

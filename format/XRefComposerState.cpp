// The problems met while composing one format: element, attribute (empty
// for the element as a whole) and error code, in the order they were met.
#include "format/IXRefComposerState.h"
#include "host/CPMUnknown.h"
#include "host/IErrorStringService.h"
#include "integration/ImplementationRecord.h"
#include <vector>

namespace {
struct CompositionError {
  PMString element;
  PMString attribute;
  ErrorCode code;
};

PMString Translated(const char* key) {
  PMString text(key);
  text.Translate();
  return text;
}

// "<message> (element 'name', attribute 'name')"
PMString MessageOf(const CompositionError& error) {
  PMString message = ErrorUtils::PMGetErrorString(error.code);
  message.Append(" (");
  message.Append(Translated("QX#0xF2C#kXRefElementKey"));
  message.Append(" '");
  message.Append(error.element);
  message.Append("'");
  if (!error.attribute.empty()) {
    message.Append(", ");
    message.Append(Translated("QX#0xF2C#kXRefAttributeKey"));
    message.Append(" '");
    message.Append(error.attribute);
    message.Append("'");
  }
  message.Append(")");
  return message;
}

class XRefComposerState : public CPMUnknown<IXRefComposerState> {
public:
  using CPMUnknown::CPMUnknown;

  void AddAttributeError(const PMString& element, const PMString& attribute, ErrorCode code) override {
    errors_.push_back({element, attribute, code});
  }
  void AddElementError(const PMString& element, ErrorCode code) override {
    errors_.push_back({element, PMString(), code});
  }
  int32 GetErrorCount() const override { return static_cast<int32>(errors_.size()); }
  void ClearErrors() override { errors_.clear(); }

  PMString GetErrorText() const override {
    PMString text;
    for (size_t i = 0; i < errors_.size(); ++i) {
      if (i > 0) text.Append("\n");
      text.Append(MessageOf(errors_[i]));
    }
    text.SetTranslated();
    return text;
  }

private:
  std::vector<CompositionError> errors_;
};
}  // namespace

CREATE_PMINTERFACE(XRefComposerState, kXRefComposerStateImpl);

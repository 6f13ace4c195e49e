// Invariant: the text is empty or a sequence of "[tag] text" entries joined
// by line feeds; it is never translated.
#include "engine/IXRefConversionLog.h"
#include "host/CPMUnknown.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefConversionLog : public CPMUnknown<IXRefConversionLog> {
public:
  explicit XRefConversionLog(IPMUnknown* boss) : CPMUnknown<IXRefConversionLog>(boss) {
    log_.SetTranslatable(false);
  }
  bool16 IsEmpty() const override { return log_.IsEmpty(); }
  PMString GetLog() const override { return log_; }
  void AddEntry(const PMString& tag, const PMString& text) override {
    if (!log_.IsEmpty()) log_.Append("\n");
    log_.Append("[");
    log_.Append(tag);
    log_.Append("] ");
    log_.Append(text);
  }

private:
  PMString log_;
};
}  // namespace

CREATE_PMINTERFACE(XRefConversionLog, kXRefConversionLogImpl);

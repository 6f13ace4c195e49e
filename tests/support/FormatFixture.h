#pragma once
// A running application with the plug-in, its parsing utility and validator,
// and a recorder object for parse events.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefValidator.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "tests/support/RecordingHandler.h"
#include "tests/support/TestApp.h"

class FormatFixture : public ::testing::Test {
protected:
  FormatFixture() {
    RegisterRecorderClass();
    utils_.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (utils_) validator_.reset(utils_->QueryValidator());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  void SetUp() override {
    ASSERT_TRUE(utils_);
    ASSERT_TRUE(validator_);
  }

  static PMString Str(const std::u16string& s) { return PMString(s); }
  ErrorCode Validate(const std::u16string& format) { return validator_->Validate(PMString(format), false); }

  // Converts and parses the format; the recorder's events, or "error".
  std::string Events(const std::u16string& format) {
    PMString text(format);
    if (utils_->ConvertMetacharacters(text, nullptr)) return "escape error";
    InterfacePtr<IPMUnknown> recorder(CreateObject(kTestRecorderBoss, IPMUnknown::kControllingIID));
    if (utils_->ParseFormat(text, recorder.get(), false) != kSuccess) return "error";
    std::string events = RecordedEvents(recorder.get());
    // Drop the document and root events every format shares.
    const std::string frame = "[<xref>", end = "</xref>]";
    if (events.compare(0, frame.size(), frame) == 0) events.erase(0, frame.size());
    if (events.size() >= end.size() && events.compare(events.size() - end.size(), end.size(), end) == 0)
      events.erase(events.size() - end.size());
    return events;
  }

  TestApp app_;
  InterfacePtr<IXRefParsingUtils> utils_;
  InterfacePtr<IXRefValidator> validator_;
};

#include "tests/support/RecordingHandler.h"
#include "headless/objects/Host.h"
#include "host/CSAXContentHandler.h"
#include "host/IK2ServiceRegistry.h"
#include "host/InterfacePtr.h"
#include <algorithm>

namespace {
constexpr ImplementationID kTestRecorderImpl{0x7501};

class Recorder : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;
  void StartDocument() override { log += "["; }
  void EndDocument() override { log += "]"; }
  void StartElement(const WideString&, const WideString& localName, const WideString&,
                    ISAXAttributes* attributes) override {
    std::vector<std::string> pairs;
    for (int32 i = 0; i < attributes->GetCount(); ++i)
      pairs.push_back(attributes->GetName(i).GetUTF8String() + "=" + attributes->GetValue(i).GetUTF8String());
    std::sort(pairs.begin(), pairs.end());
    log += "<" + localName.GetUTF8String();
    for (auto& p : pairs) log += " " + p;
    log += ">";
  }
  void EndElement(const WideString&, const WideString& localName, const WideString&) override {
    log += "</" + localName.GetUTF8String() + ">";
  }
  void Characters(const WideString& chars) override { log += chars.GetUTF8String(); }

  std::string log;
};
}  // namespace

void RegisterRecorderClass() {
  static bool done = false;
  if (done) return;
  done = true;
  Host::Get().Impls().InstallHost<Recorder>(kTestRecorderImpl);
  Host::Get().Classes().Define({kTestRecorderBoss, kInvalidClass, {{IID_ISAXCONTENTHANDLER, kTestRecorderImpl}}});
}

std::string RecordedEvents(IPMUnknown* recorder) {
  InterfacePtr<ISAXContentHandler> handler(recorder, IID_ISAXCONTENTHANDLER);
  return handler ? static_cast<Recorder*>(handler.get())->log : std::string("(no handler)");
}

#include "format/XRefParsedFormat.h"
#include "host/ISAXAttributes.h"

namespace {
// Interfaces that live as long as their owner: references are counted for
// form's sake but never free them.
template <class Interface, PMIID kIID>
class Unowned : public Interface {
public:
  IPMUnknown* QueryInterface(PMIID iid) const override {
    if (iid != kIID) return nullptr;
    return const_cast<Unowned*>(this);
  }
  void AddRef() const override {}
  void Release() const override {}
};

// Attributes played back from a recording.
class KeptAttributes final : public Unowned<ISAXAttributes, IID_ISAXATTRIBUTES> {
public:
  explicit KeptAttributes(const std::vector<std::pair<WideString, WideString>>& kept) : kept_(kept) {}
  int32 GetCount() const override { return static_cast<int32>(kept_.size()); }
  WideString GetName(int32 index) const override { return InRange(index) ? kept_[At(index)].first : WideString(); }
  WideString GetValue(int32 index) const override { return InRange(index) ? kept_[At(index)].second : WideString(); }
  bool16 HasAttribute(const WideString& name) const override { return Find(name) >= 0; }
  bool16 GetAttributeString(const WideString& name, WideString* value) const override {
    const int32 at = Find(name);
    if (at < 0) return false;
    if (value) *value = kept_[At(at)].second;
    return true;
  }

private:
  bool InRange(int32 index) const { return index >= 0 && index < GetCount(); }
  static size_t At(int32 index) { return static_cast<size_t>(index); }
  int32 Find(const WideString& name) const {
    for (size_t i = 0; i < kept_.size(); ++i)
      if (kept_[i].first == name) return static_cast<int32>(i);
    return -1;
  }
  const std::vector<std::pair<WideString, WideString>>& kept_;
};
}  // namespace

class XRefParsedFormat::Recorder final : public Unowned<ISAXContentHandler, IID_ISAXCONTENTHANDLER> {
public:
  Recorder(ISAXContentHandler* handler, std::vector<Event>* events) : handler_(handler), events_(events) {}
  void StartDocument() override {
    events_->push_back({Event::kStartDocument, {}, {}, {}, {}});
    handler_->StartDocument();
  }
  void EndDocument() override {
    events_->push_back({Event::kEndDocument, {}, {}, {}, {}});
    handler_->EndDocument();
  }
  void StartElement(const WideString& uri, const WideString& localName, const WideString& qName,
                    ISAXAttributes* attributes) override {
    Event event{Event::kStartElement, uri, localName, qName, {}};
    for (int32 i = 0; attributes && i < attributes->GetCount(); ++i)
      event.attributes.emplace_back(attributes->GetName(i), attributes->GetValue(i));
    events_->push_back(std::move(event));
    handler_->StartElement(uri, localName, qName, attributes);
  }
  void EndElement(const WideString& uri, const WideString& localName, const WideString& qName) override {
    events_->push_back({Event::kEndElement, uri, localName, qName, {}});
    handler_->EndElement(uri, localName, qName);
  }
  void Characters(const WideString& chars) override {
    events_->push_back({Event::kCharacters, {}, {}, chars, {}});
    handler_->Characters(chars);
  }

private:
  ISAXContentHandler* handler_;
  std::vector<Event>* events_;
};

ErrorCode XRefParsedFormat::Record(ISAXContentHandler* handler,
                                   const std::function<ErrorCode(ISAXContentHandler*)>& parse) {
  events_.clear();
  Recorder recorder(handler, &events_);
  const ErrorCode result = parse(&recorder);
  if (result != kSuccess) events_.clear();
  return result;
}

void XRefParsedFormat::Replay(ISAXContentHandler* handler) const {
  for (const Event& event : events_) {
    switch (event.kind) {
    case Event::kStartDocument:
      handler->StartDocument();
      break;
    case Event::kEndDocument:
      handler->EndDocument();
      break;
    case Event::kStartElement: {
      KeptAttributes attributes(event.attributes);
      handler->StartElement(event.uri, event.localName, event.qName, &attributes);
      break;
    }
    case Event::kEndElement:
      handler->EndElement(event.uri, event.localName, event.qName);
      break;
    case Event::kCharacters:
      handler->Characters(event.qName);
      break;
    }
  }
}

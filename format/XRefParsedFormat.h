#pragma once
// The events of one clean parse of a format document, kept so that the same
// document can be played to another handler without parsing it again: the
// validating parse of the same text always gives the same events.
#include "host/ISAXContentHandler.h"
#include "host/WideString.h"
#include <functional>
#include <utility>
#include <vector>

class XRefParsedFormat {
public:
  // Runs `parse` with a handler that forwards every event to `handler` and
  // keeps it; what `parse` answers, with the events kept only on success.
  ErrorCode Record(ISAXContentHandler* handler, const std::function<ErrorCode(ISAXContentHandler*)>& parse);
  void Replay(ISAXContentHandler* handler) const;

  struct Event {
    enum Kind { kStartDocument, kEndDocument, kStartElement, kEndElement, kCharacters } kind;
    WideString uri, localName, qName;  // qName holds the characters of kCharacters
    std::vector<std::pair<WideString, WideString>> attributes;
  };

private:
  class Recorder;
  std::vector<Event> events_;
};

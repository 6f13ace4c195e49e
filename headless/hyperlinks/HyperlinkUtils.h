#pragma once
// The hyperlink utility: makes destinations, text sources and hyperlinks.
#include "host/CPMUnknown.h"
#include "host/IHyperlinks.h"

class HyperlinkUtilsImpl : public CPMUnknown<IHyperlinkUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef CreateTextAnchorDestination(const UIDRef& story, TextIndex at, const PMString& name) override;
  UIDRef CreateTextSource(const UIDRef& story, TextIndex start, int32 length) override;
  UIDRef CreateHyperlink(const UIDRef& source, const UIDRef& destination, const PMString& name,
                         bool16 visible) override;
};

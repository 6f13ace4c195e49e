// Turns the parse events of a format into text at the destination: literal
// text as it comes, each element through its building block, with the
// element's cstyle, format and lang around its output. Styles and attributes
// in force before an element are saved at its start and restored at its end.
#include "format/IXRefComposerState.h"
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefFormatProperties.h"
#include "format/XRefInsertionPoint.h"
#include "format/XRefLanguageFilter.h"
#include "host/CSAXContentHandler.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include <boost/make_shared.hpp>
#include <vector>

namespace {
const PMString kRootName("xref");
const PMString kCStyle("cstyle");
const PMString kFormat("format");
const PMString kLang("lang");

class XRefComposerContentHandler : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;
  ~XRefComposerContentHandler() override = default;

  void StartDocument() override {
    // Leftovers of an earlier parse that failed half-way must not be
    // restored here, nor its problems reported with this one's.
    charStyleStack_.clear();
    overrideStack_.clear();
    filter_.Reset();
    savedStack_.clear();
    restyledStack_.clear();
    restyled_ = false;
    charStyle_ = kInvalidUID;
    utils_.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefComposerState> state(this, IID_IXREFCOMPOSERSTATE);
    if (state) state->ClearErrors();

    // The composed text starts as the text before the destination, whatever
    // the insertion point held.
    XRefInsertionPoint point = InsertionPoint();
    const UID style = point.CharStyleBefore();
    AttributeBossList attributes;
    if (style == kInvalidUID || !point.ReadAttributes(true, &attributes)) return;
    if (point.ApplyCharStyle(style)) charStyle_ = style;
    point.ApplyAttributes(attributes);
  }

  void EndDocument() override {}

  void StartElement(const WideString&, const WideString& localName, const WideString&,
                    ISAXAttributes* attributes) override {
    StartElement(PMString(localName), attributes);
  }

  void EndElement(const WideString&, const WideString& localName, const WideString&) override {
    EndElement(PMString(localName));
  }

  void Characters(const WideString& text) override {
    if (filter_.Suppressed()) return;
    InsertionPoint().Insert(text);
  }

private:
  void StartElement(const PMString& name, ISAXAttributes* attributes) {
    if (name == kRootName) return;
    // Every element start leaves one entry here, so that its end restores
    // exactly what it saved, or nothing when it saved nothing.
    savedStack_.push_back(false);
    InterfacePtr<IXRefElement> element(utils_ ? utils_->QueryElement(name) : nullptr);
    if (!element) return;
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    if (!source || !destination || destination->GetIndex() < 0) return;
    InterfacePtr<IXRefComposerState> state(this, IID_IXREFCOMPOSERSTATE);
    if (!state) return;
    const XRefInsertionPoint point(source.get(), destination.get());
    if (!Save(point)) return;

    if (!filter_.Enter(utils_->GetStringAttribute(attributes, kLang, PMString()), destination.get())) return;
    if (!ApplyCStyle(name, attributes, point, destination.get(), state.get())) return;
    AttributeBossList formatList;
    if (!ApplyFormat(attributes, point, destination.get(), &formatList)) return;

    std::vector<ComposedRun> runs;
    const ErrorCode result = element->Compose(runs, attributes, state.get(), source.get(), destination.get());
    if (result != kSuccess) state->AddElementError(name, result);
    Write(runs, formatList, point);
  }

  void EndElement(const PMString& name) {
    if (name == kRootName || savedStack_.empty()) return;
    const bool saved = savedStack_.back();
    savedStack_.pop_back();
    if (!saved) return;
    filter_.Leave();
    const UID style = charStyleStack_.back();
    charStyleStack_.pop_back();
    const boost::shared_ptr<AttributeBossList> overrides = overrideStack_.back();
    overrideStack_.pop_back();
    // An element that gave the insertion point nothing of its own (no
    // style, format or run attributes) left it as it was saved.
    const bool restyled = restyled_;
    restyled_ = restyledStack_.back();
    restyledStack_.pop_back();
    if (!restyled) return;
    const XRefInsertionPoint point = InsertionPoint();
    charStyle_ = style;
    if (point.ApplyCharStyle(style)) point.ApplyAttributes(*overrides);
  }

  // Saves the style and the attributes in force; the language filter saves
  // its own state as the element enters it.
  bool Save(const XRefInsertionPoint& point) {
    // The style is the one last given to the insertion point: the character
    // before the destination may belong to an element that has ended, or
    // precede a container that has begun.
    if (charStyle_ == kInvalidUID) return false;
    boost::shared_ptr<AttributeBossList> overrides = boost::make_shared<AttributeBossList>();
    if (!point.ReadAttributes(false, overrides.get())) return false;
    charStyleStack_.push_back(charStyle_);
    overrideStack_.push_back(overrides);
    restyledStack_.push_back(restyled_);
    restyled_ = false;
    savedStack_.back() = true;
    return true;
  }

  // False when the style could not be applied; an unknown style is recorded
  // and the element goes on without one.
  bool ApplyCStyle(const PMString& element, ISAXAttributes* attributes, const XRefInsertionPoint& point,
                   IXRefTextLoc* destination, IXRefComposerState* state) {
    if (!utils_->HasAttribute(attributes, kCStyle)) return true;
    const UID style = destination->FindCharStyle(utils_->GetStringAttribute(attributes, kCStyle, PMString()));
    if (style == kInvalidUID) {
      state->AddAttributeError(element, kCStyle, kXRefCharStyleNotFoundError);
      return true;
    }
    restyled_ = true;
    if (!point.ApplyCharStyle(style)) return false;
    charStyle_ = style;
    return true;
  }

  // False when the properties name an unknown font or cannot be applied.
  bool ApplyFormat(ISAXAttributes* attributes, const XRefInsertionPoint& point, IXRefTextLoc* destination,
                   AttributeBossList* list) {
    if (utils_->HasAttribute(attributes, kFormat) &&
        ReadFormatProperties(utils_->GetStringAttribute(attributes, kFormat, PMString()), destination, list) !=
            kSuccess)
      return false;
    if (list->CountBosses() == 0) return true;
    restyled_ = true;
    return point.ApplyAttributes(*list);
  }

  // The element's runs, each with its own attributes under the format's.
  void Write(const std::vector<ComposedRun>& runs, const AttributeBossList& formatList,
             const XRefInsertionPoint& point) {
    for (const ComposedRun& run : runs) {
      if (run.attributes) {
        AttributeBossList merged = *run.attributes;
        merged.ApplyAttributes(formatList);
        if (merged.CountBosses() > 0) restyled_ = true;
        if (merged.CountBosses() > 0 && !point.ApplyAttributes(merged)) return;
      }
      if (!run.text.empty() && !point.Insert(run.text)) return;
    }
  }

  XRefInsertionPoint InsertionPoint() const {
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    // The object holds its locations as long as the handler lives.
    return XRefInsertionPoint(source.get(), destination.get());
  }

  std::vector<UID> charStyleStack_;
  std::vector<boost::shared_ptr<AttributeBossList>> overrideStack_;
  XRefLanguageFilter filter_;
  // Per element start, whether it saved onto the two stacks above and
  // entered the language filter.
  std::vector<bool> savedStack_;
  // Whether the open element changed the insertion point's style or
  // attributes; saved for each enclosing element, restored at its end.
  bool restyled_ = false;
  std::vector<bool> restyledStack_;
  // The character style the insertion point carries.
  UID charStyle_ = kInvalidUID;
  InterfacePtr<IXRefParsingUtils> utils_;
};
}  // namespace

CREATE_PMINTERFACE(XRefComposerContentHandler, kXRefComposerContentHandlerImpl);

// Collects a preview: literal text as it comes, and for each element either
// its sample (without valid locations) or what it composes, as plain text.
// `lang` filters as in composition; `cstyle` and `format` shape no text, but
// an unknown character style is recorded as the composer records it.
#include "format/IXRefComposerState.h"
#include "format/IXRefElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefLanguageFilter.h"
#include "host/CSAXContentHandler.h"
#include "host/ISAXAttributes.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
const PMString kRootName("xref");
const PMString kLang("lang");
const PMString kCStyle("cstyle");

class XRefPreviewerContentHandler : public CSAXContentHandler {
public:
  using CSAXContentHandler::CSAXContentHandler;

  void StartDocument() override {
    InterfacePtr<IStringData> collected(this, IID_ISTRINGDATA);
    if (collected) collected->Set(PMString());
    text_.clear();
    InterfacePtr<IXRefComposerState> state(this, IID_IXREFCOMPOSERSTATE);
    if (state) state->ClearErrors();
    filter_.Reset();
    utils_.reset(UtilsBoss::QueryUtils<IXRefParsingUtils>());
  }

  void EndDocument() override { Flush(); }

  void Characters(const WideString& text) override {
    if (!filter_.Suppressed()) text_.Append(text);
  }

  void StartElement(const WideString&, const WideString& localName, const WideString&,
                    ISAXAttributes* attributes) override {
    PMString name(localName);
    if (name == kRootName || !utils_) return;
    InterfacePtr<IXRefElement> element(utils_->QueryElement(name));
    if (!element) return;
    InterfacePtr<IXRefTextLoc> source(this, IID_IXREFSOURCETEXTLOC);
    InterfacePtr<IXRefTextLoc> destination(this, IID_IXREFDESTTEXTLOC);
    std::vector<ComposedRun> runs;
    if (!source || !destination || !source->IsValid() || !destination->IsValid()) {
      // Samples have no destination language to compare with.
      filter_.Enter(PMString(), nullptr);
      element->AddPreview(runs, attributes);
      Append(runs);
      return;
    }
    if (!filter_.Enter(utils_->GetStringAttribute(attributes, kLang, PMString()), destination.get())) return;
    InterfacePtr<IXRefComposerState> state(this, IID_IXREFCOMPOSERSTATE);
    // The text stays plain; the problems the composer would meet are kept in
    // the state all the same, so that a preview tells whether a format composes.
    if (state && utils_->HasAttribute(attributes, kCStyle) &&
        destination->FindCharStyle(utils_->GetStringAttribute(attributes, kCStyle, PMString())) == kInvalidUID)
      state->AddAttributeError(name, kCStyle, kXRefCharStyleNotFoundError);
    const ErrorCode result = element->Compose(runs, attributes, state.get(), source.get(), destination.get());
    if (result != kSuccess && state) state->AddElementError(name, result);
    Append(runs);
  }

  void EndElement(const WideString&, const WideString& localName, const WideString&) override {
    PMString name(localName);
    if (name == kRootName || !utils_) return;
    InterfacePtr<IXRefElement> element(utils_->QueryElement(name));
    if (element) filter_.Leave();
  }

private:
  void Append(const std::vector<ComposedRun>& runs) {
    for (const ComposedRun& run : runs) text_.Append(run.text);
  }

  // The string data holds the text once the document is done; a parse that
  // fails half-way leaves what was collected up to there.
  void Flush() {
    InterfacePtr<IStringData> collected(this, IID_ISTRINGDATA);
    if (collected) collected->Set(PMString(text_));
  }

  WideString text_;
  XRefLanguageFilter filter_;
  InterfacePtr<IXRefParsingUtils> utils_;
};
}  // namespace

CREATE_PMINTERFACE(XRefPreviewerContentHandler, kXRefPreviewerContentHandlerImpl);

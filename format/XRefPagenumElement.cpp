// The pagenum building block: the page number of the source, or a word for
// its page as seen from the destination.
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefParagraphChoice.h"
#include "format/XRefSamples.h"
#include "host/IDataBase.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefTextUtils.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"usesectionname", kXRefBool, "false"},
    {"forcearabic", kXRefBool, "false"},
    {"numbertype", "(default | actual | ordinal)", "default"},
    {"usepage", kXRefBool, "false"},
    {"pagetext", kXRefCDATA, "page #"},
    {"usethis", kXRefBool, "false"},
    {"thistext", kXRefCDATA, "this page"},
    {"useprev", kXRefBool, "false"},
    {"prevtext", kXRefCDATA, "previous page"},
    {"usenext", kXRefBool, "false"},
    {"nexttext", kXRefCDATA, "next page"},
    {"useopposite", kXRefBool, "false"},
    {"oppositetext", kXRefCDATA, "opposite page"},
};

// No relation between the pages: the page number is all there is to say.
constexpr int32 kUnrelated = 999;

UID SpreadOf(IDataBase* db, UID page) {
  InterfacePtr<IHierarchy> hierarchy(db, page, IID_IHIERARCHY);
  return hierarchy ? hierarchy->GetParentUID() : kInvalidUID;
}

// Names every composition reads, made once.
const PMString kName("pagenum");
namespace Name {
const PMString kUseThis("usethis"), kUseOpposite("useopposite"), kUsePrev("useprev"), kUseNext("usenext");
const PMString kThisText("thistext"), kOppositeText("oppositetext"), kPrevText("prevtext"), kNextText("nexttext");
const PMString kNumberType("numbertype"), kActual("actual"), kOrdinal("ordinal");
const PMString kUseSectionName("usesectionname"), kForceArabic("forcearabic");
const PMString kUsePage("usepage"), kPageText("pagetext");
}  // namespace Name

class XRefPagenumElement : public XRefElement {
public:
  explicit XRefPagenumElement(IPMUnknown* boss) : XRefElement(boss, "pagenum", kEmpty, kAttributes) {}

  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendNumberRun(runs, XRefSampleNumber(1, 50));
    return kSuccess;
  }

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override {
    if (!attributes || !source) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefTextUtils> text(UtilsBoss::QueryUtils<IXRefTextUtils>());
    if (!utils || !text) return kXRefMissingInputError;
    const PMString& name = kName;

    IDataBase* destDB = destination ? destination->GetDataBase() : nullptr;
    const bool useThis = Bool(utils, attributes, Name::kUseThis);
    const bool useOpposite = Bool(utils, attributes, Name::kUseOpposite);
    const bool usePrev = Bool(utils, attributes, Name::kUsePrev), useNext = Bool(utils, attributes, Name::kUseNext);
    // Only a relative wording needs the destination's page: asking for it
    // lays the story out there, which a plain page number can spare.
    const bool relative = useThis || useOpposite || usePrev || useNext;
    const UID destPage = destDB && relative ? text->GetPageUID(destDB, destination->GetStoryRef().GetUID(),
                                                               destination->GetIndex())
                                            : kInvalidUID;

    TextIndex at = source->GetIndex();
    XRefFindStyledParagraph(name, utils.get(), attributes, state, source, &at);
    IDataBase* sourceDB = source->GetDataBase();
    const UID sourcePage = sourceDB ? text->GetPageUID(sourceDB, source->GetStoryRef().GetUID(), at) : kInvalidUID;

    if (sourcePage == kInvalidUID) {
      if (state) state->AddElementError(name, kXRefNotOnPageError);
      XRefAppendRun(runs, "?");
      return kSuccess;
    }
    if (sourceDB->GetClass(sourcePage) == kSpreadBoss) {
      if (state) state->AddElementError(name, kXRefOnPasteboardError);
      XRefAppendRun(runs, "PB");
      return kSuccess;
    }

    InterfacePtr<IPageList> pages(source->GetDocumentRef(), IID_IPAGELIST);
    if (!pages) return kXRefMissingInputError;

    // Relative wordings make sense only within one document, and only
    // between two pages: a destination on the pasteboard has no place in
    // the page list to count from.
    int32 distance = kUnrelated;
    if (destPage != kInvalidUID && destDB == sourceDB) {
      const int32 sourceIndex = pages->GetPageIndex(sourcePage);
      const int32 destIndex = pages->GetPageIndex(destPage);
      if (sourceIndex >= 0 && destIndex >= 0) distance = sourceIndex - destIndex;
    }

    PMString result;
    if (distance == 0 && useThis) result = String(utils, attributes, Name::kThisText);
    if ((distance == -1 || distance == 1) && useOpposite) {
      const UID spread = SpreadOf(sourceDB, sourcePage);
      const UID destSpread = SpreadOf(sourceDB, destPage);
      InterfacePtr<ISpread> facing(sourceDB, spread, IID_ISPREAD);
      if (!facing || destSpread == kInvalidUID) return kXRefMissingInputError;
      if (destSpread == spread && facing->GetNumPages() == 2)
        result = String(utils, attributes, Name::kOppositeText);
    }
    if (result.IsEmpty() && distance == -1 && usePrev)
      result = String(utils, attributes, Name::kPrevText);
    if (result.IsEmpty() && distance == 1 && useNext)
      result = String(utils, attributes, Name::kNextText);

    if (result.IsEmpty()) {
      const PMString type = String(utils, attributes, Name::kNumberType);
      const int32 numberType = type == Name::kActual    ? kActualPageNumber
                               : type == Name::kOrdinal ? kOrdinalPageNumber
                                                              : kDefaultPageNumber;
      PMString number;
      if (!pages->GetPageString(sourcePage, &number, Bool(utils, attributes, Name::kUseSectionName, true),
                                Bool(utils, attributes, Name::kForceArabic), numberType, true))
        return kXRefMissingInputError;
      if (!Bool(utils, attributes, Name::kUsePage)) {
        result = number;
      } else {
        const PMString pageText = String(utils, attributes, Name::kPageText);
        bool replaced = false;
        for (int32 i = 0; i < pageText.CharCount(); ++i) {
          if (pageText[i] == u'#') {
            result.Append(number);
            replaced = true;
          } else {
            result.AppendW(pageText[i]);
          }
        }
        if (!replaced && state) state->AddElementError(name, kXRefPageTextWithoutNumberError);
      }
    }
    XRefAppendRun(runs, result.GetWideString());
    return kSuccess;
  }

private:
  static bool Bool(const InterfacePtr<IXRefParsingUtils>& utils, ISAXAttributes* attributes, const PMString& name,
                   bool fallback = false) {
    return utils->GetBoolAttribute(attributes, name, fallback);
  }
  // The wordings fall back to nothing: without the attribute there is no
  // wording, and the page number stands.
  static PMString String(const InterfacePtr<IXRefParsingUtils>& utils, ISAXAttributes* attributes,
                         const PMString& name) {
    return utils->GetStringAttribute(attributes, name, PMString());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefPagenumElement, kXRefPagenumElementImpl);

// The paratext building block: the text of the paragraph at (or near) the source.
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefParagraphChoice.h"
#include "format/XRefSamples.h"
#include "host/IFontList.h"
#include "host/IFootnote.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "host/TextIterator.h"
#include "host/UnicodeClass.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include <algorithm>
#include <boost/make_shared.hpp>
#include <string>
#include <vector>

namespace {
// The owned items that open and close the text of a cross-reference.
constexpr ClassID kXRefStartMarkerClass{0xF2C07};
constexpr ClassID kXRefEndMarkerClass{0xF2C09};

const XRefAttributeDecl kAttributes[] = {
    {"precedingpstyle", kXRefCDATA, nullptr},
    {"followingpstyle", kXRefCDATA, nullptr},
    {"filterbycstyle", kXRefCDATA, nullptr},
    {"includesoftcr", kXRefBool, "false"},
    {"includetab", kXRefBool, "false"},
    {"retainfontfamily", kXRefBool, "false"},
    {"retainfontstyle", kXRefBool, "false"},
    {"retainposition", kXRefBool, "false"},
    {"retainunderline", kXRefBool, "false"},
    {"delimiter", kXRefCDATA, nullptr},
    {"includedelimiter", kXRefBool, "false"},
    {"includetrailingws", kXRefBool, "false"},
    {"includexref", kXRefBool, "false"},
    // Declared so that formats using them stay valid; composition ignores them.
    {"reversedelimiter", kXRefCDATA, nullptr},
    {"remove", kXRefCDATA, nullptr},
    {"replace", kXRefCDATA, nullptr},
    {"cutfirst", kXRefCDATA, nullptr},
    {"cutlast", kXRefCDATA, nullptr},
};

// The text a paragraph yields: its characters as the table of special
// characters says, cut at a delimiter, filtered by character style, leaving out
// nested cross-references, in runs that keep up to four of the source's
// character attributes.
class ParatextScan {
public:
  struct Options {
    UID filter = kInvalidUID;
    bool softReturns = false, tabs = false;
    bool font = false, fontStyle = false, position = false, underline = false;
    bool nestedXRefs = false;
    std::u32string delimiter;
    bool keepDelimiter = false, trailingWhiteSpace = false;
  };

  ParatextScan(std::vector<ComposedRun>& runs, const Options& options, ITextModel* model, IXRefTextLoc* source,
               IXRefTextLoc* destination)
      : runs_(runs), first_(runs.size()), options_(options), model_(model), source_(source),
        destination_(destination), attributes_(model, IID_ITEXTATTRIBUTES),
        owned_(static_cast<IOwnedItemStrand*>(model->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND))) {
    InterfacePtr<IFootnoteSettings> footnotes(source->GetDocumentRef(), IID_IFOOTNOTESETTINGS);
    if (footnotes) separator_ = Scalars(footnotes->GetSeparator().Units());
  }

  // Reads the paragraph starting at `start`; true when it held any character.
  bool Run(TextIndex start) {
    const TextIndex total = model_->TotalLength();
    bool sawText = false, inXRef = false;
    for (TextIterator it(model_, start); !it.IsNull() && it.Position() < total;) {
      const UTF32TextChar c = *it;
      const TextIndex at = it.Position();
      if (c == kParagraphEnd) break;
      sawText = true;
      if (c == kFootnoteReference) {
        // A footnote's own text begins with its reference and the separator:
        // neither belongs to what the paragraph says.
        ++it;
        SkipSeparator(it);
        continue;
      }
      if (Anchored(at, kXRefStartMarkerClass)) inXRef = true;
      if (inXRef && !options_.nestedXRefs) {
        if (Anchored(at, kXRefEndMarkerClass)) inXRef = false;
        ++it;
        continue;
      }
      int32 produced = 0;
      if (options_.filter == kInvalidUID || (attributes_ && attributes_->GetCharStyle(at) == options_.filter)) {
        if (!Retain(at)) break;
        produced = Output(c, at);
        if (produced < 0) break;
      }
      if (Anchored(at, kXRefEndMarkerClass)) inXRef = false;
      if (AtDelimiter(c, produced)) break;
      ++it;
    }
    Finish();
    return sawText;
  }

  bool Produced() const { return runs_.size() > first_; }

private:
  struct Seen {
    UTF32TextChar c;
    int32 units;  // what the character added to the output
  };

  static std::u32string Scalars(const std::u16string& units) {
    std::u32string out;
    for (size_t i = 0; i < units.size();) out.push_back(Utf::NextScalar(units, i));
    return out;
  }

  // The items anchored ahead are read a stretch at a time: asking the strand
  // about every character would search it twice for each.
  bool Anchored(TextIndex at, ClassID cls) {
    if (!owned_) return false;
    if (at < aheadFrom_ || at >= aheadFrom_ + kAhead) {
      aheadFrom_ = at;
      ahead_ = owned_->GetOwnedItems(at, kAhead);
    }
    for (const OwnedItemInfo& item : ahead_)
      if (item.index == at && item.cls == cls && item.uid != kInvalidUID) return true;
    return false;
  }

  void SkipSeparator(TextIterator& it) const {
    TextIterator probe = it;
    for (UTF32TextChar s : separator_) {
      if (probe.IsNull() || *probe != s) return;
      ++probe;
    }
    it = probe;
  }

  // Starts a new run when a retained attribute changes; false when the host
  // has no answer, which ends the scan.
  bool Retain(TextIndex at) {
    if (!options_.font && !options_.fontStyle && !options_.position && !options_.underline) return true;
    if (!attributes_) return false;
    const AttributeBossList resolved = attributes_->GetResolvedAttributes(at);
    if (resolved.CountBosses() == 0) return false;
    Retained now = retained_;
    if (options_.font && !Read(resolved, kTextAttrFontBoss, &now)) return false;
    if (options_.fontStyle && !Read(resolved, kTextAttrFontStyleBoss, &now)) return false;
    if (options_.position && !Read(resolved, kTextAttrPositionBoss, &now)) return false;
    if (options_.underline && !Read(resolved, kTextAttrUnderlineBoss, &now)) return false;
    if (now == retained_) return true;
    Flush();
    retained_ = now;
    list_ = boost::make_shared<AttributeBossList>();
    if (options_.font) {
      UID font = kInvalidUID;
      if (!DestinationFont(now.font, &font)) return false;
      list_->ApplyAttribute(TextAttr::Font(font));
    }
    if (options_.fontStyle) list_->ApplyAttribute(TextAttr::FontStyle(now.fontStyle));
    if (options_.position) list_->ApplyAttribute(TextAttr::Position(static_cast<int32>(now.position)));
    if (options_.underline) list_->ApplyAttribute(TextAttr::Underline(now.underline != 0));
    return true;
  }

  struct Retained {
    UID font = kInvalidUID;
    PMString fontStyle;
    int64 position = 0, underline = 0;
    bool operator==(const Retained& o) const {
      return font == o.font && fontStyle == o.fontStyle && position == o.position && underline == o.underline;
    }
  };

  static bool Read(const AttributeBossList& resolved, ClassID cls, Retained* into) {
    const TextAttribute* a = resolved.Find(cls);
    if (!a) return false;
    if (cls == kTextAttrFontBoss) into->font = TextAttr::AsUID(*a);
    else if (cls == kTextAttrFontStyleBoss) into->fontStyle = a->stringValue;
    else if (cls == kTextAttrPositionBoss) into->position = a->intValue;
    else into->underline = a->intValue;
    return true;
  }

  // A font identifier means nothing in another document: there the family
  // of the same name stands for it.
  // Text without a font of its own shows the host's default everywhere.
  bool DestinationFont(UID sourceFont, UID* font) const {
    IDataBase* from = source_->GetDataBase();
    *font = sourceFont;
    if (sourceFont == kInvalidUID || !destination_ || destination_->GetDataBase() == from) return true;
    InterfacePtr<IFontFamily> family(from, sourceFont, IID_IFONTFAMILY);
    InterfacePtr<IFontList> fonts(destination_->GetWorkspaceRef(), IID_IFONTLIST);
    *font = family && fonts ? fonts->FindFamily(family->GetFamilyName()) : kInvalidUID;
    return *font != kInvalidUID;
  }

  // Appends the character's output; answers how many code units that was,
  // -1 when the host cannot say (which ends the scan).
  int32 Output(UTF32TextChar c, TextIndex at) {
    std::u16string& text = text_.Units();
    const size_t before = text.size();
    switch (c) {
      case kTab:
        text.push_back(options_.tabs ? u'\t' : kNoBreakSpace);
        break;
      case kSoftReturn:
        text.push_back(options_.softReturns ? u'\n' : kNoBreakSpace);
        break;
      case kTextVariable: {
        const UID instance = owned_ ? owned_->GetOwnedUID(at, kTextVariableInstanceBoss) : kInvalidUID;
        if (instance == kInvalidUID) break;
        InterfacePtr<ITextVariableInstance> variable(source_->GetDataBase(), instance, IID_ITEXTVARIABLEINSTANCE);
        if (!variable) return -1;
        text += variable->GetResultText().Units();
        break;
      }
      case 0x0003: case 0x0007: case 0x0016: case 0x0017: case 0xFEFF:
        break;  // invisible characters that say nothing
      default:
        Utf::AppendUTF16(text, c);
    }
    return static_cast<int32>(text.size() - before);
  }

  // True when the last characters read make the delimiter, after taking its
  // output back unless it is to be kept.
  bool AtDelimiter(UTF32TextChar c, int32 produced) {
    if (options_.delimiter.empty()) return false;
    window_.push_back({c, produced});
    if (window_.size() > options_.delimiter.size()) window_.erase(window_.begin());
    if (window_.size() < options_.delimiter.size()) return false;
    for (size_t k = 0; k < window_.size(); ++k)
      if (window_[k].c != options_.delimiter[k]) return false;
    if (!options_.keepDelimiter) {
      // Only what the delimiter's own characters put out goes: a filtered or
      // dropped character of it put out nothing.
      int32 units = 0;
      for (const Seen& s : window_) units += s.units;
      TakeBack(units);
    }
    return true;
  }

  void TakeBack(int32 units) {
    std::u16string* text = &text_.Units();
    while (units > 0) {
      const size_t n = std::min(static_cast<size_t>(units), text->size());
      text->erase(text->size() - n);
      units -= static_cast<int32>(n);
      if (units == 0 || !PreviousRun(&text)) return;
    }
  }

  // Moves to the text of the last run this scan produced when the current
  // one is used up, dropping the used-up one.
  bool PreviousRun(std::u16string** text) {
    if (!(*text)->empty()) return true;
    if (*text != &text_.Units()) runs_.pop_back();
    if (runs_.size() <= first_) return false;
    *text = &runs_.back().text.Units();
    return true;
  }

  void Flush() {
    if (text_.empty()) return;
    runs_.push_back({text_, list_});
    text_.clear();
  }

  void Finish() {
    if (!options_.trailingWhiteSpace) {
      std::u16string* text = &text_.Units();
      for (;;) {
        StripTrailingWhiteSpace(*text);
        if (!text->empty() || !PreviousRun(&text)) break;
      }
    }
    Flush();
  }

  static void StripTrailingWhiteSpace(std::u16string& text) {
    while (!text.empty()) {
      size_t last = text.size() - 1;
      if (last > 0 && text[last] >= 0xDC00 && text[last] <= 0xDFFF && text[last - 1] >= 0xD800 &&
          text[last - 1] <= 0xDBFF)
        --last;
      size_t i = last;
      if (!UnicodeClass::IsWhiteSpace(Utf::NextScalar(text, i))) return;
      text.erase(last);
    }
  }

  static constexpr UTF32TextChar kParagraphEnd = 0x000D, kFootnoteReference = 0x0004, kTab = 0x0009,
                                 kSoftReturn = 0x000A, kTextVariable = 0x0018;
  static constexpr char16_t kNoBreakSpace = 0x00A0;

  std::vector<ComposedRun>& runs_;
  const size_t first_;
  const Options& options_;
  ITextModel* model_;
  IXRefTextLoc* source_;
  IXRefTextLoc* destination_;
  InterfacePtr<ITextAttributes> attributes_;
  InterfacePtr<IOwnedItemStrand> owned_;
  static constexpr int32 kAhead = 256;
  TextIndex aheadFrom_ = -kAhead;  // nothing read yet
  std::vector<OwnedItemInfo> ahead_;
  std::u32string separator_;
  WideString text_;
  boost::shared_ptr<AttributeBossList> list_ = boost::make_shared<AttributeBossList>();
  Retained retained_;
  // As long as the delimiter: a few characters, so a vector; a deque would
  // allocate on every composition, delimiter or not.
  std::vector<Seen> window_;
};

// Names every composition reads, made once.
const PMString kName("paratext"), kFilterByCStyle("filterbycstyle"), kDelimiter("delimiter");
const PMString kSoftReturns("includesoftcr"), kTabs("includetab"), kFont("retainfontfamily"),
    kFontStyle("retainfontstyle"), kPosition("retainposition"), kUnderline("retainunderline"),
    kNestedXRefs("includexref"), kKeepDelimiter("includedelimiter"), kTrailingWhiteSpace("includetrailingws");

class XRefParatextElement : public XRefElement {
public:
  explicit XRefParatextElement(IPMUnknown* boss) : XRefElement(boss, "paratext", kEmpty, kAttributes) {}
  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override {
    if (!attributes || !source || !source->IsValid()) return kXRefMissingInputError;
    InterfacePtr<ITextModel> model(source->QueryTextModel());
    if (!model) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!utils) return kFailure;

    TextIndex start = source->GetParagraphStart();
    XRefFindStyledParagraph(kName, utils.get(), attributes, state, source, &start);

    ParatextScan::Options options;
    auto flag = [&](const PMString& name, bool fallback) {
      return utils->GetBoolAttribute(attributes, name, fallback) != 0;
    };
    if (utils->HasAttribute(attributes, kFilterByCStyle)) {
      options.filter =
          source->FindCharStyle(utils->GetStringAttribute(attributes, kFilterByCStyle, PMString()));
      if (options.filter == kInvalidUID)
        XRefRecordAttributeError(state, "paratext", "filterbycstyle", kXRefCharStyleNotFoundError);
    }
    options.softReturns = flag(kSoftReturns, false);
    options.tabs = flag(kTabs, false);
    options.font = flag(kFont, true);
    options.fontStyle = flag(kFontStyle, true);
    options.position = flag(kPosition, true);
    options.underline = flag(kUnderline, true);
    options.nestedXRefs = flag(kNestedXRefs, true);
    const PMString delimiter = utils->GetStringAttribute(attributes, kDelimiter, PMString());
    for (size_t i = 0; i < delimiter.Units().size();) options.delimiter.push_back(Utf::NextScalar(delimiter.Units(), i));
    options.keepDelimiter = flag(kKeepDelimiter, false);
    options.trailingWhiteSpace = flag(kTrailingWhiteSpace, false);

    ParatextScan scan(runs, options, model.get(), source, destination);
    const bool sawText = scan.Run(start);
    if (!scan.Produced() && options.filter != kInvalidUID && sawText)
      XRefRecordAttributeError(state, "paratext", "filterbycstyle", kXRefNoFilteredTextError);
    return kSuccess;
  }
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes*) override {
    XRefAppendRun(runs, "Sample paragraph text");
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefParatextElement, kXRefParatextElementImpl);

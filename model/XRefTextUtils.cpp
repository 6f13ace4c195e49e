// Text-model work shared across the plug-in: excerpts, paragraph numbering,
// pages, the overset test and selecting text.
#include "host/CPMUnknown.h"
#include "host/IApplication.h"
#include "host/ILayout.h"
#include "host/ISession.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/ScriptObjectModel.h"
#include "host/TextIterator.h"
#include "host/UnicodeClass.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefTextUtils.h"

namespace {
constexpr UTF32TextChar kEndOfNestedStyle = 0x0017;

// Letters, digits, punctuation and white space: what a reader sees as text,
// as against anchors, markers and other special characters.
bool IsReadable(UTF32TextChar c) {
  return UnicodeClass::IsLetter(c) || UnicodeClass::IsRomanDigit(c) || UnicodeClass::IsJapaneseNumeral(c) ||
         UnicodeClass::IsPunctuation(c) || UnicodeClass::IsWhiteSpace(c);
}

// Characters, a surrogate pair being one.
int64 CountCharacters(const std::u16string& units) {
  int64 n = 0;
  for (char16_t u : units)
    if (u < 0xDC00 || u > 0xDFFF) ++n;
  return n;
}

PMString Translated(const std::u16string& units) {
  PMString s(units);
  s.SetTranslated();
  return s;
}

class XRefTextUtils : public CPMUnknown<IXRefTextUtils> {
public:
  using CPMUnknown::CPMUnknown;

  PMString GetCleanText(ITextModel* story, TextIndex start, int32 length, int32 maxLength) override {
    std::u16string out = GetNumberingText(story, start, false).Units();
    if (!story || start < 0) return Translated(out);
    const int64 end = static_cast<int64>(start) + length;
    if (end >= story->TotalLength()) return Translated(out);
    // The maximum counts characters, not UTF-16 units.
    int64 characters = CountCharacters(out);
    for (TextIterator it(story, start); !it.IsNull() && it.Position() < end; ++it) {
      const UTF32TextChar c = *it;
      const bool white = UnicodeClass::IsWhiteSpace(c);
      if (white && characters >= maxLength) break;
      if (!IsReadable(c)) continue;
      if (!white) {
        Utf::AppendUTF16(out, c);
        ++characters;
        continue;
      }
      // White space collapses to one blank between words, never leading or trailing.
      TextIterator next = it;
      ++next;
      if (next.Position() >= end) break;
      if (out.empty() || UnicodeClass::IsWhiteSpace(*next)) continue;
      out.push_back(u' ');
      ++characters;
    }
    return Translated(out);
  }

  PMString GetNumberingText(ITextModel* story, TextIndex at, bool16 asNumber) override {
    PMString result;
    result.SetTranslatable(false);
    if (!story) return result;
    if (story->GetUnit(at) == kEndOfNestedStyle) --at;
    InterfacePtr<ITextAttributes> attributes(story, IID_ITEXTATTRIBUTES);
    if (!attributes || attributes->GetNumberingKind(at) != kNumberedList) return result;
    InterfacePtr<IScriptObjectModel> script(story, IID_ISCRIPTOBJECTMODEL);
    ScriptData data;
    const ScriptID property = asNumber ? kNumberingResultValueProperty : kNumberingResultTextProperty;
    if (!script || script->GetElementProperty(kParagraphElement, kFormIndex, at, property, &data) != kSuccess)
      return result;
    PMString value;
    if (asNumber) {
      int32 number = 0;
      if (!data.GetInt(&number)) return result;
      value.AppendNumber(number);
    } else if (!data.GetString(&value)) {
      return result;
    }
    const std::u16string& units = value.Units();
    std::u16string kept;
    for (size_t i = 0; i < units.size();) {
      const uint32_t c = Utf::NextScalar(units, i);
      if (!UnicodeClass::IsWhiteSpace(c)) Utf::AppendUTF16(kept, c);
    }
    result = PMString(kept);
    result.SetTranslatable(false);
    return result;
  }

  UID GetPageUID(IDataBase* db, UID story, TextIndex at) override {
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    InterfacePtr<IFrameList> frames(text.get(), IID_IFRAMELIST);
    if (!frames) return kInvalidUID;
    InterfacePtr<IHierarchy> frame(db, frames->GetFrameContaining(at), IID_IHIERARCHY);
    InterfacePtr<ILayoutUtils> layout(UtilsBoss::QueryUtils<ILayoutUtils>());
    return frame && layout ? layout->GetOwnerPageUID(frame.get()) : kInvalidUID;
  }

  bool16 IsStoryFlagged(IDataBase* db, UID story) override {
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    InterfacePtr<IFrameList> frames(text.get(), IID_IFRAMELIST);
    InterfacePtr<IStoryFrameUtils> utils(UtilsBoss::QueryUtils<IStoryFrameUtils>());
    return frames && utils ? utils->IsOverset(frames.get()) : false;
  }

  bool16 IsMarkerStoryFlagged(IXRefSourceMarker* marker) override {
    if (!marker) return false;
    const UIDRef story = marker->GetStoryRef();
    return IsStoryFlagged(story.GetDataBase(), story.GetUID());
  }

  void SelectTextRange(const UIDRef& story, TextIndex start, TextIndex end) override {
    ISession* session = GetExecutionContextSession();
    IActiveContext* context = session ? session->GetActiveContext() : nullptr;
    if (context) context->SelectText(story, start, end);
  }

  void SelectSourceMarker(const UIDRef& markerRef) override {
    InterfacePtr<IXRefSourceMarker> marker(markerRef);
    if (!marker) return;
    InterfacePtr<ITextModel> story(marker->QueryStory());
    const TextIndex anchor = marker->GetTextIndex();
    if (!story || anchor < 0) return;
    // Out to the first readable character on each side, within the paragraph.
    TextIndex start = anchor;
    for (TextIterator it(story.get(), anchor); it.Position() > 0;) {
      --it;
      const UTF32TextChar c = *it;
      if (c == kTextChar_CR) break;
      start = it.Position();
      if (IsReadable(c)) break;
    }
    TextIndex end = anchor;
    for (TextIterator it(story.get(), anchor); !it.IsNull(); ++it) {
      const UTF32TextChar c = *it;
      if (c == kTextChar_CR) break;
      end = it.Position() + c.CodeUnits();
      if (IsReadable(c)) break;
    }
    SelectTextRange(marker->GetStoryRef(), start, end);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefTextUtils, kXRefTextUtilsImpl);

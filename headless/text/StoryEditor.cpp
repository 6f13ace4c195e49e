#include "headless/text/StoryEditor.h"
#include "headless/text/LayoutDamage.h"
#include "headless/text/TextHolders.h"
#include "headless/text/StoryObjects.h"
#include "headless/text/TextModelImpl.h"
#include "headless/text/Workspace.h"
#include "host/IStyleGroupManager.h"

namespace {
bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

template <class I>
InterfacePtr<I> StrandOf(ITextModel* story, ClassID cls, PMIID iid) {
  return InterfacePtr<I>(story ? static_cast<I*>(story->QueryStrand(cls, iid)) : nullptr);
}
}  // namespace

StoryEditor::StoryEditor(const UIDRef& story) : db_(story.GetDataBase()), uid_(story.GetUID()) {
  InterfacePtr<ITextModel> model(story);
  text_ = StrandOf<ITextStrand>(model.get(), kTextStrandBoss, IID_ITEXTSTRAND);
  paras_ = StrandOf<IParagraphStrand>(model.get(), kParagraphStrandBoss, IID_IPARAGRAPHSTRAND);
  paraAttrs_ = StrandOf<IParaAttrStrand>(model.get(), kParaAttrStrandBoss, IID_IPARAATTRSTRAND);
  charAttrs_ = StrandOf<ICharAttrStrand>(model.get(), kCharAttrStrandBoss, IID_ICHARATTRSTRAND);
  owned_ = StrandOf<IOwnedItemStrand>(model.get(), kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND);
}

bool StoryEditor::IsValid() const {
  if (!text_ || !paras_ || !paraAttrs_ || !charAttrs_ || !owned_) return false;
  int32 n = Text()->Text().Length();
  return n >= 1 && Paragraphs()->Length() == n && ParagraphAttributes()->Length() == n &&
         CharacterAttributes()->Length() == n && OwnedItems()->Length() == n;
}

int32 StoryEditor::Length() const { return text_ ? Text()->Text().Length() : 0; }

bool StoryEditor::SplitsPair(TextIndex at) const {
  const ChunkedText& text = Text()->Text();
  return at > 0 && IsLowSurrogate(text.At(at)) && IsHighSurrogate(text.At(at - 1));
}

bool StoryEditor::InRange(TextIndex at, int32 count, int32 limit) const {
  return IsValid() && at >= 0 && count >= 0 && count <= limit - at && !SplitsPair(at) &&
         (count == 0 || !SplitsPair(at + count));
}

bool StoryEditor::IsStyle(UID style, bool paragraph) const {
  InterfacePtr<IStyleInfo> info(db_, style, IID_ISTYLEINFO);
  return info && (info->IsParagraphStyle() != 0) == paragraph;
}

bool StoryEditor::AtParagraphStart(TextIndex at) const { return paras_->GetParagraphStart(at) == at; }

void StoryEditor::ParagraphSpan(TextIndex at, int32 count, TextIndex* start, int32* length) const {
  *start = paras_->GetParagraphStart(at);
  int32 lastLength = 0;
  TextIndex last = paras_->GetParagraphStart(count > 0 ? at + count - 1 : at, &lastLength);
  *length = last + lastLength - *start;
}

ErrorCode StoryEditor::Insert(TextIndex at, const std::u16string& units) {
  const int32 count = static_cast<int32>(units.size());
  if (count == 0 || !InRange(at, 0, Length() - 1) || count > 0x7FFFFFFF - Length()) return kTextRangeError;
  const bool atParagraphStart = AtParagraphStart(at);
  MutText()->Insert(at, units, uid_);
  LayoutDamage::Record(db_, uid_, {at, 0, count});
  MutParagraphs()->Inserted(at, units);
  MutParaAttrs()->Inserted(at, count);
  MutCharAttrs()->Inserted(at, count, atParagraphStart);
  OwnedItems()->Inserted(at, count);
  ShiftTextHolders(GetStoryRef(), at, count);
  return kSuccess;
}

ErrorCode StoryEditor::Delete(TextIndex at, int32 count) {
  if (count <= 0 || !InRange(at, count, Length() - 1)) return kTextRangeError;
  MutText()->Erase(at, count, uid_);
  LayoutDamage::Record(db_, uid_, {at, count, 0});
  int32 joined = MutParagraphs()->Deleted(at, count);
  int32 joinedLength = 0;
  TextIndex joinedStart = paras_->GetNthParagraphStart(joined, &joinedLength);
  MutParaAttrs()->Deleted(at, count, joinedStart, joinedLength);
  MutCharAttrs()->Deleted(at, count);
  OwnedItems()->Deleted(at, count);
  ShiftTextHolders(GetStoryRef(), at, -count);
  return kSuccess;
}

ErrorCode StoryEditor::ApplyCharStyle(TextIndex at, int32 count, UID style) {
  if (!InRange(at, count, Length())) return kTextRangeError;
  if (!IsStyle(style, false)) return kInvalidParameterError;
  AttributeBossList styleAttrs;
  InterfacePtr<IStyleInfo> info(db_, style, IID_ISTYLEINFO);
  styleAttrs = info->GetAttributes();
  auto restyle = [&](CharAttrs attrs) {
    attrs.style = style;
    for (int32 i = 0; i < styleAttrs.CountBosses(); ++i) attrs.Remove(styleAttrs.GetNth(i).cls);
    return attrs;
  };
  if (count == 0) {
    if (at >= Length()) return kTextRangeError;
    MutCharAttrs()->SetInsertionPoint(at, restyle(CharacterAttributes()->InsertionAttrs(at, AtParagraphStart(at))));
    return kSuccess;
  }
  MutCharAttrs()->Transform(at, count, restyle);
  return kSuccess;
}

ErrorCode StoryEditor::ApplyAttributes(TextIndex at, int32 count, const AttributeBossList& attrs) {
  if (!InRange(at, count, Length())) return kTextRangeError;
  for (int32 i = 0; i < attrs.CountBosses(); ++i)
    if (attrs.GetNth(i).cls == kInvalidClass) return kInvalidParameterError;
  if (attrs.CountBosses() == 0) return kSuccess;
  auto apply = [&](CharAttrs chars) {
    chars.SetAll(attrs);
    return chars;
  };
  if (count == 0) {
    if (at >= Length()) return kTextRangeError;
    MutCharAttrs()->SetInsertionPoint(at, apply(CharacterAttributes()->InsertionAttrs(at, AtParagraphStart(at))));
    return kSuccess;
  }
  MutCharAttrs()->Transform(at, count, apply);
  return kSuccess;
}

ErrorCode StoryEditor::ApplyParaStyle(TextIndex at, int32 count, UID style) {
  if (!InRange(at, count, Length()) || at >= Length()) return kTextRangeError;
  if (!IsStyle(style, true)) return kInvalidParameterError;
  TextIndex start;
  int32 length;
  ParagraphSpan(at, count, &start, &length);
  MutParaAttrs()->Transform(start, length, [&](::ParaAttrs attrs) {
    attrs.style = style;
    return attrs;
  });
  return kSuccess;
}

ErrorCode StoryEditor::SetNumbering(TextIndex at, int32 count, int32 kind) {
  if (!InRange(at, count, Length()) || at >= Length()) return kTextRangeError;
  if (kind < -1 || kind > kNumberedList) return kInvalidParameterError;
  TextIndex start;
  int32 length;
  ParagraphSpan(at, count, &start, &length);
  MutParaAttrs()->Transform(start, length, [&](::ParaAttrs attrs) {
    attrs.numbering = kind;
    return attrs;
  });
  return kSuccess;
}

ErrorCode StoryEditor::FillCharAttrs(TextIndex at, int32 count, const CharAttrs& attrs) {
  if (count <= 0 || !InRange(at, count, Length())) return kTextRangeError;
  MutCharAttrs()->Fill(at, count, attrs);
  return kSuccess;
}

ErrorCode StoryEditor::FillParagraph(TextIndex at, const ::ParaAttrs& attrs) {
  if (!InRange(at, 0, Length() - 1)) return kTextRangeError;
  TextIndex start;
  int32 length;
  ParagraphSpan(at, 0, &start, &length);
  MutParaAttrs()->Fill(start, length, attrs);
  return kSuccess;
}

UID StoryEditor::NewStory(IDataBase* db) {
  if (!db) return kInvalidUID;
  UID charStyle = Workspace::RootStyle(db, false);
  UID paraStyle = Workspace::RootStyle(db, true);
  UID story = db->NewUID(kTextStoryBoss);
  if (story == kInvalidUID || charStyle == kInvalidUID || paraStyle == kInvalidUID) return kInvalidUID;
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  auto* impl = static_cast<TextModelImpl*>(model.get());
  for (ClassID cls : TextModelImpl::kStrandClasses) {
    UID strand = db->NewUID(cls);
    if (strand == kInvalidUID) return kInvalidUID;
    impl->SetStrand(cls, strand);
  }
  StoryEditor editor(UIDRef(db, story));
  editor.MutText()->Insert(0, u"\r", story);
  editor.MutParagraphs()->Reset();
  editor.MutParaAttrs()->Reset(paraStyle);
  editor.MutCharAttrs()->Reset(charStyle);
  editor.OwnedItems()->Reset(story);
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  if (stories) static_cast<StoryListImpl*>(stories.get())->AddStory(story);
  return story;
}

#include "headless/text/TextAttributesImpl.h"
#include "headless/text/AttrReports.h"
#include "headless/text/AttributeResolution.h"
#include "headless/text/StoryEditor.h"
#include "host/IStyleGroupManager.h"
#include "host/TextAttr.h"

namespace {
// The story is the attributes' own object, asked directly rather than
// through two interface queries.
StoryEditor EditorOf(const IControllingUnknown* story) {
  return StoryEditor(UIDRef(story->GetDataBase(), story->GetUID()));
}
}  // namespace

AttributeBossList TextAttributesImpl::GetAttributesInForce(TextIndex at) const {
  StoryEditor story = EditorOf(Boss());
  if (!story.IsValid() || at < 0 || at >= story.Length()) return AttributeBossList();
  bool atParagraphStart = story.Paragraphs()->GetParagraphStart(at, nullptr) == at;
  const CharAttrs& chars = story.CharacterAttributes()->InsertionAttrs(at, atParagraphStart);
  return ResolveTextAttributes(story.GetDataBase(), story.ParagraphAttributes()->GetParagraphStyle(at), chars);
}

bool16 TextAttributesImpl::GetAttributeInForce(TextIndex at, ClassID cls, TextAttribute* out) const {
  const AttributeBossList list = GetAttributesInForce(at);
  const TextAttribute* found = list.Find(cls);
  if (!found) return false;
  if (out) *out = *found;
  return true;
}

AttributeBossList TextAttributesImpl::GetResolvedAttributes(TextIndex at) const {
  StoryEditor story = EditorOf(Boss());
  if (!story.IsValid() || at < 0 || at >= story.Length()) return AttributeBossList();
  AttributeBossList all = ResolveTextAttributes(story.GetDataBase(), story.ParagraphAttributes()->GetParagraphStyle(at),
                                                story.CharacterAttributes()->AttrsAt(at));
  AttributeBossList listed;
  for (int32 i = 0; i < all.CountBosses(); ++i)
    if (AttrAnswersOf(all.GetNth(i).cls).listedWithResolved) listed.ApplyAttribute(all.GetNth(i));
  return listed;
}

UID TextAttributesImpl::GetCharStyle(TextIndex at) const {
  StoryEditor story = EditorOf(Boss());
  return story.IsValid() ? story.CharacterAttributes()->GetCharStyle(at) : kInvalidUID;
}

UID TextAttributesImpl::GetParagraphStyle(TextIndex at) const {
  StoryEditor story = EditorOf(Boss());
  return story.IsValid() ? story.ParagraphAttributes()->GetParagraphStyle(at) : kInvalidUID;
}

int32 TextAttributesImpl::GetNumberingKind(TextIndex at) const {
  StoryEditor story = EditorOf(Boss());
  if (!story.IsValid() || at < 0 || at >= story.Length()) return kNoNumbering;
  ParaAttrs attrs = story.ParagraphAttributes()->ValueAt(at);
  if (attrs.numbering >= 0) return attrs.numbering;
  InterfacePtr<IStyleInfo> style(story.GetDataBase(), attrs.style, IID_ISTYLEINFO);
  return style ? style->GetNumberingKind() : kNoNumbering;
}

UID TextAttributesImpl::GetLanguage(TextIndex at) const {
  const TextAttribute* language = nullptr;
  AttributeBossList list = GetResolvedAttributes(at);
  language = list.Find(kTextAttrLanguageBoss);
  return language ? TextAttr::AsUID(*language) : kInvalidUID;
}

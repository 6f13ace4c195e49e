#include "headless/text/DocumentBuilder.h"
#include "headless/text/StoryEditor.h"
#include "headless/text/Workspace.h"
#include "headless/objects/Host.h"
#include "host/IFontList.h"
#include "host/ILanguageList.h"
#include "host/IStoryLock.h"
#include "host/IStyleGroupManager.h"
#include "host/ISwatchList.h"
#include <algorithm>

PMString StylePath(const std::string& path) {
  PMString result(path.c_str());
  std::u16string units = result.Units();
  std::replace(units.begin(), units.end(), u':', kStyleGroupSeparator);
  PMString converted(units);
  converted.SetTranslatable(false);
  return converted;
}

namespace {
template <class I>
InterfacePtr<I> WorkspaceList(IDataBase* db, PMIID iid) {
  return InterfacePtr<I>(static_cast<I*>(QueryWorkspaceInterface(db, iid)));
}

PMString Plain(const std::string& s) {
  PMString p(s.c_str());
  p.SetTranslatable(false);
  return p;
}
}  // namespace

UID DocumentBuilder::AddFont(const std::string& family, const std::vector<std::string>& styles) {
  std::vector<PMString> names;
  for (auto& s : styles) names.push_back(Plain(s));
  return Workspace::NewFontFamily(db_, Plain(family), names);
}

UID DocumentBuilder::AddSwatch(const std::string& name, uint32 rgb) {
  return Workspace::NewSwatch(db_, Plain(name), rgb);
}

UID DocumentBuilder::AddLanguage(const std::string& name) {
  PMString key(name.c_str());
  if (!Host::Get().Strings().Find(name) || name.compare(0, 9, "kLanguage") != 0) key.SetTranslatable(false);
  return Workspace::NewLanguage(db_, key);
}

UID DocumentBuilder::AddParagraphStyle(const std::string& path, const AttributeBossList& attrs, int32 numbering) {
  if (numbering < kNoNumbering || numbering > kNumberedList) return kInvalidUID;
  Workspace::RootStyle(db_, true);
  return Workspace::NewStyle(db_, true, StylePath(path), attrs, numbering);
}

UID DocumentBuilder::AddCharacterStyle(const std::string& path, const AttributeBossList& attrs) {
  Workspace::RootStyle(db_, false);
  return Workspace::NewStyle(db_, false, StylePath(path), attrs, kNoNumbering);
}

bool DocumentBuilder::SetBaseAttributes(const AttributeBossList& attrs) {
  return Workspace::SetStyleAttributes(db_, Workspace::RootStyle(db_, true), attrs, kNoNumbering);
}

UID DocumentBuilder::FindFont(const std::string& family) const {
  auto fonts = WorkspaceList<IFontList>(db_, IID_IFONTLIST);
  return fonts ? fonts->FindFamily(Plain(family)) : kInvalidUID;
}

UID DocumentBuilder::FindSwatch(const std::string& name) const {
  auto swatches = WorkspaceList<ISwatchList>(db_, IID_ISWATCHLIST);
  return swatches ? swatches->FindSwatch(Plain(name)) : kInvalidUID;
}

UID DocumentBuilder::FindLanguage(const std::string& name) const {
  auto languages = WorkspaceList<ILanguageList>(db_, IID_ILANGUAGELIST);
  PMString key(name.c_str());
  key.Translate();
  return languages ? languages->FindLanguage(key) : kInvalidUID;
}

UID DocumentBuilder::FindParagraphStyle(const std::string& path) const {
  if (path.empty()) return Workspace::RootStyle(db_, true);
  auto styles = WorkspaceList<IStyleGroupManager>(db_, IID_IPARASTYLEGROUPMANAGER);
  return styles ? styles->FindByName(StylePath(path)) : kInvalidUID;
}

UID DocumentBuilder::FindCharacterStyle(const std::string& path) const {
  if (path.empty()) return Workspace::RootStyle(db_, false);
  auto styles = WorkspaceList<IStyleGroupManager>(db_, IID_ICHARSTYLEGROUPMANAGER);
  return styles ? styles->FindByName(StylePath(path)) : kInvalidUID;
}

UID DocumentBuilder::NewStory() { return StoryEditor::NewStory(db_); }

bool DocumentBuilder::AddParagraph(UID story, UID style, int32 numbering) {
  StoryEditor editor(UIDRef(db_, story));
  if (!editor.IsValid()) return false;
  if (style == kInvalidUID) style = Workspace::RootStyle(db_, true);
  InterfacePtr<IStyleInfo> info(db_, style, IID_ISTYLEINFO);
  if (!info || !info->IsParagraphStyle() || numbering < -1 || numbering > kNumberedList) return false;
  bool first = std::find(started_.begin(), started_.end(), story) == started_.end();
  TextIndex end = editor.Length() - 1;
  if (first)
    started_.push_back(story);
  else if (editor.Insert(end, u"\r") != kSuccess)
    return false;
  TextIndex last = first ? end : end + 1;
  return editor.ApplyParaStyle(last, 0, style) == kSuccess && editor.SetNumbering(last, 0, numbering) == kSuccess;
}

TextIndex DocumentBuilder::AddRun(UID story, const WideString& text, UID charStyle,
                                  const AttributeBossList& overrides) {
  StoryEditor editor(UIDRef(db_, story));
  if (!editor.IsValid() || text.empty() || text.Units().find(u'\r') != std::u16string::npos) return kInvalidTextIndex;
  if (charStyle == kInvalidUID) charStyle = Workspace::RootStyle(db_, false);
  InterfacePtr<IStyleInfo> info(db_, charStyle, IID_ISTYLEINFO);
  if (!info || info->IsParagraphStyle()) return kInvalidTextIndex;
  if (std::find(started_.begin(), started_.end(), story) == started_.end()) started_.push_back(story);
  TextIndex at = editor.Length() - 1;
  if (editor.Insert(at, text.Units()) != kSuccess) return kInvalidTextIndex;
  CharAttrs attrs;
  attrs.style = charStyle;
  attrs.SetAll(overrides);
  editor.FillCharAttrs(at, text.Length(), attrs);
  return at;
}

bool DocumentBuilder::SetLocked(UID story, bool locked) {
  InterfacePtr<IStoryLock> lock(db_, story, IID_ISTORYLOCK);
  if (!lock) return false;
  lock->SetLocked(locked);
  return true;
}

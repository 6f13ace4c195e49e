#include "headless/text/WorkspaceRecords.h"
#include "headless/text/LanguageObjects.h"
#include "headless/text/TextAttributeIO.h"
#include "headless/text/Workspace.h"
#include "host/IFontList.h"
#include "host/InterfacePtr.h"
#include "host/IStyleGroupManager.h"
#include "host/ISwatchList.h"
#include "host/TextAttr.h"

void WorkspaceRecords::Collect(IDataBase* source, const CharAttrs& attrs) {
  CollectUID(source, attrs.style);
  CollectAttributes(source, attrs.Overrides());
}

void WorkspaceRecords::Collect(IDataBase* source, const ParaAttrs& attrs) { CollectUID(source, attrs.style); }

namespace {
// The attributes whose objects a workspace describes: others name objects
// (a plug-in's) that mean nothing in another document.
bool NamesWorkspaceObject(ClassID cls) {
  return cls == kTextAttrFontBoss || cls == kTextAttrFillColorBoss || cls == kTextAttrLanguageBoss;
}
}  // namespace

void WorkspaceRecords::CollectAttributes(IDataBase* source, const AttributeBossList& list) {
  for (int32 i = 0; i < list.CountBosses(); ++i)
    if (NamesWorkspaceObject(list.GetNth(i).cls)) CollectUID(source, TextAttr::AsUID(list.GetNth(i)));
}

void WorkspaceRecords::CollectUID(IDataBase* source, UID uid) {
  if (!source || uid == kInvalidUID || records_.count(uid)) return;
  Record r;
  ClassID cls = source->GetClass(uid);
  if (cls == kStyleBoss) {
    InterfacePtr<IStyleInfo> style(source, uid, IID_ISTYLEINFO);
    bool paragraph = style->IsParagraphStyle();
    InterfacePtr<IStyleGroupManager> manager(static_cast<IStyleGroupManager*>(
        QueryWorkspaceInterface(source, paragraph ? IID_IPARASTYLEGROUPMANAGER : IID_ICHARSTYLEGROUPMANAGER)));
    r.kind = paragraph ? Record::kParaStyle : Record::kCharStyle;
    r.name = style->GetFullPath();
    r.root = manager && manager->GetRootStyleUID() == uid;
    r.attrs = style->GetAttributes();
    r.numbering = style->GetNumberingKind();
  } else if (cls == kFontFamilyBoss) {
    InterfacePtr<IFontFamily> font(source, uid, IID_IFONTFAMILY);
    r.kind = Record::kFont;
    r.name = font->GetFamilyName();
    for (int32 i = 0; i < font->GetStyleCount(); ++i) r.fontStyles.push_back(font->GetNthStyleName(i));
  } else if (cls == kSwatchBoss) {
    InterfacePtr<ISwatch> swatch(source, uid, IID_ISWATCH);
    r.kind = Record::kSwatch;
    r.name = swatch->GetName();
    r.rgb = swatch->GetRGB();
  } else if (cls == kLanguageBoss) {
    InterfacePtr<ILanguage> language(source, uid, IID_ILANGUAGE);
    r.kind = Record::kLanguage;
    r.name = language->GetName();
  } else {
    return;
  }
  records_.emplace(uid, r);
  CollectAttributes(source, r.attrs);
}

void WorkspaceRecords::BeginImport(IDataBase* target, bool sameDatabase) {
  target_ = target;
  sameDatabase_ = sameDatabase;
  imported_.clear();
}

UID WorkspaceRecords::ImportUID(UID uid) {
  if (uid == kInvalidUID || !target_) return kInvalidUID;
  if (sameDatabase_ && target_->IsValidUID(uid)) return uid;
  auto done = imported_.find(uid);
  if (done != imported_.end()) return done->second;
  auto it = records_.find(uid);
  if (it == records_.end()) return kInvalidUID;
  const Record& r = it->second;
  UID result = kInvalidUID;
  switch (r.kind) {
    case Record::kCharStyle:
    case Record::kParaStyle: {
      bool paragraph = r.kind == Record::kParaStyle;
      InterfacePtr<IStyleGroupManager> manager(static_cast<IStyleGroupManager*>(
          QueryWorkspaceInterface(target_, paragraph ? IID_IPARASTYLEGROUPMANAGER : IID_ICHARSTYLEGROUPMANAGER)));
      if (r.root) result = Workspace::RootStyle(target_, paragraph);
      else if (manager && (result = manager->FindByName(r.name)) == kInvalidUID)
        result = Workspace::NewStyle(target_, paragraph, r.name, ImportAttributes(r.attrs), r.numbering);
      break;
    }
    case Record::kFont: {
      InterfacePtr<IFontList> fonts(static_cast<IFontList*>(QueryWorkspaceInterface(target_, IID_IFONTLIST)));
      if (fonts && (result = fonts->FindFamily(r.name)) == kInvalidUID)
        result = Workspace::NewFontFamily(target_, r.name, r.fontStyles);
      break;
    }
    case Record::kSwatch: {
      InterfacePtr<ISwatchList> swatches(
          static_cast<ISwatchList*>(QueryWorkspaceInterface(target_, IID_ISWATCHLIST)));
      if (swatches && (result = swatches->FindSwatch(r.name)) == kInvalidUID)
        result = Workspace::NewSwatch(target_, r.name, r.rgb);
      break;
    }
    case Record::kLanguage: {
      InterfacePtr<ILanguageList> languages(
          static_cast<ILanguageList*>(QueryWorkspaceInterface(target_, IID_ILANGUAGELIST)));
      PMString translated = r.name;
      translated.Translate();
      if (languages && (result = languages->FindLanguage(translated)) == kInvalidUID)
        result = Workspace::NewLanguage(target_, r.name);
      break;
    }
  }
  imported_[uid] = result;
  return result;
}

AttributeBossList WorkspaceRecords::ImportAttributes(const AttributeBossList& list) {
  AttributeBossList result;
  for (int32 i = 0; i < list.CountBosses(); ++i) {
    TextAttribute a = list.GetNth(i);
    UID uid = TextAttr::AsUID(a);
    if (IsUIDAttribute(a.cls) && uid != kInvalidUID) {
      UID mapped = sameDatabase_ && target_->IsValidUID(uid)
                       ? uid
                       : NamesWorkspaceObject(a.cls) ? ImportUID(uid) : kInvalidUID;
      if (mapped == kInvalidUID) continue;
      a.intValue = UIDValue(mapped);
    }
    result.ApplyAttribute(a);
  }
  return result;
}

CharAttrs WorkspaceRecords::Import(const CharAttrs& attrs) {
  CharAttrs result;
  result.style = ImportUID(attrs.style);
  if (result.style == kInvalidUID) result.style = Workspace::RootStyle(target_, false);
  result.SetAll(ImportAttributes(attrs.Overrides()));
  return result;
}

ParaAttrs WorkspaceRecords::Import(const ParaAttrs& attrs) {
  ParaAttrs result = attrs;
  result.style = ImportUID(attrs.style);
  if (result.style == kInvalidUID) result.style = Workspace::RootStyle(target_, true);
  return result;
}

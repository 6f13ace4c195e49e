#include "headless/text/Workspace.h"
#include "headless/text/AttrReports.h"
#include "headless/text/FontObjects.h"
#include "headless/text/LanguageObjects.h"
#include "headless/text/StyleObjects.h"
#include "headless/text/SwatchObjects.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"

const char* const Workspace::kRootCharStyleName = "[None]";
const char* const Workspace::kRootParaStyleName = "[Basic Paragraph]";

UIDRef WorkspaceOf(IDataBase* db) {
  if (!db) return UIDRef();
  InterfacePtr<IDocument> document(db, kRootUID, IID_IDOCUMENT);
  if (document) return document->GetDocWorkspace();
  return UIDRef(db, kRootUID);
}

IPMUnknown* QueryWorkspaceInterface(IDataBase* db, PMIID iid) {
  UIDRef workspace = WorkspaceOf(db);
  IDataBase* wdb = workspace.GetDataBase();
  return wdb && workspace.GetUID() != kInvalidUID ? wdb->Instantiate(workspace.GetUID(), iid) : nullptr;
}

namespace {
template <class Impl>
Impl* ListOf(IDataBase* db, PMIID iid, InterfacePtr<IPMUnknown>* holder) {
  holder->reset(QueryWorkspaceInterface(db, iid));
  return static_cast<Impl*>(holder->get());
}

template <class Impl>
Impl* NewObject(IDataBase* db, ClassID cls, PMIID iid, UID* uid, InterfacePtr<IPMUnknown>* holder) {
  *uid = db->NewUID(cls);
  if (*uid == kInvalidUID) return nullptr;
  holder->reset(db->Instantiate(*uid, iid));
  return static_cast<Impl*>(holder->get());
}

// Splits "Group<sep>Sub<sep>Name" into its group path and its name.
void SplitPath(const PMString& fullPath, PMString* group, PMString* name) {
  const std::u16string& units = fullPath.Units();
  size_t sep = units.rfind(kStyleGroupSeparator);
  if (sep == std::u16string::npos) {
    *group = PMString();
    *name = fullPath;
    return;
  }
  *group = PMString(units.substr(0, sep));
  *name = PMString(units.substr(sep + 1));
}
}  // namespace

namespace {
// A style holds only the attributes that may be in styles.
AttributeBossList StyleAttributes(const AttributeBossList& attrs) {
  AttributeBossList kept;
  for (int32 i = 0; i < attrs.CountBosses(); ++i)
    if (AttrAnswersOf(attrs.GetNth(i).cls).allowedInStyles) kept.ApplyAttribute(attrs.GetNth(i));
  return kept;
}
}  // namespace

UID Workspace::NewStyle(IDataBase* db, bool paragraph, const PMString& fullPath, const AttributeBossList& attrs,
                        int32 numbering) {
  InterfacePtr<IPMUnknown> list;
  auto* manager = ListOf<StyleGroupManagerImpl>(
      db, paragraph ? IID_IPARASTYLEGROUPMANAGER : IID_ICHARSTYLEGROUPMANAGER, &list);
  PMString group, name;
  SplitPath(fullPath, &group, &name);
  if (!manager || name.IsEmpty() || manager->FindByName(fullPath) != kInvalidUID) return kInvalidUID;
  UID uid;
  InterfacePtr<IPMUnknown> holder;
  auto* style = NewObject<StyleInfoImpl>(db, kStyleBoss, IID_ISTYLEINFO, &uid, &holder);
  if (!style) return kInvalidUID;
  style->Set(name, group, paragraph, StyleAttributes(attrs), paragraph ? numbering : kNoNumbering);
  manager->AddStyle(uid, false);
  return uid;
}

UID Workspace::RootStyle(IDataBase* db, bool paragraph) {
  InterfacePtr<IPMUnknown> list;
  auto* manager = ListOf<StyleGroupManagerImpl>(
      db, paragraph ? IID_IPARASTYLEGROUPMANAGER : IID_ICHARSTYLEGROUPMANAGER, &list);
  if (!manager) return kInvalidUID;
  if (manager->GetRootStyleUID() != kInvalidUID) return manager->GetRootStyleUID();
  UID uid = NewStyle(db, paragraph, PMString(paragraph ? kRootParaStyleName : kRootCharStyleName),
                     AttributeBossList(), kNoNumbering);
  if (uid != kInvalidUID) manager->AddStyle(uid, true);
  return uid;
}

bool Workspace::SetStyleAttributes(IDataBase* db, UID uid, const AttributeBossList& attrs, int32 numbering) {
  InterfacePtr<IStyleInfo> info(db, uid, IID_ISTYLEINFO);
  if (!info) return false;
  auto* style = static_cast<StyleInfoImpl*>(info.get());
  style->Set(style->GetName(), style->GetGroupPath(), style->IsParagraphStyle(), StyleAttributes(attrs),
             style->IsParagraphStyle() ? numbering : kNoNumbering);
  return true;
}

UID Workspace::NewFontFamily(IDataBase* db, const PMString& name, const std::vector<PMString>& styles) {
  InterfacePtr<IPMUnknown> list;
  auto* fonts = ListOf<FontListImpl>(db, IID_IFONTLIST, &list);
  if (!fonts || name.IsEmpty() || fonts->FindFamily(name) != kInvalidUID) return kInvalidUID;
  UID uid;
  InterfacePtr<IPMUnknown> holder;
  auto* family = NewObject<FontFamilyImpl>(db, kFontFamilyBoss, IID_IFONTFAMILY, &uid, &holder);
  if (!family) return kInvalidUID;
  family->Set(name, styles);
  fonts->AddFamily(uid);
  return uid;
}

UID Workspace::NewSwatch(IDataBase* db, const PMString& name, uint32 rgb) {
  InterfacePtr<IPMUnknown> list;
  auto* swatches = ListOf<SwatchListImpl>(db, IID_ISWATCHLIST, &list);
  if (!swatches || name.IsEmpty()) return kInvalidUID;
  UID uid;
  InterfacePtr<IPMUnknown> holder;
  auto* swatch = NewObject<SwatchImpl>(db, kSwatchBoss, IID_ISWATCH, &uid, &holder);
  if (!swatch) return kInvalidUID;
  swatch->Set(name, rgb);
  swatches->AddSwatch(uid);
  return uid;
}

UID Workspace::NewLanguage(IDataBase* db, const PMString& name) {
  InterfacePtr<IPMUnknown> list;
  auto* languages = ListOf<LanguageListImpl>(db, IID_ILANGUAGELIST, &list);
  PMString translated = name;
  translated.Translate();
  if (!languages || name.IsEmpty() || languages->FindLanguage(translated) != kInvalidUID) return kInvalidUID;
  UID uid;
  InterfacePtr<IPMUnknown> holder;
  auto* language = NewObject<LanguageImpl>(db, kLanguageBoss, IID_ILANGUAGE, &uid, &holder);
  if (!language) return kInvalidUID;
  language->Set(name);
  languages->AddLanguage(uid);
  return uid;
}

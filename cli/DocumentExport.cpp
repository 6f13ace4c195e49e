// The workspace, layout and document features of a description, read back
// from a document; the stories are in StoryExport.cpp.
#include "cli/DocumentExport.h"
#include "cli/NativeCrossRefs.h"
#include "host/IDocument.h"
#include "host/IFontList.h"
#include "host/IFootnote.h"
#include "host/ILanguageList.h"
#include "host/ILayout.h"
#include "host/INumbering.h"
#include "host/IStyleGroupManager.h"
#include "host/ISwatchList.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "model/IXRefFormats.h"
#include <algorithm>
#include <cstdio>

using json = nlohmann::ordered_json;

namespace {
// The names the reader takes, by value.
const char* const kNumberStyles[] = {"arabic", "upperRoman", "lowerRoman", "upperLetters", "lowerLetters"};
const char* const kNumberings[] = {"none", "bullets", "numbered"};
const char* const kPositions[] = {"normal", "superscript", "subscript"};
const char* const kCapitals[] = {"normal", "smallCaps", "allCaps"};

template <size_t N>
const char* Named(const char* const (&names)[N], int64 value) {
  return value >= 0 && static_cast<size_t>(value) < N ? names[value] : names[0];
}

template <class I>
InterfacePtr<I> OnWorkspace(IDataBase* doc, PMIID iid) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  return InterfacePtr<I>(document ? document->GetDocWorkspace() : UIDRef(), iid);
}

std::string Utf8(const PMString& s) { return s.GetUTF8String(); }

std::string FontName(IDataBase* doc, UID family) {
  InterfacePtr<IFontFamily> font(doc, family, IID_IFONTFAMILY);
  return font ? Utf8(font->GetFamilyName()) : std::string();
}

std::string SwatchName(IDataBase* doc, UID swatch) {
  InterfacePtr<ISwatch> s(doc, swatch, IID_ISWATCH);
  return s ? Utf8(s->GetName()) : std::string();
}

std::string LanguageName(IDataBase* doc, UID language) {
  InterfacePtr<ILanguage> l(doc, language, IID_ILANGUAGE);
  return l ? Utf8(l->GetName()) : std::string();
}

json Fonts(IDataBase* doc) {
  json list = json::array();
  auto fonts = OnWorkspace<IFontList>(doc, IID_IFONTLIST);
  for (int32 i = 0; fonts && i < fonts->GetFamilyCount(); ++i) {
    InterfacePtr<IFontFamily> font(doc, fonts->GetNthFamilyUID(i), IID_IFONTFAMILY);
    if (!font) continue;
    json styles = json::array();
    for (int32 s = 0; s < font->GetStyleCount(); ++s) styles.push_back(Utf8(font->GetNthStyleName(s)));
    list.push_back({{"family", Utf8(font->GetFamilyName())}, {"styles", styles}});
  }
  return list;
}

json Swatches(IDataBase* doc) {
  json list = json::array();
  auto swatches = OnWorkspace<ISwatchList>(doc, IID_ISWATCHLIST);
  for (int32 i = 0; swatches && i < swatches->GetSwatchCount(); ++i) {
    InterfacePtr<ISwatch> swatch(doc, swatches->GetNthSwatchUID(i), IID_ISWATCH);
    if (!swatch) continue;
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "#%06X", swatch->GetRGB() & 0xFFFFFFu);
    list.push_back({{"name", Utf8(swatch->GetName())}, {"rgb", rgb}});
  }
  return list;
}

json Languages(IDataBase* doc) {
  json list = json::array();
  auto languages = OnWorkspace<ILanguageList>(doc, IID_ILANGUAGELIST);
  for (int32 i = 0; languages && i < languages->GetLanguageCount(); ++i)
    list.push_back(LanguageName(doc, languages->GetNthLanguageUID(i)));
  return list;
}

// The styles of one kind, the root style aside: its attributes are the
// defaults the description names at the top.
json Styles(IDataBase* doc, bool paragraph, json* root) {
  json list = json::array();
  auto styles = OnWorkspace<IStyleGroupManager>(doc, paragraph ? IID_IPARASTYLEGROUPMANAGER : IID_ICHARSTYLEGROUPMANAGER);
  for (int32 i = 0; styles && i < styles->GetStyleCount(); ++i) {
    const UID uid = styles->GetNthStyleUID(i);
    InterfacePtr<IStyleInfo> info(doc, uid, IID_ISTYLEINFO);
    if (!info) continue;
    if (uid == styles->GetRootStyleUID()) {
      if (root) *root = ExportAttributes(doc, info->GetAttributes());
      continue;
    }
    json style = {{"name", DescribedStylePath(doc, uid)}};
    json attributes = ExportAttributes(doc, info->GetAttributes());
    if (!attributes.empty()) style["attributes"] = attributes;
    InterfacePtr<INumberingStyle> numbering(doc, uid, IID_INUMBERINGSTYLE);
    if (paragraph && info->GetNumberingKind() != kNoNumbering)
      style["numbering"] = Named(kNumberings, info->GetNumberingKind());
    if (paragraph && numbering && !numbering->GetListName().IsEmpty()) style["list"] = Utf8(numbering->GetListName());
    if (paragraph && numbering && numbering->GetLevel() != 1) style["level"] = numbering->GetLevel();
    if (paragraph && numbering && Utf8(numbering->GetFormat()) != "^1.") style["format"] = Utf8(numbering->GetFormat());
    list.push_back(style);
  }
  return list;
}

json Spreads(IDataBase* doc) {
  json list = json::array();
  InterfacePtr<ISpreadList> spreads(doc, kRootUID, IID_ISPREADLIST);
  for (int32 i = 0; spreads && i < spreads->GetSpreadCount(); ++i) {
    InterfacePtr<ISpread> spread(doc, spreads->GetNthSpreadUID(i), IID_ISPREAD);
    if (spread) list.push_back({{"pages", spread->GetNumPages()}});
  }
  return list;
}

json Sections(IDataBase* doc) {
  json list = json::array();
  InterfacePtr<ISectionList> sections(doc, kRootUID, IID_ISECTIONLIST);
  for (int32 i = 0; sections && i < sections->GetSectionCount(); ++i) {
    const Section s = sections->GetNthSection(i);
    json section = {{"startPage", s.startPage}, {"start", s.startNumber}, {"style", Named(kNumberStyles, s.style)}};
    if (!s.prefix.IsEmpty()) section["prefix"] = Utf8(s.prefix);
    list.push_back(section);
  }
  return list;
}

// Only what differs from a new document's settings.
void DocumentFeatures(IDataBase* doc, json* out) {
  InterfacePtr<IChapterNumber> chapter(doc, kRootUID, IID_ICHAPTERNUMBER);
  if (chapter && (chapter->GetNumber() != 1 || chapter->GetStyle() != kArabicNumbers))
    (*out)["chapterNumber"] = {{"number", chapter->GetNumber()}, {"style", Named(kNumberStyles, chapter->GetStyle())}};
  InterfacePtr<IFootnoteSettings> notes(doc, kRootUID, IID_IFOOTNOTESETTINGS);
  if (!notes) return;
  json settings = json::object();
  if (notes->GetNumberingStyle() != kArabicNumbers) settings["style"] = Named(kNumberStyles, notes->GetNumberingStyle());
  if (notes->GetStartNumber() != 1) settings["start"] = notes->GetStartNumber();
  const std::pair<const char*, PMString> texts[] = {{"referencePrefix", notes->GetReferencePrefix()},
                                                    {"referenceSuffix", notes->GetReferenceSuffix()},
                                                    {"footnotePrefix", notes->GetFootnotePrefix()},
                                                    {"footnoteSuffix", notes->GetFootnoteSuffix()}};
  for (const auto& t : texts)
    if (!t.second.IsEmpty()) settings[t.first] = Utf8(t.second);
  if (Utf8(notes->GetSeparator()) != "\t") settings["separator"] = Utf8(notes->GetSeparator());
  if (!settings.empty()) (*out)["footnotes"] = settings;
}

json TextVariables(IDataBase* doc) {
  json list = json::array();
  InterfacePtr<ITextVariableList> vars(doc, kRootUID, IID_ITEXTVARIABLELIST);
  for (int32 i = 0; vars && i < vars->GetVariableCount(); ++i) {
    InterfacePtr<ITextVariable> var(doc, vars->GetNthVariableUID(i), IID_ITEXTVARIABLE);
    if (var) list.push_back({{"name", Utf8(var->GetName())}, {"text", Utf8(var->GetText())}});
  }
  return list;
}

json Formats(IDataBase* doc) {
  json list = json::array();
  InterfacePtr<IDocument> document(doc, kRootUID);
  InterfacePtr<IXRefFormats> formats(document ? document->GetDocWorkspace() : UIDRef());
  for (int32 i = 0; formats && i < formats->GetFormatCount(); ++i)
    list.push_back({{"name", Utf8(formats->GetFormatName(i))}, {"markup", Utf8(formats->GetFormatString(i))}});
  return list;
}

void PutList(json* out, const char* key, json list) {
  if (!list.empty()) (*out)[key] = std::move(list);
}
}  // namespace

json ExportAttributes(IDataBase* doc, const AttributeBossList& attributes) {
  json out = json::object();
  for (int32 i = 0; i < attributes.CountBosses(); ++i) {
    const TextAttribute& a = attributes.GetNth(i);
    if (a.cls == kTextAttrFontBoss) out["font"] = FontName(doc, TextAttr::AsUID(a));
    else if (a.cls == kTextAttrFontStyleBoss) out["fontStyle"] = Utf8(a.stringValue);
    else if (a.cls == kTextAttrPointSizeBoss) out["pointSize"] = a.realValue;
    else if (a.cls == kTextAttrFillColorBoss) out["color"] = SwatchName(doc, TextAttr::AsUID(a));
    else if (a.cls == kTextAttrUnderlineBoss) out["underline"] = a.intValue != 0;
    else if (a.cls == kTextAttrStrikeBoss) out["strikethrough"] = a.intValue != 0;
    else if (a.cls == kTextAttrNoBreakBoss) out["noBreak"] = a.intValue != 0;
    else if (a.cls == kTextAttrPositionBoss) out["position"] = Named(kPositions, a.intValue);
    else if (a.cls == kTextAttrCapitalBoss) out["capitalization"] = Named(kCapitals, a.intValue);
    else if (a.cls == kTextAttrLanguageBoss) out["language"] = LanguageName(doc, TextAttr::AsUID(a));
  }
  return out;
}

json ExportDocument(IDataBase* doc, const std::string& folder) {
  json out = {{"version", 1}};
  PutList(&out, "fonts", Fonts(doc));
  PutList(&out, "swatches", Swatches(doc));
  PutList(&out, "languages", Languages(doc));
  json base;
  json paragraphStyles = Styles(doc, true, &base);
  if (base.contains("font")) out["defaultFont"] = base["font"];
  if (base.contains("language")) out["defaultLanguage"] = base["language"];
  PutList(&out, "characterStyles", Styles(doc, false, nullptr));
  PutList(&out, "paragraphStyles", paragraphStyles);
  PutList(&out, "spreads", Spreads(doc));
  PutList(&out, "sections", Sections(doc));
  DocumentFeatures(doc, &out);
  PutList(&out, "textVariables", TextVariables(doc));
  // An empty list says so: the document has no formats, not the defaults.
  out["formats"] = Formats(doc);
  PutList(&out, "basicFormats", ExportBasicFormats(doc));
  out["stories"] = ExportStories(doc, folder);
  return out;
}

#include "headless/text/AttributeResolution.h"
#include "headless/text/Workspace.h"
#include "host/InterfacePtr.h"
#include "host/IStyleGroupManager.h"
#include "host/TextAttr.h"

namespace {
AttributeBossList BuildDefaults() {
  AttributeBossList list;
  list.ApplyAttribute(TextAttr::Font(kInvalidUID));
  list.ApplyAttribute(TextAttr::FontStyle(PMString("Regular")));
  list.ApplyAttribute(TextAttr::PointSize(12.0));
  list.ApplyAttribute(TextAttr::FillColor(kInvalidUID));
  list.ApplyAttribute(TextAttr::Underline(false));
  list.ApplyAttribute(TextAttr::Strikethrough(false));
  list.ApplyAttribute(TextAttr::NoBreak(false));
  list.ApplyAttribute(TextAttr::Position(TextAttr::kPositionNormal));
  list.ApplyAttribute(TextAttr::Capitalization(TextAttr::kCapsNormal));
  list.ApplyAttribute(TextAttr::Language(kInvalidUID));
  return list;
}
}  // namespace

// Every resolution starts from these: made once, and shared until a copy
// is changed.
AttributeBossList DefaultTextAttributes() {
  static const AttributeBossList defaults = BuildDefaults();
  return defaults;
}

AttributeBossList StyleAttributes(IDataBase* db, UID style) {
  InterfacePtr<IStyleInfo> info(db, style, IID_ISTYLEINFO);
  return info ? info->GetAttributes() : AttributeBossList();
}

AttributeBossList ResolveTextAttributes(IDataBase* db, UID paragraphStyle, const CharAttrs& chars) {
  AttributeBossList list = DefaultTextAttributes();
  // Every paragraph style builds on the root one, which holds the document's base.
  InterfacePtr<IStyleGroupManager> styles(
      static_cast<IStyleGroupManager*>(QueryWorkspaceInterface(db, IID_IPARASTYLEGROUPMANAGER)));
  UID root = styles ? styles->GetRootStyleUID() : kInvalidUID;
  if (root != paragraphStyle) list.ApplyAttributes(StyleAttributes(db, root));
  list.ApplyAttributes(StyleAttributes(db, paragraphStyle));
  list.ApplyAttributes(StyleAttributes(db, chars.style));
  for (const TextAttribute& a : chars.overrides) list.ApplyAttribute(a);
  return list;
}

#include "tests/support/NativeCrossRefTestSupport.h"
#include "host/CmdUtils.h"
#include "host/IBasicXRefFormat.h"
#include "host/IHyperlinks.h"
#include "host/ITextHolder.h"
#include "host/ITextModel.h"
#include "host/UtilsBoss.h"

XRefBuildingBlock Block(int32 type, const std::string& text, UID style) {
  XRefBuildingBlock b;
  b.SetType(type);
  b.SetCustomText(PMString(text.c_str()));
  b.SetCharacterStyle(style);
  return b;
}

UID MakeBasicFormat(IDataBase* doc, const std::string& name, const std::vector<XRefBuildingBlock>& blocks) {
  InterfacePtr<IBasicFormatUtils> utils(UtilsBoss::QueryUtils<IBasicFormatUtils>());
  return utils->CreateBasicFormat(doc, PMString(name.c_str()), blocks);
}

UID MakeAnchor(IDataBase* doc, UID story, TextIndex at, const std::string& name) {
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  return utils->CreateTextAnchorDestination(UIDRef(doc, story), at, PMString(name.c_str())).GetUID();
}

UID MakeNativeCrossRef(IDataBase* doc, UID story, TextIndex start, int32 length, UID format, UID destination) {
  const UIDRef source = NativeUtils()->CreateCrossRefSource(UIDRef(doc, story), start, length, format);
  if (source.GetUID() == kInvalidUID) return kInvalidUID;
  InterfacePtr<IHyperlinkUtils> utils(UtilsBoss::QueryUtils<IHyperlinkUtils>());
  return utils->CreateHyperlink(source, UIDRef(doc, destination), PMString("link"), false).GetUID();
}

InterfacePtr<INativeCrossRefUtils> NativeUtils() {
  return InterfacePtr<INativeCrossRefUtils>(UtilsBoss::QueryUtils<INativeCrossRefUtils>());
}

std::vector<UID> NativeCrossRefs(IDataBase* doc) {
  std::vector<UID> out;
  InterfacePtr<IHyperlinkList> list(doc, kRootUID, IID_IHYPERLINKLIST);
  for (int32 i = 0; list && i < list->GetHyperlinkCount(); ++i)
    if (NativeUtils()->IsNativeCrossRef(doc, list->GetNthHyperlink(i))) out.push_back(list->GetNthHyperlink(i));
  return out;
}

std::vector<std::string> NativeTexts(IDataBase* doc) {
  std::vector<std::string> out;
  for (UID uid : NativeCrossRefs(doc)) {
    InterfacePtr<IHyperlink> link(doc, uid, IID_IHYPERLINK);
    InterfacePtr<ITextHolder> range(doc, link->GetSourceUID(), IID_ITEXTHOLDER);
    InterfacePtr<ITextModel> model(doc, range->GetStoryUID(), IID_ITEXTMODEL);
    out.push_back(model->CopyText(range->GetStart(), range->GetLength()).GetUTF8String());
  }
  return out;
}

ErrorCode UpdateNativeCrossRefs(IDataBase* doc) {
  CmdUtils::SequenceContext sequence(PMString("update"));
  UIDList all(doc);
  for (UID uid : NativeCrossRefs(doc)) all.Append(uid);
  return NativeUtils()->UpdateCrossRefs(all);
}

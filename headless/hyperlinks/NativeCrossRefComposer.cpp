// What the host writes for each building block of a Basic format at a
// destination. The host's own choices: a paragraph's text leaves out its
// return and the characters that only anchor objects (controls, private
// use, zero-width no-break space); a place not on a page reads "?".
#include "headless/hyperlinks/NativeCrossRefs.h"
#include "host/IDocument.h"
#include "host/ILineInfo.h"
#include "host/INumbering.h"
#include "host/IParagraphStrand.h"
#include "host/ITextAttributes.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/ScriptObjectModel.h"
#include "host/UtilsBoss.h"

namespace {
bool Shown(char16_t c) {
  if (c == u'\t') return true;
  if (c < 0x20 || c == 0xFEFF || (c >= 0x2028 && c <= 0x2029)) return false;
  return c < 0xE000 || c > 0xF8FF;
}

WideString FileName(IDataBase* db) {
  InterfacePtr<IDocument> document(db, db->GetRootUID(), IID_IDOCUMENT);
  if (!document) return WideString();
  PMString name;
  const IDFile file = document->GetFile();
  if (file.IsEmpty())
    document->GetName(&name);
  else
    name = file.GetFileName();
  return name.GetWideString();
}

WideString ChapterNumber(IDataBase* db) {
  InterfacePtr<IChapterNumberService> chapters(UtilsBoss::QueryUtils<IChapterNumberService>());
  return chapters ? chapters->GetChapterNumberString(db).GetWideString() : WideString();
}

WideString PageNumber(ITextModel* model, TextIndex at) {
  InterfacePtr<ILineInfo> lines(model, IID_ILINEINFO);
  LineInfo info;
  if (!lines || !lines->GetLineInfo(at, &info) || info.pageString.IsEmpty()) return WideString(std::u16string(u"?"));
  return info.pageString.GetWideString();
}

WideString ParagraphNumber(ITextModel* model, TextIndex at) {
  InterfacePtr<ITextAttributes> attributes(model, IID_ITEXTATTRIBUTES);
  InterfacePtr<IScriptObjectModel> script(model, IID_ISCRIPTOBJECTMODEL);
  if (!attributes || !script || attributes->GetNumberingKind(at) != kNumberedList) return WideString();
  ScriptData data;
  PMString text;
  if (script->GetElementProperty(kParagraphElement, kFormIndex, at, kNumberingResultTextProperty, &data) != kSuccess ||
      !data.GetString(&text))
    return WideString();
  return text.GetWideString();
}

WideString ParagraphText(ITextModel* model, TextIndex at) {
  InterfacePtr<IParagraphStrand> paragraphs(
      static_cast<IParagraphStrand*>(model->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
  int32 length = 0;
  const TextIndex start = paragraphs ? paragraphs->GetParagraphStart(at, &length) : -1;
  if (start < 0) return WideString();
  const WideString text = model->CopyText(start, length);
  std::u16string out;
  for (char16_t c : text.Units())
    if (Shown(c)) out.push_back(c);
  return WideString(out);
}
}  // namespace

WideString ComposeBuildingBlock(IDataBase* db, const XRefBuildingBlock& block, UID story, TextIndex at,
                                const PMString& anchorName) {
  InterfacePtr<ITextModel> model(db, story, IID_ITEXTMODEL);
  switch (block.GetType()) {
    case XRefBuildingBlock::kCustomText:
      return block.GetCustomText().GetWideString();
    case XRefBuildingBlock::kFileName:
      return FileName(db);
    case XRefBuildingBlock::kChapterNumber:
      return ChapterNumber(db);
    case XRefBuildingBlock::kTextAnchorName:
      return anchorName.GetWideString();
    default:
      break;
  }
  if (!model || at < 0 || at >= model->TotalLength()) return WideString();
  switch (block.GetType()) {
    case XRefBuildingBlock::kPageNumber:
      return PageNumber(model.get(), at);
    case XRefBuildingBlock::kParagraphNumber:
      return ParagraphNumber(model.get(), at);
    case XRefBuildingBlock::kParagraphText:
      return ParagraphText(model.get(), at);
    case XRefBuildingBlock::kFullParagraph: {
      WideString whole = ParagraphNumber(model.get(), at);
      whole.Append(ParagraphText(model.get(), at));
      return whole;
    }
    default:
      return WideString();
  }
}

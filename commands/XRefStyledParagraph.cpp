#include "commands/XRefStyledParagraph.h"
#include "host/IParaAttrStrand.h"
#include "host/IParagraphStrand.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"

TextIndex XRefFindStyledParagraph(const UIDRef& story, TextIndex at, UID style, bool forward) {
  InterfacePtr<ITextModel> model(story, IID_ITEXTMODEL);
  if (!model || style == kInvalidUID) return -1;
  InterfacePtr<IParagraphStrand> paragraphs(
      static_cast<IParagraphStrand*>(model->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND)));
  InterfacePtr<IParaAttrStrand> attributes(
      static_cast<IParaAttrStrand*>(model->QueryStrand(kParaAttrStrandBoss, IID_IPARAATTRSTRAND)));
  if (!paragraphs || !attributes) return -1;
  const int32 step = forward ? 1 : -1;
  for (int32 n = paragraphs->GetParagraphIndex(at); n >= 0 && n < paragraphs->GetParagraphCount(); n += step) {
    const TextIndex start = paragraphs->GetNthParagraphStart(n);
    if (start >= 0 && attributes->GetParagraphStyle(start) == style) return start;
  }
  return -1;
}

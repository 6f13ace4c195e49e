#include "format/XRefParagraphChoice.h"
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"

bool XRefFindStyledParagraph(const PMString& element, IXRefParsingUtils* utils, ISAXAttributes* attributes,
                             IXRefComposerState* state, IXRefTextLoc* source, TextIndex* start) {
  if (!utils || !attributes || !source || !start) return false;
  static const PMString preceding("precedingpstyle"), following("followingpstyle");
  const bool before = utils->HasAttribute(attributes, preceding);
  if (!before && !utils->HasAttribute(attributes, following)) return false;
  const PMString& attribute = before ? preceding : following;
  const PMString style = utils->GetStringAttribute(attributes, attribute, PMString());
  TextIndex found = source->GetParagraphStart();
  const ErrorCode result =
      before ? source->FindPrecedingParagraph(&found, style) : source->FindFollowingParagraph(&found, style);
  if (result != kSuccess) {
    if (state) state->AddAttributeError(element, attribute, result);
    return false;
  }
  *start = found;
  return true;
}

void XRefRecordAttributeError(IXRefComposerState* state, const char* element, const char* attribute,
                              ErrorCode code) {
  if (state) state->AddAttributeError(PMString(element), PMString(attribute), code);
}

void XRefRecordElementError(IXRefComposerState* state, const char* element, ErrorCode code) {
  if (state) state->AddElementError(PMString(element), code);
}

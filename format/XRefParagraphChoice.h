#pragma once
// What the text-reading building blocks share: which paragraph they read
// (the source's own, or the nearest one of a named style before or after
// it), and recording problems when a state is at hand.
#include "format/XRefFormatID.h"
#include "host/PMString.h"

class ISAXAttributes;
class IXRefComposerState;
class IXRefParsingUtils;
class IXRefTextLoc;

// Applies `precedingpstyle` (which wins) or `followingpstyle`. True with the
// start of the paragraph found; false when neither is given or the search
// failed, a failure being recorded against the attribute, so the caller goes
// on with the source's own paragraph.
bool XRefFindStyledParagraph(const PMString& element, IXRefParsingUtils* utils, ISAXAttributes* attributes,
                             IXRefComposerState* state, IXRefTextLoc* source, TextIndex* start);

void XRefRecordAttributeError(IXRefComposerState* state, const char* element, const char* attribute,
                              ErrorCode code);
void XRefRecordElementError(IXRefComposerState* state, const char* element, ErrorCode code);

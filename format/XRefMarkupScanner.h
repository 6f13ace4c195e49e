#pragma once
// Copies a converted format into the body of its XML document, following
// XML's lexical contexts (text, tags and their quoted attribute values,
// comments, CDATA sections, processing instructions), so that what must
// change for the parser changes only where it must:
// - inside attribute values, tabs, line feeds and returns become character
//   references, which survive the parser's normalisation of values into
//   blanks ("^t" as a delimiter would otherwise stop at the first blank);
// - U+0003, U+0007 and U+0008 ("^h", "^i", "^y"), which XML 1.0 allows
//   nowhere, become the char elements that give them back in text (a CDATA
//   section is closed around the element); comments and processing
//   instructions, which output nothing, drop them; in an attribute value
//   they have no place at all and are refused.
#include "host/PMString.h"
#include <string>

struct MarkupFault {
  int32 position = -1;     // index in the converted format
  char16_t character = 0;  // the character that has no place there
  std::u16string attribute;
};

// Appends the body to *document. False, with *fault filled, on a character
// that no XML can hold where it stands.
bool ScanFormatMarkup(const std::u16string& format, std::u16string* document, MarkupFault* fault);

// The fault in words: the escape that gave the character, its position and
// the attribute.
PMString MarkupFaultMessage(const MarkupFault& fault);

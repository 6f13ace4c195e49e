#pragma once
// The XML document a format becomes: an XML declaration and an internal DTD
// assembled from the registered building blocks, then the format as the
// content of the root element "xref".
#include "host/IDTypes.h"
#include "host/PMString.h"
#include "host/WideString.h"
#include <vector>

// The DTD's declarations: the root's, then the fragment of each of the
// element service's providers (given back in *providers), last registered
// first. False, leaving both alone, when there is no session.
bool BuildFormatDTD(std::vector<ClassID>* providers, WideString* declarations);
// The header with those declarations as the internal DTD: a document that
// stands alone. False, leaving *header alone, when there is no session.
bool BuildFormatDTDHeader(PMString* header);
// The header of a document that names its DTD by system identifier, for a
// parser that has the DTD compiled already.
PMString FormatDocumentHeader(const WideString& systemID);

// header + "<xref>" + format + "</xref>", with every U+0008 replaced by the
// element <char code='8' />. U+0003 and U+0007, which "^h" and "^i" produce,
// are no more legal in XML than U+0008 and are replaced the same way, so that
// those escapes reach the output instead of failing the parse. Tabs, line
// feeds and returns inside attribute values become character references, so
// that they survive the parser's normalisation of attribute values.
PMString AssembleFormatDocument(const PMString& header, const PMString& format);

#pragma once
// The XML document a format becomes: an XML declaration and an internal DTD
// assembled from the registered building blocks, then the format as the
// content of the root element "xref".
#include "format/XRefMarkupScanner.h"
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

// header + "<xref>" + format + "</xref>", with the format's body as
// ScanFormatMarkup copies it: U+0008 (and U+0003, U+0007) as char elements,
// tabs and line ends in attribute values as character references. False,
// with *fault filled, when the format holds such a control character in an
// attribute value.
bool AssembleFormatDocument(const PMString& header, const PMString& format, PMString* document, MarkupFault* fault);

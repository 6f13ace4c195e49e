#include "commands/XRefConvertFormatDocument.h"

namespace {
const char* const kProlog =
    "<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\n"
    "<!DOCTYPE xref [\n"
    "<!ELEMENT xref ANY>\n"
    "<!ELEMENT chapnum EMPTY>\n"
    "<!ATTLIST chapnum cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED>\n"
    "<!ELEMENT filename EMPTY>\n"
    "<!ATTLIST filename cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED\n"
    "  fullpath (true|false|yes|no) \"false\" extension (true|false|yes|no) \"true\">\n"
    "<!ELEMENT fnnum EMPTY>\n"
    "<!ATTLIST fnnum cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED\n"
    "  from (reftext|footnote) \"footnote\">\n"
    "<!ELEMENT pagenum EMPTY>\n"
    "<!ATTLIST pagenum cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED\n"
    "  precedingpstyle CDATA #IMPLIED followingpstyle CDATA #IMPLIED\n"
    "  usesectionname (true|false|yes|no) \"false\" forcearabic (true|false|yes|no) \"false\"\n"
    "  usepage (true|false|yes|no) \"false\" usethis (true|false|yes|no) \"false\"\n"
    "  useprev (true|false|yes|no) \"false\" usenext (true|false|yes|no) \"false\"\n"
    "  useopposite (true|false|yes|no) \"false\" numbertype (default|actual|ordinal) \"default\"\n"
    "  pagetext CDATA \"page #\" thistext CDATA \"this page\" prevtext CDATA \"previous page\"\n"
    "  nexttext CDATA \"next page\" oppositetext CDATA \"opposite page\">\n"
    "<!ELEMENT paranum EMPTY>\n"
    "<!ATTLIST paranum cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED\n"
    "  precedingpstyle CDATA #IMPLIED followingpstyle CDATA #IMPLIED\n"
    "  numberonly (true|false|yes|no) \"false\" includetrailingws (true|false|yes|no) \"false\">\n"
    "<!ELEMENT paratext EMPTY>\n"
    "<!ATTLIST paratext cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED\n"
    "  precedingpstyle CDATA #IMPLIED followingpstyle CDATA #IMPLIED filterbycstyle CDATA #IMPLIED\n"
    "  includesoftcr (true|false|yes|no) \"false\" includetab (true|false|yes|no) \"false\"\n"
    "  retainfontfamily (true|false|yes|no) \"false\" retainfontstyle (true|false|yes|no) \"false\">\n"
    "<!ELEMENT span ANY>\n"
    "<!ATTLIST span cstyle CDATA #IMPLIED format CDATA #IMPLIED lang CDATA #IMPLIED>\n"
    "]>\n";
}  // namespace

PMString ConvertFormatDocument(const PMString& convertedFormat) {
  PMString document(kProlog);
  document.Append("<xref>");
  document.Append(convertedFormat);
  document.Append("</xref>");
  return document;
}

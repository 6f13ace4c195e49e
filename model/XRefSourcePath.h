#pragma once
// Source-document paths of cross-references: the path relative to the
// referring document's folder, made absolute again, and the path as text.
#include "host/APath.h"
#include "host/IDFile.h"
#include "host/PMString.h"

namespace XRefSourcePath {
// The source's path relative to the folder of `documentFile`: ".." for each
// folder of the document's path below the common part, then the rest of the
// source's path. The source path itself when the two have nothing in common,
// when the document has no file, or when the document's path lies wholly
// within the source's.
APath Relative(const APath& source, const IDFile& documentFile);
// A relative path made absolute against the folder of `documentFile`; an
// empty file when the path is not relative or the document has no file.
IDFile Absolute(const APath& relative, const IDFile& documentFile);
// The file's full path as the user sees it, not translatable.
PMString PathText(const IDFile& file);
}  // namespace XRefSourcePath

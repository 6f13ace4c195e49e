#include "model/XRefSourcePath.h"
#include "host/FileUtils.h"

APath XRefSourcePath::Relative(const APath& source, const IDFile& documentFile) {
  if (documentFile.IsEmpty() || source.IsEmpty()) return source;
  const std::vector<WideString> doc = APath(documentFile).ResolveAliases().GetComponents();
  const std::vector<WideString> src = source.ResolveAliases().GetComponents();
  size_t i = 0;
  while (i < doc.size() && i < src.size() && APath::ComponentsEqualIgnoringCase(doc[i], src[i])) ++i;
  if (i == 0 || i == doc.size()) return source;
  std::vector<WideString> relative;
  for (size_t up = i; up + 1 < doc.size(); ++up) relative.push_back(WideString::FromUTF8(".."));
  relative.insert(relative.end(), src.begin() + static_cast<long>(i), src.end());
  return APath::FromComponents(relative, true);
}

IDFile XRefSourcePath::Absolute(const APath& relative, const IDFile& documentFile) {
  if (!relative.IsRelative() || documentFile.IsEmpty()) return IDFile();
  return relative.MakeAbsolute(APath(documentFile).GetParent()).GetIDFile();
}

PMString XRefSourcePath::PathText(const IDFile& file) { return FileUtils::SysFileToPMString(file); }

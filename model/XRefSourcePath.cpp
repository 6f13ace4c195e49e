#include "model/XRefSourcePath.h"
#include <vector>

namespace {
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= path.size()) {
    size_t to = path.find('/', from);
    if (to == std::string::npos) to = path.size();
    if (to > from) parts.push_back(path.substr(from, to - from));
    from = to + 1;
  }
  return parts;
}

bool SameComponent(const std::string& a, const std::string& b) {
  return PMString(a).IsEqualNoCase(PMString(b));
}
}  // namespace

APath XRefSourcePath::Relative(const APath& source, const IDFile& documentFile) {
  if (documentFile.IsEmpty() || source.IsEmpty()) return source;
  const std::vector<std::string> doc = Components(APath(documentFile).Normalized().GetString());
  const std::vector<std::string> src = Components(source.Normalized().GetString());
  size_t i = 0;
  while (i < doc.size() && i < src.size() && SameComponent(doc[i], src[i])) ++i;
  if (i == 0 || i == doc.size()) return source;
  std::string relative;
  for (size_t up = i; up + 1 < doc.size(); ++up) relative += "../";
  for (size_t down = i; down < src.size(); ++down) relative += src[down] + (down + 1 < src.size() ? "/" : "");
  return APath(relative);
}

IDFile XRefSourcePath::Absolute(const APath& relative, const IDFile& documentFile) {
  if (relative.IsEmpty() || relative.IsAbsolute() || documentFile.IsEmpty()) return IDFile();
  return relative.ResolvedAgainst(APath(documentFile)).GetIDFile();
}

PMString XRefSourcePath::PathText(const IDFile& file) {
  PMString text = file.GetPathString();
  text.SetTranslatable(false);
  return text;
}

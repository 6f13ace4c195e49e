// Paths: components, relative and absolute forms, links, and file helpers.
#include "host/APath.h"
#include "host/FileUtils.h"
#include <filesystem>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace fs = std::filesystem;

namespace {
std::u16string Folded(const std::u16string& s) {
  if (s.empty()) return s;
  std::u16string out(s.size() * 3 + 8, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = u_strFoldCase(reinterpret_cast<UChar*>(&out[0]), static_cast<int32_t>(out.size()),
                            reinterpret_cast<const UChar*>(s.data()), static_cast<int32_t>(s.size()),
                            U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return s;
  out.resize(static_cast<size_t>(n));
  return out;
}
}  // namespace

bool APath::IsAbsolute() const { return !p_.empty() && fs::path(p_).is_absolute(); }

APath APath::Normalized() const { return p_.empty() ? APath() : APath(fs::path(p_).lexically_normal().string()); }

std::vector<WideString> APath::GetComponents() const {
  std::vector<WideString> out;
  for (const fs::path& part : fs::path(p_)) {
    const std::string text = part.string();
    if (text.empty() || text == ".") continue;
    out.push_back(WideString::FromUTF8(text));
  }
  return out;
}

APath APath::FromComponents(const std::vector<WideString>& components, bool relative) {
  std::string out;
  for (const WideString& c : components) {
    const std::string text = c.GetUTF8String();
    if (text == "/") {
      if (!relative && out.empty()) out = "/";
      continue;
    }
    if (!out.empty() && out.back() != '/') out += '/';
    out += text;
  }
  return APath(out);
}

APath APath::GetParent() const {
  if (p_.empty()) return APath();
  fs::path p = fs::path(p_).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();  // "a/b/" names b
  if (p == p.root_path()) return APath();
  return APath(p.parent_path().string());
}

APath APath::RelativeTo(const APath& baseFile) const {
  fs::path base = fs::path(baseFile.p_).parent_path();
  return APath(fs::path(p_).lexically_normal().lexically_relative(base.lexically_normal()).string());
}

APath APath::ResolvedAgainst(const APath& baseFile) const {
  if (IsAbsolute()) return Normalized();
  fs::path base = fs::path(baseFile.p_).parent_path();
  return APath((base / p_).lexically_normal().string());
}

APath APath::MakeAbsolute(const APath& folder) const {
  if (p_.empty()) return APath();
  if (IsAbsolute()) return Normalized();
  return APath((fs::path(folder.p_) / p_).lexically_normal().string());
}

APath APath::ResolveAliases() const {
  if (p_.empty()) return APath();
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(fs::absolute(p_, ec), ec);
  if (ec) return Normalized();
  return APath(resolved.string());
}

bool APath::ComponentsEqualIgnoringCase(const WideString& a, const WideString& b) {
  return a == b || Folded(a.Units()) == Folded(b.Units());
}

PMString FileUtils::SysFileToPMString(const IDFile& file) {
  PMString text(file.GetPath().c_str());
  text.SetTranslatable(false);
  return text;
}

bool FileUtils::DoesFileExist(const IDFile& file) { return file.Exists(); }

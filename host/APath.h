#pragma once
// A file path, absolute or relative, with conversions between the two. Paths
// are POSIX paths: an absolute path's first component is the root "/".
#include "IDFile.h"
#include "WideString.h"
#include <vector>

class APath {
public:
  APath() = default;
  explicit APath(const std::string& p) : p_(p) {}
  explicit APath(const IDFile& f) : p_(f.GetPath()) {}
  // Joins components with "/"; a first component "/" makes it absolute.
  // `relative` asks for a relative path: a leading "/" is then left out.
  static APath FromComponents(const std::vector<WideString>& components, bool relative);

  bool IsAbsolute() const;
  bool IsRelative() const { return !p_.empty() && !IsAbsolute(); }
  bool IsEmpty() const { return p_.empty(); }
  // The components in order: "/" first for an absolute path, then each
  // folder and the file name. "." components and empty ones (from "//" or a
  // trailing "/") are left out; ".." is kept as written.
  std::vector<WideString> GetComponents() const;
  // The folder holding this path (the path without its last component);
  // empty when there is none.
  APath GetParent() const;
  // The path of this (absolute) file relative to the folder of `base`.
  APath RelativeTo(const APath& baseFile) const;
  // This (relative) path resolved against the folder of `base`.
  APath ResolvedAgainst(const APath& baseFile) const;
  // This path against `folder`: a relative path is appended to the folder
  // and normalized; an absolute one is only normalized. Empty stays empty.
  APath MakeAbsolute(const APath& folder) const;
  // Symbolic links ("aliases") replaced by their targets, for every
  // component that exists; the rest is kept as written, normalized. A
  // relative path is resolved against the working folder first. Empty stays
  // empty.
  APath ResolveAliases() const;
  APath Normalized() const;
  IDFile GetIDFile() const { return IDFile(p_); }
  const std::string& GetString() const { return p_; }

  // Two path components are the same name ignoring case (full Unicode case
  // folding).
  static bool ComponentsEqualIgnoringCase(const WideString& a, const WideString& b);
  bool operator==(const APath& o) const { return p_ == o.p_; }
  bool operator!=(const APath& o) const { return p_ != o.p_; }

private:
  std::string p_;
};

#pragma once
// A file path, absolute or relative, with conversions between the two.
#include "IDFile.h"

class APath {
public:
  APath() = default;
  explicit APath(const std::string& p) : p_(p) {}
  explicit APath(const IDFile& f) : p_(f.GetPath()) {}

  bool IsAbsolute() const;
  bool IsEmpty() const { return p_.empty(); }
  // The path of this (absolute) file relative to the folder of `base`.
  APath RelativeTo(const APath& baseFile) const;
  // This (relative) path resolved against the folder of `base`.
  APath ResolvedAgainst(const APath& baseFile) const;
  APath Normalized() const;
  IDFile GetIDFile() const { return IDFile(p_); }
  const std::string& GetString() const { return p_; }

private:
  std::string p_;
};

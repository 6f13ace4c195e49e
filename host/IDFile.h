#pragma once
// A file on disk, by path. An empty IDFile names no file.
#include "PMString.h"
#include <string>

class IDFile {
public:
  IDFile() = default;
  explicit IDFile(const std::string& path) : path_(path) {}
  explicit IDFile(const PMString& path) : path_(path.GetUTF8String()) {}

  const std::string& GetPath() const { return path_; }
  PMString GetPathString() const { return PMString(path_.c_str()); }
  bool IsEmpty() const { return path_.empty(); }
  bool Exists() const;
  // The file's name without its folder.
  PMString GetFileName() const;

  bool operator==(const IDFile& o) const { return path_ == o.path_; }
  bool operator!=(const IDFile& o) const { return path_ != o.path_; }

private:
  std::string path_;
};

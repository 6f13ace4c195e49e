#pragma once
// Reading and replacing files on disk without surprises: only regular files
// are read, never more than their size; a file is replaced through a
// temporary beside it that is synced and renamed over it, keeping the
// target's mode and writing through a symbolic link to its target. Messages
// name the file at fault and the cause.
#include <string>

namespace SafeFile {
// The whole file; false with a message when it is not a readable regular file.
bool Read(const std::string& path, std::string* bytes, std::string* error);
// Replaces the file at `path` (or makes it) with `bytes`, atomically.
bool Replace(const std::string& path, const std::string& bytes, std::string* error);
// The temporary a save of `target` by process `pid` writes.
std::string TempName(const std::string& target, long pid);
}  // namespace SafeFile

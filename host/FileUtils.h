#pragma once
// File helpers the plug-in shares.
#include "IDFile.h"
#include "PMString.h"

namespace FileUtils {
// The file's full path as the user reads it, marked not translatable; empty
// for an empty IDFile.
PMString SysFileToPMString(const IDFile& file);
// Whether the file (or folder) exists.
bool DoesFileExist(const IDFile& file);
}  // namespace FileUtils

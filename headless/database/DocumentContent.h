#pragma once
// Comparing what two document or preferences files hold.
#include "host/IDTypes.h"
#include <string>

namespace DocumentFile {
// Whether two files hold the same records, where the records of
// implementation `loose` may differ in their last `looseTail` bytes (a field
// whose change alone leaves the content as it was). False when either is
// not a sound file.
bool SameContent(const std::string& a, const std::string& b, ImplementationID loose, size_t looseTail);
}  // namespace DocumentFile

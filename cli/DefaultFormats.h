#pragma once
// The seven formats a new workspace starts with, by name and mark-up. The
// main job previews them at the sample's source markers.
#include <cstddef>

struct NamedFormat {
  const char* name;    // UTF-8
  const char* markup;  // UTF-8, in the format language
};

extern const NamedFormat kDefaultFormats[];
extern const size_t kDefaultFormatCount;

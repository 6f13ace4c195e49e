#pragma once
// The formats an application workspace is given once, at its first start-up,
// in the order they are added.
#include <cstddef>

struct XRefDefaultFormat {
  const char* name;    // UTF-8
  const char* markup;  // UTF-8, in the format language
};

extern const XRefDefaultFormat kXRefDefaultFormats[];
extern const size_t kXRefDefaultFormatCount;

#pragma once
// What a picture shows beside the document's own drawing.
#include "host/DrawingIDs.h"

struct DrawOptions {
  int32 flags = kDrawForScreen;  // the host's drawing flags
  bool folios = true;            // each page's name at its foot
};

#include "integration/PlugIn.h"

namespace {
PlugIn gPlugIn;  // lives as long as the library
}

extern "C" __attribute__((visibility("default"))) IPlugIn* GetPlugIn() { return &gPlugIn; }

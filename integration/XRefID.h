#pragma once
// The plug-in's identifiers: the plug-in, and its implementations (stored in
// documents for persistent ones, so they never change).
#include "host/IDTypes.h"

constexpr PluginID kXRefPluginID{0xF2C00};
constexpr uint32 kXRefPrefix = 0xF2C00;

// Data version of the plug-in's records (major * 100 + minor): 1.2.
constexpr int32 kXRefCurrentDataVersion = 102;

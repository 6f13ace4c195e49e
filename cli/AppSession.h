#pragma once
// Starts the headless application for one run of the program, with the
// plug-in loaded from its library file.
#include "headless/application/Application.h"
#include <memory>
#include <string>

struct SessionOptions {
  std::string prefsPath;  // empty: the default location
  Clock* clock = nullptr;  // null: the host's (SOURCE_DATE_EPOCH when set)
};

// Null with a message when the plug-in cannot be loaded or SOURCE_DATE_EPOCH
// is set to something that is not a time.
std::unique_ptr<Application> StartSession(const SessionOptions& options, std::string* error);
// Where the plug-in library is looked for: $XREF_PLUGIN, else the build's plug-in folder.
std::string PluginLibraryPath();

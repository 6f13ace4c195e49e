#pragma once
// Starts the headless application for one run of the program, with the
// plug-in loaded from its library file.
#include "headless/application/Application.h"
#include <memory>
#include <string>

struct SessionOptions {
  std::string prefsPath;  // empty: the default location
  Clock* clock = nullptr;  // null: the system clock
};

// Null with a message when the plug-in cannot be loaded.
std::unique_ptr<Application> StartSession(const SessionOptions& options, std::string* error);
// Where the plug-in library is looked for: $XREF_PLUGIN, else the build's plug-in folder.
std::string PluginLibraryPath();

#include "cli/AppSession.h"
#include "headless/objects/SourceDateEpoch.h"
#include <cstdlib>

std::string PluginLibraryPath() {
  if (const char* p = std::getenv("XREF_PLUGIN")) return p;
  return std::string(XREF_PLUGIN_DIR) + "/XRef.so";
}

std::unique_ptr<Application> StartSession(const SessionOptions& options, std::string* error) {
  int64 epoch = 0;
  if (!SourceDateEpochMicros(&epoch, error) && !error->empty()) return nullptr;
  AppOptions app;
  app.prefsPath = options.prefsPath;
  app.clock = options.clock;
  auto result = std::make_unique<Application>(app);
  result->Alerts().SetEcho(true);
  if (!result->LoadPlugin(PluginLibraryPath(), error)) return nullptr;
  result->Start();
  // The start-up services schedule their work (the first start gives the
  // workspace its default formats); run it before any document is touched.
  result->Idle().RunOnce();
  return result;
}

// Feeds arbitrary bytes to the document reader: it must reject or load them,
// never crash, leak or read out of bounds.
#include "headless/application/Application.h"
#include "headless/database/DocumentFile.h"
#include "host/IPlugIn.h"
#include <cstdint>
#include <string>

extern "C" IPlugIn* GetPlugIn();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* app = [] {
    auto* a = new Application(AppOptions{"-"});
    std::string error;
    a->RegisterPlugin(GetPlugIn(), &error);
    a->Start();
    return a;
  }();
  (void)app;
  std::string error;
  auto db = DocumentFile::Deserialize(std::string(reinterpret_cast<const char*>(data), size),
                                      DocumentFile::kDocument, "fuzz", &error);
  if (db) DocumentFile::Serialize(*db, DocumentFile::kDocument);
  return 0;
}

#include "cli/Describe.h"
#include "headless/Application.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"
#include <cstdio>
#include <map>

namespace {
std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}
}  // namespace

void DescribeDocument(DataBase* doc, std::ostream& out) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  PMString name;
  if (document) document->GetName(&name);
  out << "document: " << name.GetUTF8String() << "\n";
  std::string path = Application::Current() ? Application::Current()->DocumentPath(doc) : std::string();
  out << "file: " << (path.empty() ? "(not saved)" : path) << "\n";
  for (auto& p : doc->PluginData())
    out << "plug-in " << Hex(IdValue(p.first)) << ": data version " << p.second / 100 << "." << p.second % 100
        << "\n";
  std::map<uint32_t, int> classes;
  for (auto& entry : doc->Objects()) ++classes[IdValue(entry.second->GetClass())];
  out << "objects: " << doc->Objects().size() << "\n";
  for (auto& c : classes) out << "  class " << Hex(c.first) << ": " << c.second << "\n";
}

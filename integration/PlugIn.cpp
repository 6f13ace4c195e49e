#include "integration/PlugIn.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include <cstdlib>
#include <dlfcn.h>
#include <limits.h>
#include <string>

namespace {
// Constructed on first use: the attach hook may run before this file's
// ordinary static initialisers.
std::string& LibraryPath() {
  static std::string path;
  return path;
}

// The process-attach notification: remember the file this code was loaded
// from. The full path is kept, however long, so resources are always found;
// code linked into a program finds the program's own file.
__attribute__((constructor)) void OnLibraryAttach() {
  Dl_info info;
  std::string file;
  if (dladdr(reinterpret_cast<void*>(&OnLibraryAttach), &info) && info.dli_fname) file = info.dli_fname;
  if (file.empty() || file.find('/') == std::string::npos) file = "/proc/self/exe";
  char* resolved = realpath(file.c_str(), nullptr);
  LibraryPath() = resolved ? resolved : file;
  free(resolved);
}
}  // namespace

const std::string& LibraryFilePath() { return LibraryPath(); }

IDFile PlugIn::GetResourceFile() const { return IDFile(LibraryPath()); }

void PlugIn::RegisterImplementations(PluginID id) {
  ISession* session = GetExecutionContextSession();
  InterfacePtr<IImplementationRegistry> registry(session, IID_IIMPLEMENTATIONREGISTRY);
  if (!registry) return;
  int32 pairCount = 0;
  const RegistrationPair* pairs = RegistrationPairs(&pairCount);
  for (int32 i = 0; i < pairCount; ++i) registry->InstallPair(pairs[i].id, pairs[i].value);
  for (ImplementationRecord* r = ImplementationRecordsHead(); r; r = r->next)
    registry->InstallImplementation(id, r->id, r->create, r->destroy, r->size, r->readWrite, r->reserved1,
                                    r->reserved2);
}

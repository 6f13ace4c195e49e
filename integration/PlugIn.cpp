#include "integration/PlugIn.h"
#include "host/ISession.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include <dlfcn.h>
#include <string>

namespace {
std::string gLibraryPath;

// The process-attach notification: remember the file this code was loaded
// from. The full path is kept, however long, so resources are always found.
__attribute__((constructor)) void OnLibraryAttach() {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&OnLibraryAttach), &info) && info.dli_fname) gLibraryPath = info.dli_fname;
}
}  // namespace

const std::string& LibraryFilePath() { return gLibraryPath; }

IDFile PlugIn::GetResourceFile() const { return IDFile(gLibraryPath); }

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

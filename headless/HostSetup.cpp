#include "headless/HostSetup.h"
#include "headless/BroadcastSetup.h"
#include "headless/LayoutSetup.h"
#include "headless/ParserSetup.h"
#include "headless/SessionObjects.h"
#include "headless/StandardData.h"
#include "headless/TextSetup.h"
#include "host/HostIDs.h"

namespace {
constexpr ImplementationID kSessionImpl{0x320};
constexpr ImplementationID kImplRegistryImpl{0x321};
constexpr ImplementationID kSignalMgrImpl{0x322};
}  // namespace

void InstallHostClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings) {
  InstallStandardData(impls);
  InstallParserClasses(impls, classes);
  InstallTextClasses(impls, classes, strings);
  InstallLayoutClasses(impls, classes);
  InstallBroadcastClasses(impls, classes);
  impls.InstallHost<SessionImpl>(kSessionImpl);
  impls.InstallHost<ImplementationRegistryImpl>(kImplRegistryImpl);
  impls.InstallHostPersistent<DocumentImpl>(kDocumentImpl);
  impls.InstallHost<PlugInDataImpl>(kPlugInDataImpl);
  impls.InstallHost<SignalMgrImpl>(kSignalMgrImpl);
  impls.InstallHost<DocumentSignalDataImpl>(kDocumentSignalDataImpl);

  classes.Define({kSessionBoss, kInvalidClass,
                  {{IID_ISESSION, kSessionImpl}, {IID_IIMPLEMENTATIONREGISTRY, kImplRegistryImpl}}});
  classes.Define({kDocBoss, kInvalidClass, {{IID_IDOCUMENT, kDocumentImpl}, {IID_IPLUGINDATA, kPlugInDataImpl}}});
  // Plug-ins add their preferences and lists to the workspace classes.
  classes.Define({kWorkspaceBoss, kInvalidClass, {}});
  classes.Define({kDocWorkspaceBoss, kWorkspaceBoss, {}});
  classes.Define({kDocumentSignalBoss, kInvalidClass,
                  {{IID_ISIGNALMGR, kSignalMgrImpl}, {IID_IDOCUMENTSIGNALDATA, kDocumentSignalDataImpl}}});
  classes.Define({kUtilsBoss, kInvalidClass, {}});

  strings.Add("kUntitledDocumentName", "Untitled-^1");
}

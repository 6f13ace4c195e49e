#include "headless/application/HostSetup.h"
#include "headless/application/ComposeOnIdle.h"
#include "headless/application/DocumentUtilities.h"
#include "headless/application/IdleLoop.h"
#include "headless/application/OpenWindowCmd.h"
#include "headless/commands/BroadcastSetup.h"
#include "headless/database/DataBaseErrors.h"
#include "headless/hyperlinks/HyperlinkSetup.h"
#include "headless/drawing/DrawingSetup.h"
#include "headless/conversion/ConversionSetup.h"
#include "headless/scripting/ScriptingSetup.h"
#include "headless/hyperlinks/BasicFormatSetup.h"
#include "headless/hyperlinks/NativeCrossRefSetup.h"
#include "headless/layout/LayoutSetup.h"
#include "headless/xml/ParserSetup.h"
#include "headless/application/SessionObjects.h"
#include "headless/selection/SelectionSetup.h"
#include "headless/objects/StandardData.h"
#include "headless/text/TextSetup.h"
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
  InstallHyperlinkClasses(impls, classes);
  InstallDrawingClasses(impls, classes);
  InstallBroadcastClasses(impls, classes);
  InstallBasicFormatClasses(impls, classes);
  InstallNativeCrossRefClasses(impls, classes);
  InstallConversionClasses(impls, classes);
  InstallDataBaseErrorClasses(impls, classes, strings);
  InstallScriptingClasses(impls, classes);
  InstallSelectionClasses(impls, classes);
  impls.InstallHost<SessionImpl>(kSessionImpl);
  impls.InstallHost<ImplementationRegistryImpl>(kImplRegistryImpl);
  impls.InstallHostPersistent<DocumentImpl>(kDocumentImpl);
  impls.InstallHost<PlugInDataImpl>(kPlugInDataImpl);
  impls.InstallHost<SignalMgrImpl>(kSignalMgrImpl);
  impls.InstallHost<DocumentSignalDataImpl>(kDocumentSignalDataImpl);
  impls.InstallHost<DocumentUtilsImpl>(kDocumentUtilsImpl);
  impls.InstallHost<DocumentOpenUtilsImpl>(kDocumentOpenUtilsImpl);
  impls.InstallHost<ScriptUtilsImpl>(kScriptUtilsImpl);
  impls.InstallHost<OpenWindowCmd>(kOpenWindowCmdImpl);

  classes.Define({kSessionBoss, kInvalidClass,
                  {{IID_ISESSION, kSessionImpl}, {IID_IIMPLEMENTATIONREGISTRY, kImplRegistryImpl}}});
  classes.Define({kDocBoss, kInvalidClass, {{IID_IDOCUMENT, kDocumentImpl}, {IID_IPLUGINDATA, kPlugInDataImpl}}});
  // Plug-ins add their preferences and lists to the workspace classes.
  classes.Define({kWorkspaceBoss, kInvalidClass, {}});
  classes.Define({kDocWorkspaceBoss, kWorkspaceBoss, {}});
  classes.Define({kDocumentSignalBoss, kInvalidClass,
                  {{IID_ISIGNALMGR, kSignalMgrImpl}, {IID_IDOCUMENTSIGNALDATA, kDocumentSignalDataImpl}}});
  classes.Define({kUtilsBoss, kInvalidClass, {}});
  classes.AddIn(kUtilsBoss, {{IID_IDOCUMENTUTILS, kDocumentUtilsImpl},
                             {IID_IDOCUMENTOPENUTILS, kDocumentOpenUtilsImpl},
                             {IID_ISCRIPTUTILS, kScriptUtilsImpl}});
  classes.Define({kOpenWindowCmdBoss, kInvalidClass, {{IID_ICOMMAND, kOpenWindowCmdImpl}}});

  strings.Add("kUntitledDocumentName", "Untitled-^1");
  // Stories compose while the application is idle, so their owned items hear
  // about moves into other lines and into overset text without being asked.
  IdleLoop::AddHook(&ComposeOpenDocuments);
}

#include "headless/hyperlinks/NativeCrossRefSetup.h"
#include "headless/hyperlinks/NativeCrossRefs.h"
#include "host/HostIDs.h"
#include "host/UtilsBoss.h"

void InstallNativeCrossRefClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHostPersistent<CrossRefSourceRangeImpl>(kCrossRefSourceRangeImpl);
  impls.InstallHostPersistent<HyperlinkCrossRefSourceImpl>(kHyperlinkCrossRefSourceImpl);
  impls.InstallHost<NativeCrossRefUtilsImpl>(kNativeCrossRefUtilsImpl);
  impls.InstallHost<ShowConversionLogCmd>(kShowConversionLogCmdImpl);

  // A text source of its own kind, so that plain hyperlink sources keep
  // their text-independent life.
  classes.Define({kHyperlinkCrossRefSourceBoss, kInvalidClass,
                  {{IID_ITEXTHOLDER, kCrossRefSourceRangeImpl},
                   {IID_IHYPERLINKTEXTSOURCE, kHyperlinkTextSourceImpl},
                   {IID_IHYPERLINKCROSSREFSOURCE, kHyperlinkCrossRefSourceImpl}}});
  classes.AddIn(kUtilsBoss, {{IID_INATIVECROSSREFUTILS, kNativeCrossRefUtilsImpl}});
  classes.Define({kShowConversionLogCmdBoss, kInvalidClass,
                  {{IID_ICOMMAND, kShowConversionLogCmdImpl}, {IID_ISTRINGDATA, kStringDataImpl}}});
}

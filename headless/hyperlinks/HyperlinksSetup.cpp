#include "headless/hyperlinks/HyperlinksSetup.h"
#include "headless/hyperlinks/BasicFormats.h"
#include "host/HostIDs.h"

void InstallHyperlinkClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHostPersistent<BasicXRefFormatImpl>(kBasicXRefFormatImpl);
  impls.InstallHostPersistent<BasicXRefFormatListImpl>(kBasicXRefFormatListImpl);
  impls.InstallHost<BasicFormatUtilsImpl>(kBasicFormatUtilsImpl);
  // Plug-ins add their own data to the format class.
  classes.Define({kBasicXRefFormatBoss, kInvalidClass, {{IID_IBASICXREFFORMAT, kBasicXRefFormatImpl}}});
  classes.AddIn(kDocBoss, {{IID_IBASICXREFFORMATLIST, kBasicXRefFormatListImpl}});
  classes.AddIn(kUtilsBoss, {{IID_IBASICFORMATUTILS, kBasicFormatUtilsImpl}});
}

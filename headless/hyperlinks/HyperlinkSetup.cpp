#include "headless/hyperlinks/HyperlinkSetup.h"
#include "headless/hyperlinks/HyperlinkCommands.h"
#include "headless/hyperlinks/HyperlinkObjects.h"
#include "headless/hyperlinks/HyperlinkUtils.h"
#include "host/HostIDs.h"
#include "host/UtilsBoss.h"

void InstallHyperlinkClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHostPersistent<HyperlinkAnchorOwnedItem>(kHyperlinkAnchorOwnedItemImpl);
  impls.InstallHostPersistent<HyperlinkTextMarkerImpl>(kHyperlinkTextMarkerImpl);
  impls.InstallHostPersistent<HyperlinkDestinationImpl>(kHyperlinkDestinationImpl);
  impls.InstallHostPersistent<HyperlinkSourceRangeImpl>(kHyperlinkSourceRangeImpl);
  impls.InstallHostPersistent<HyperlinkTextSourceImpl>(kHyperlinkTextSourceImpl);
  impls.InstallHostPersistent<HyperlinkImpl>(kHyperlinkImpl);
  impls.InstallHostPersistent<HyperlinkListImpl>(kHyperlinkListImpl);
  impls.InstallHost<HyperlinkUtilsImpl>(kHyperlinkUtilsImpl);
  impls.InstallHost<DeleteHyperlinkCmd>(kDeleteHyperlinkCmdImpl);
  impls.InstallHost<DeleteHyperlinkTextSourceCmd>(kDeleteHyperlinkTextSourceCmdImpl);
  impls.InstallHost<DeleteHyperlinkDestinationCmd>(kDeleteHyperlinkDestinationCmdImpl);

  classes.Define({kHyperlinkTextMarkerBoss, kInvalidClass,
                  {{IID_IOWNEDITEM, kHyperlinkAnchorOwnedItemImpl},
                   {IID_IHYPERLINKTEXTMARKER, kHyperlinkTextMarkerImpl}}});
  classes.Define({kHyperlinkTextDestinationBoss, kInvalidClass,
                  {{IID_IHYPERLINKDESTINATION, kHyperlinkDestinationImpl}}});
  classes.Define({kHyperlinkTextSourceBoss, kInvalidClass,
                  {{IID_ITEXTHOLDER, kHyperlinkSourceRangeImpl}, {IID_IHYPERLINKTEXTSOURCE, kHyperlinkTextSourceImpl}}});
  classes.Define({kHyperlinkBoss, kInvalidClass, {{IID_IHYPERLINK, kHyperlinkImpl}}});
  classes.AddIn(kDocBoss, {{IID_IHYPERLINKLIST, kHyperlinkListImpl}});
  classes.AddIn(kUtilsBoss, {{IID_IHYPERLINKUTILS, kHyperlinkUtilsImpl}});
  classes.Define({kDeleteHyperlinkCmdBoss, kInvalidClass, {{IID_ICOMMAND, kDeleteHyperlinkCmdImpl}}});
  classes.Define({kDeleteHyperlinkTextSourceCmdBoss, kInvalidClass, {{IID_ICOMMAND, kDeleteHyperlinkTextSourceCmdImpl}}});
  classes.Define({kDeleteHyperlinkDestinationCmdBoss, kInvalidClass,
                  {{IID_ICOMMAND, kDeleteHyperlinkDestinationCmdImpl}}});
}

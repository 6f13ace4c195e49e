#include "headless/drawing/DrawingSetup.h"
#include "headless/drawing/DisplayOptions.h"
#include "headless/drawing/WaxObjects.h"
#include "host/DrawingIDs.h"
#include "host/HostIDs.h"

void InstallDrawingClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHost<DisplayOptionsImpl>(kDisplayOptionsImpl);
  impls.InstallHost<WaxGeometryImpl>(kWaxGeometryImpl);
  impls.InstallHost<WaxRunImpl>(kWaxRunImpl);
  classes.Define({kWaxDrawnLineBoss, kInvalidClass, {{IID_IWAXGEOMETRY, kWaxGeometryImpl}}});
  classes.Define({kWaxRunBoss, kInvalidClass, {{IID_IWAXRUN, kWaxRunImpl}, {IID_IWAXGEOMETRY, kWaxGeometryImpl}}});
  classes.AddIn(kWorkspaceBoss, {{IID_IDISPLAYOPTIONS, kDisplayOptionsImpl}});
  classes.AddIn(kDocWorkspaceBoss, {{IID_IDISPLAYOPTIONS, kDisplayOptionsImpl}});
}

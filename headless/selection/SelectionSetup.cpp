#include "headless/selection/SelectionSetup.h"
#include "headless/selection/SelectionManager.h"
#include "headless/selection/SelectionObjects.h"
#include "host/HostIDs.h"

void InstallSelectionClasses(ImplRegistry& impls, ClassRegistry& classes) {
  impls.InstallHost<SelectionManagerImpl>(kSelectionManagerImpl);
  impls.InstallHost<IntegratorTargetImpl>(kIntegratorTargetImpl);
  impls.InstallHost<TextSelectionSuiteImpl>(kTextSelectionSuiteImpl);
  impls.InstallHost<SelectionModelObserverImpl>(kSelectionModelObserverImpl);
  impls.InstallHost<TextTargetImpl>(kTextTargetImpl);
  impls.InstallHost<SelectionUtilsImpl>(kSelectionUtilsImpl);
  classes.AddIn(kSessionBoss, {{IID_ISELECTIONMANAGER, kSelectionManagerImpl}});
  // Suites and their extensions are added to these by plug-ins.
  classes.Define({kAbstractSelectionBoss, kInvalidClass,
                  {{IID_IINTEGRATORTARGET, kIntegratorTargetImpl},
                   {IID_ITEXTSELECTIONSUITE, kTextSelectionSuiteImpl},
                   {IID_ISELECTIONMODELOBSERVER, kSelectionModelObserverImpl}}});
  classes.Define({kTextSelectionBoss, kInvalidClass, {{IID_ITEXTTARGET, kTextTargetImpl}}});
  classes.AddIn(kUtilsBoss, {{IID_ISELECTIONUTILS, kSelectionUtilsImpl}});
}

#include "headless/layout/LayoutSetup.h"
#include "headless/layout/DocumentFeatures.h"
#include "headless/layout/Footnotes.h"
#include "headless/database/LoadChecks.h"
#include "headless/layout/LayoutLoadCheck.h"
#include "headless/layout/LayoutObjects.h"
#include "headless/layout/LayoutQueries.h"
#include "headless/layout/StoryComposition.h"
#include "host/HostIDs.h"
#include "host/TextIDs.h"

void InstallLayoutClasses(ImplRegistry& impls, ClassRegistry& classes) {
  LoadChecks::Add(&CheckLoadedLayout);
  impls.InstallHostPersistent<SpreadListImpl>(kSpreadListImpl);
  impls.InstallHostPersistent<SpreadImpl>(kSpreadImpl);
  impls.InstallHost<PageListImpl>(kPageListImpl);
  impls.InstallHostPersistent<SectionListImpl>(kSectionListImpl);
  impls.InstallHostPersistent<FrameListImpl>(kFrameListImpl);
  impls.InstallHostPersistent<TextFrameImpl>(kTextFrameImpl);
  impls.InstallHostPersistent<HierarchyImpl>(kHierarchyImpl);
  impls.InstallHost<LayoutUtilsImpl>(kLayoutUtilsImpl);
  impls.InstallHost<StoryFrameUtilsImpl>(kStoryFrameUtilsImpl);
  impls.InstallHost<LineInfoImpl>(kLineInfoImpl);
  impls.InstallHostPersistent<FootnoteSettingsImpl>(kFootnoteSettingsImpl);
  impls.InstallHostPersistent<FootnoteImpl>(kFootnoteImpl);
  impls.InstallHostPersistent<FootnoteOwnedItem>(kFootnoteOwnedItemImpl);
  impls.InstallHost<FootnoteUtilsImpl>(kFootnoteUtilsImpl);
  impls.InstallHostPersistent<TextVariableImpl>(kTextVariableImpl);
  impls.InstallHostPersistent<TextVariableListImpl>(kTextVariableListImpl);
  impls.InstallHostPersistent<TextVariableInstanceImpl>(kTextVariableInstanceImpl);
  impls.InstallHostPersistent<TextVariableOwnedItem>(kTextVariableOwnedItemImpl);
  impls.InstallHostPersistent<NumberingStyleImpl>(kNumberingStyleImpl);
  impls.InstallHostPersistent<ChapterNumberImpl>(kChapterNumberImpl);
  impls.InstallHost<ChapterNumberServiceImpl>(kChapterNumberServiceImpl);
  impls.InstallHost<WaxLineImpl>(kWaxLineImpl);
  impls.InstallHost<ScriptObjectModelImpl>(kScriptObjectModelImpl);

  classes.Define({kSpreadBoss, kInvalidClass, {{IID_ISPREAD, kSpreadImpl}}});
  classes.Define({kPageBoss, kInvalidClass, {{IID_IHIERARCHY, kHierarchyImpl}}});
  classes.Define({kTextFrameBoss, kInvalidClass, {{IID_ITEXTFRAME, kTextFrameImpl}, {IID_IHIERARCHY, kHierarchyImpl}}});
  classes.Define({kFootnoteBoss, kInvalidClass, {{IID_IFOOTNOTE, kFootnoteImpl}, {IID_IOWNEDITEM, kFootnoteOwnedItemImpl}}});
  classes.Define({kTextVariableBoss, kInvalidClass, {{IID_ITEXTVARIABLE, kTextVariableImpl}}});
  classes.Define({kTextVariableInstanceBoss, kInvalidClass,
                  {{IID_ITEXTVARIABLEINSTANCE, kTextVariableInstanceImpl}, {IID_IOWNEDITEM, kTextVariableOwnedItemImpl}}});
  classes.Define({kWaxLineBoss, kInvalidClass, {{IID_IWAXLINE, kWaxLineImpl}}});

  classes.AddIn(kDocBoss, {{IID_ISPREADLIST, kSpreadListImpl},
                           {IID_IPAGELIST, kPageListImpl},
                           {IID_ISECTIONLIST, kSectionListImpl},
                           {IID_IFOOTNOTESETTINGS, kFootnoteSettingsImpl},
                           {IID_ITEXTVARIABLELIST, kTextVariableListImpl},
                           {IID_ICHAPTERNUMBER, kChapterNumberImpl}});
  // A story's hierarchy names the footnote it belongs to, if any.
  classes.AddIn(kTextStoryBoss, {{IID_IFRAMELIST, kFrameListImpl},
                                 {IID_ILINEINFO, kLineInfoImpl},
                                 {IID_IHIERARCHY, kHierarchyImpl},
                                 {IID_ISCRIPTOBJECTMODEL, kScriptObjectModelImpl}});
  classes.AddIn(kStyleBoss, {{IID_INUMBERINGSTYLE, kNumberingStyleImpl}});
  classes.AddIn(kUtilsBoss, {{IID_ILAYOUTUTILS, kLayoutUtilsImpl},
                             {IID_ISTORYFRAMEUTILS, kStoryFrameUtilsImpl},
                             {IID_IFOOTNOTEUTILS, kFootnoteUtilsImpl},
                             {IID_ICHAPTERNUMBERSERVICE, kChapterNumberServiceImpl}});
}

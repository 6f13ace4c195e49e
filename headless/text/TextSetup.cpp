#include "headless/database/LoadChecks.h"
#include "headless/text/TextLoadCheck.h"
#include "headless/text/TextSetup.h"
#include "headless/text/CharAttrStrand.h"
#include "headless/text/ClipboardResponder.h"
#include "headless/text/FontObjects.h"
#include "headless/text/LanguageObjects.h"
#include "headless/text/ObjectCommands.h"
#include "headless/text/OwnedItemStrand.h"
#include "headless/text/ParaAttrStrand.h"
#include "headless/text/ParagraphStrand.h"
#include "headless/text/StoryObjects.h"
#include "headless/text/TextHolders.h"
#include "headless/text/StyleObjects.h"
#include "headless/text/SwatchObjects.h"
#include "headless/text/TextAttributesImpl.h"
#include "headless/text/TextCommands.h"
#include "headless/text/TextDataObjects.h"
#include "headless/text/TextModelCmdsImpl.h"
#include "headless/text/TextModelImpl.h"
#include "headless/text/TextStrand.h"
#include "host/HostIDs.h"

namespace {
using Interfaces = std::vector<std::pair<PMIID, ImplementationID>>;

void DefineCommand(ClassRegistry& classes, ClassID cls, ImplementationID impl, Interfaces data) {
  data.insert(data.begin(), {IID_ICOMMAND, impl});
  classes.Define({cls, kInvalidClass, data});
}

// Names of languages the host knows, by key.
const char* const kLanguageNames[][2] = {
    {"kLanguageNone", "[No Language]"},   {"kLanguageEnglishUSA", "English: USA"},
    {"kLanguageEnglishUK", "English: UK"}, {"kLanguageGerman", "German"},
    {"kLanguageFrench", "French"},         {"kLanguageSpanish", "Spanish"},
    {"kLanguageItalian", "Italian"},       {"kLanguageDutch", "Dutch"},
    {"kLanguageJapanese", "Japanese"},
};
}  // namespace

void InstallTextClasses(ImplRegistry& impls, ClassRegistry& classes, StringTable& strings) {
  LoadChecks::Add(&CheckLoadedText);
  impls.InstallHostPersistent<TextModelImpl>(kTextModelImpl);
  impls.InstallHost<TextModelCmdsImpl>(kTextModelCmdsImpl);
  impls.InstallHostPersistent<StoryLockImpl>(kStoryLockImpl);
  impls.InstallHostPersistent<TextHolderListImpl>(kTextHolderListImpl);
  impls.InstallHost<TextHolderUtilsImpl>(kTextHolderUtilsImpl);
  impls.InstallHost<TextAttributesImpl>(kTextAttributesImpl);
  impls.InstallHostPersistent<TextStrand>(kTextStrandImpl);
  impls.InstallHostPersistent<ParagraphStrand>(kParagraphStrandImpl);
  impls.InstallHostPersistent<ParaAttrStrand>(kParaAttrStrandImpl);
  impls.InstallHostPersistent<CharAttrStrand>(kCharAttrStrandImpl);
  impls.InstallHostPersistent<OwnedItemStrand>(kOwnedItemStrandImpl);
  impls.InstallHostPersistent<StoryListImpl>(kStoryListImpl);
  impls.InstallHostPersistent<StyleGroupManagerImpl>(kCharStyleGroupManagerImpl);
  impls.InstallHostPersistent<StyleGroupManagerImpl>(kParaStyleGroupManagerImpl);
  impls.InstallHostPersistent<StyleInfoImpl>(kStyleInfoImpl);
  impls.InstallHostPersistent<FontListImpl>(kFontListImpl);
  impls.InstallHostPersistent<FontFamilyImpl>(kFontFamilyImpl);
  impls.InstallHostPersistent<SwatchListImpl>(kSwatchListImpl);
  impls.InstallHostPersistent<SwatchImpl>(kSwatchImpl);
  impls.InstallHostPersistent<LanguageListImpl>(kLanguageListImpl);
  impls.InstallHostPersistent<LanguageImpl>(kLanguageImpl);
  impls.InstallHost<AttributeListDataImpl>(kAttributeListDataImpl);
  impls.InstallHost<TextAttrUIDImpl>(kTextAttrUIDImpl);
  impls.InstallHost<InsertTextCmd>(kInsertTextCmdImpl);
  impls.InstallHost<DeleteTextCmd>(kDeleteTextCmdImpl);
  impls.InstallHost<ApplyCharStyleCmd>(kApplyCharStyleCmdImpl);
  impls.InstallHost<ApplyTextAttrCmd>(kApplyTextAttrCmdImpl);
  impls.InstallHost<ApplyParaStyleCmd>(kApplyParaStyleCmdImpl);
  impls.InstallHost<SetNumberingCmd>(kSetNumberingCmdImpl);
  impls.InstallHost<PasteTextCmd>(kPasteTextCmdImpl);
  impls.InstallHost<MoveTextCmd>(kMoveTextCmdImpl);
  impls.InstallHost<NewStoryCmd>(kNewStoryCmdImpl);
  impls.InstallHost<NewObjectCmd>(kNewObjectCmdImpl);
  impls.InstallHost<AttachOwnedItemCmd>(kAttachOwnedItemCmdImpl);
  impls.InstallHost<DeleteObjectCmd>(kDeleteObjectCmdImpl);
  impls.InstallHost<ClipboardResponder>(kClipboardResponderImpl);
  impls.InstallHost<ClipboardResponderProvider>(kClipboardResponderProviderImpl);

  classes.Define({kTextStoryBoss, kInvalidClass,
                  {{IID_ITEXTMODEL, kTextModelImpl},
                   {IID_ITEXTMODELCMDS, kTextModelCmdsImpl},
                   {IID_ISTORYLOCK, kStoryLockImpl},
                   {IID_ITEXTATTRIBUTES, kTextAttributesImpl}}});
  classes.Define({kTextStrandBoss, kInvalidClass, {{IID_ITEXTSTRAND, kTextStrandImpl}}});
  classes.Define({kParagraphStrandBoss, kInvalidClass, {{IID_IPARAGRAPHSTRAND, kParagraphStrandImpl}}});
  classes.Define({kParaAttrStrandBoss, kInvalidClass, {{IID_IPARAATTRSTRAND, kParaAttrStrandImpl}}});
  classes.Define({kCharAttrStrandBoss, kInvalidClass, {{IID_ICHARATTRSTRAND, kCharAttrStrandImpl}}});
  classes.Define({kOwnedItemStrandBoss, kInvalidClass, {{IID_IOWNEDITEMSTRAND, kOwnedItemStrandImpl}}});
  classes.Define({kStyleBoss, kInvalidClass, {{IID_ISTYLEINFO, kStyleInfoImpl}}});
  classes.Define({kFontFamilyBoss, kInvalidClass, {{IID_IFONTFAMILY, kFontFamilyImpl}}});
  classes.Define({kSwatchBoss, kInvalidClass, {{IID_ISWATCH, kSwatchImpl}}});
  classes.Define({kLanguageBoss, kInvalidClass, {{IID_ILANGUAGE, kLanguageImpl}}});
  classes.AddIn(kWorkspaceBoss, {{IID_ICHARSTYLEGROUPMANAGER, kCharStyleGroupManagerImpl},
                                 {IID_IPARASTYLEGROUPMANAGER, kParaStyleGroupManagerImpl},
                                 {IID_IFONTLIST, kFontListImpl},
                                 {IID_ISWATCHLIST, kSwatchListImpl},
                                 {IID_ILANGUAGELIST, kLanguageListImpl}});
  classes.AddIn(kDocBoss, {{IID_ISTORYLIST, kStoryListImpl}, {IID_ITEXTHOLDERLIST, kTextHolderListImpl}});
  classes.AddIn(kUtilsBoss, {{IID_ITEXTHOLDERUTILS, kTextHolderUtilsImpl}});

  const Interfaces range = {{IID_IRANGEDATA, kRangeDataImpl}};
  auto with = [&](PMIID iid, ImplementationID impl) {
    Interfaces data = range;
    data.emplace_back(iid, impl);
    return data;
  };
  DefineCommand(classes, kInsertTextCmdBoss, kInsertTextCmdImpl, with(IID_IWIDESTRINGDATA, kWideStringDataImpl));
  DefineCommand(classes, kDeleteTextCmdBoss, kDeleteTextCmdImpl, range);
  DefineCommand(classes, kApplyCharStyleCmdBoss, kApplyCharStyleCmdImpl, with(IID_IUIDDATA, kUIDDataImpl));
  DefineCommand(classes, kApplyTextAttrCmdBoss, kApplyTextAttrCmdImpl,
                with(IID_IATTRIBUTELISTDATA, kAttributeListDataImpl));
  DefineCommand(classes, kApplyParaStyleCmdBoss, kApplyParaStyleCmdImpl, with(IID_IUIDDATA, kUIDDataImpl));
  DefineCommand(classes, kSetNumberingCmdBoss, kSetNumberingCmdImpl, with(IID_IINTDATA, kIntDataImpl));
  DefineCommand(classes, kPasteTextCmdBoss, kPasteTextCmdImpl, range);
  Interfaces move = with(IID_IUIDDATA, kUIDDataImpl);
  move.emplace_back(IID_IINTDATA, kIntDataImpl);
  DefineCommand(classes, kMoveTextCmdBoss, kMoveTextCmdImpl, move);
  DefineCommand(classes, kNewStoryCmdBoss, kNewStoryCmdImpl, {});
  DefineCommand(classes, kNewObjectCmdBoss, kNewObjectCmdImpl, {{IID_ICLASSIDDATA, kClassIDDataImpl}});
  DefineCommand(classes, kAttachOwnedItemCmdBoss, kAttachOwnedItemCmdImpl,
                {{IID_IUIDDATA, kUIDDataImpl}, {IID_IINTDATA, kIntDataImpl}, {IID_ICLASSIDDATA, kClassIDDataImpl}});
  DefineCommand(classes, kDeleteObjectCmdBoss, kDeleteObjectCmdImpl, {});
  DefineCommand(classes, kDeleteOwnedItemCmdBoss, kDeleteObjectCmdImpl, {});

  classes.Define({kTextClipboardResponderBoss, kInvalidClass,
                  {{IID_IK2SERVICEPROVIDER, kClipboardResponderProviderImpl},
                   {IID_IRESPONDER, kClipboardResponderImpl}}});

  for (auto& name : kLanguageNames) strings.Add(name[0], name[1]);
}

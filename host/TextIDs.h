#pragma once
// Identifiers of the host's text model: stories and their strands, text
// commands, owned items, the workspace's styles, fonts, swatches and
// languages, and the character attribute classes. Numbers the plug-in's
// design names are used as given (0x202, 0x208, 0x215, 0x235, 566, 0x2FE,
// 0x2C50, 0x1021, 0x1B01, 0x1351F); the rest are the headless host's.
#include "IDTypes.h"

// Interfaces.
constexpr PMIID IID_ITEXTMODEL{0x202};
constexpr PMIID IID_IOWNEDITEMSTRAND{0x215};
constexpr PMIID IID_ICHARATTRSTRAND{0x235};
constexpr PMIID IID_IPARAGRAPHSTRAND{566};
constexpr PMIID IID_ITEXTMODELCMDS{0x2FE};
constexpr PMIID IID_ISTORYLOCK{0x2C50};
constexpr PMIID IID_ITEXTATTRUID{0x1B01};
constexpr PMIID IID_ITEXTSTRAND{0x2D0};
constexpr PMIID IID_IPARAATTRSTRAND{0x2D1};
constexpr PMIID IID_ITEXTATTRIBUTES{0x2D2};
constexpr PMIID IID_ISTORYLIST{0x2D3};
constexpr PMIID IID_IOWNEDITEM{0x2D4};
constexpr PMIID IID_IOWNEDITEMMEMENTO{0x2D5};
constexpr PMIID IID_ICHARSTYLEGROUPMANAGER{0x2D6};
constexpr PMIID IID_IPARASTYLEGROUPMANAGER{0x2D7};
constexpr PMIID IID_ISTYLEINFO{0x2D8};
constexpr PMIID IID_IFONTLIST{0x2D9};
constexpr PMIID IID_IFONTFAMILY{0x2DA};
constexpr PMIID IID_ISWATCHLIST{0x2DB};
constexpr PMIID IID_ISWATCH{0x2DC};
constexpr PMIID IID_ILANGUAGELIST{0x2DD};
constexpr PMIID IID_ILANGUAGE{0x2DE};
constexpr PMIID IID_IATTRIBUTELISTDATA{0x2DF};
constexpr PMIID IID_ITEXTHOLDER{0x2C1};
constexpr PMIID IID_ITEXTHOLDERLIST{0x2C2};
constexpr PMIID IID_IATTRREPORT{0x2C3};
constexpr PMIID IID_IWAXRUN{0x2C4};
// The utility that finds the object holding a story position.
constexpr PMIID IID_ITEXTHOLDERUTILS{0x1351F};

// Classes: the story and its strands.
constexpr ClassID kOwnedItemStrandBoss{0x208};
constexpr ClassID kTextStoryBoss{0x209};
constexpr ClassID kTextStrandBoss{0x20A};
constexpr ClassID kParaAttrStrandBoss{0x20B};
constexpr ClassID kCharAttrStrandBoss{0x235};
constexpr ClassID kParagraphStrandBoss{566};
// Workspace objects.
constexpr ClassID kStyleBoss{0x20C};
constexpr ClassID kFontFamilyBoss{0x20D};
constexpr ClassID kSwatchBoss{0x20E};
constexpr ClassID kLanguageBoss{0x20F};
// Commands. Text commands take the story as their item and a text range.
constexpr ClassID kInsertTextCmdBoss{0x210};       // + IWideStringData
constexpr ClassID kDeleteTextCmdBoss{0x211};
constexpr ClassID kApplyCharStyleCmdBoss{0x212};   // + IUIDData (the style)
constexpr ClassID kApplyTextAttrCmdBoss{0x213};    // + IAttributeListData
constexpr ClassID kApplyParaStyleCmdBoss{0x214};   // + IUIDData (the style)
constexpr ClassID kSetNumberingCmdBoss{0x216};     // + IIntData (the numbering kind)
constexpr ClassID kPasteTextCmdBoss{0x217};        // pastes the text clipboard
constexpr ClassID kNewStoryCmdBoss{0x218};         // item list: any object of the database; out: the story
constexpr ClassID kNewObjectCmdBoss{0x219};        // item list's database + IClassIDData; out: the object
constexpr ClassID kAttachOwnedItemCmdBoss{0x21A};  // story + IUIDData object, IIntData index, IClassIDData
constexpr ClassID kDeleteObjectCmdBoss{0x21B};     // items: the objects to delete
constexpr ClassID kDeleteOwnedItemCmdBoss{0x1021}; // items: owned items to detach and delete
// Forgets a closing document in the text clipboard.
constexpr ClassID kTextClipboardResponderBoss{0x21C};

// Character attribute classes. Values live in TextAttribute: UIDs, booleans
// and modes in intValue, the point size in realValue, the font style name in
// stringValue. Any other class (a plug-in's) is kept as given.
constexpr ClassID kTextAttrFontBoss{0x1100};        // font family UID
constexpr ClassID kTextAttrFontStyleBoss{0x1101};   // font style name
constexpr ClassID kTextAttrPointSizeBoss{0x1102};   // points
constexpr ClassID kTextAttrFillColorBoss{0x1103};   // swatch UID
constexpr ClassID kTextAttrUnderlineBoss{0x1104};   // 0 or 1
constexpr ClassID kTextAttrStrikeBoss{0x1105};      // 0 or 1
constexpr ClassID kTextAttrNoBreakBoss{0x1106};     // 0 or 1
constexpr ClassID kTextAttrPositionBoss{0x1107};    // 0 normal, 1 superscript, 2 subscript
constexpr ClassID kTextAttrCapitalBoss{0x1108};     // 0 normal, 1 small caps, 2 all caps
constexpr ClassID kTextAttrLanguageBoss{0x1109};    // language UID

// Paragraph numbering kinds.
enum : int32 { kNoNumbering = 0, kBulletNumbering = 1, kNumberedList = 2 };

// Implementations.
constexpr ImplementationID kTextModelImpl{0x330};
constexpr ImplementationID kTextModelCmdsImpl{0x331};
constexpr ImplementationID kStoryLockImpl{0x332};
constexpr ImplementationID kTextAttributesImpl{0x333};
constexpr ImplementationID kTextStrandImpl{0x334};
constexpr ImplementationID kParagraphStrandImpl{0x335};
constexpr ImplementationID kParaAttrStrandImpl{0x336};
constexpr ImplementationID kCharAttrStrandImpl{0x337};
constexpr ImplementationID kOwnedItemStrandImpl{0x338};
constexpr ImplementationID kStoryListImpl{0x339};
constexpr ImplementationID kCharStyleGroupManagerImpl{0x33A};
constexpr ImplementationID kParaStyleGroupManagerImpl{0x33B};
constexpr ImplementationID kStyleInfoImpl{0x33C};
constexpr ImplementationID kFontListImpl{0x33D};
constexpr ImplementationID kFontFamilyImpl{0x33E};
constexpr ImplementationID kSwatchListImpl{0x33F};
constexpr ImplementationID kSwatchImpl{0x340};
constexpr ImplementationID kLanguageListImpl{0x341};
constexpr ImplementationID kLanguageImpl{0x342};
constexpr ImplementationID kAttributeListDataImpl{0x343};
constexpr ImplementationID kTextAttrUIDImpl{0x344};
constexpr ImplementationID kTextHolderListImpl{0x345};
constexpr ImplementationID kTextHolderUtilsImpl{0x346};
constexpr ImplementationID kInsertTextCmdImpl{0x350};
constexpr ImplementationID kDeleteTextCmdImpl{0x351};
constexpr ImplementationID kApplyCharStyleCmdImpl{0x352};
constexpr ImplementationID kApplyTextAttrCmdImpl{0x353};
constexpr ImplementationID kApplyParaStyleCmdImpl{0x354};
constexpr ImplementationID kSetNumberingCmdImpl{0x355};
constexpr ImplementationID kPasteTextCmdImpl{0x356};
constexpr ImplementationID kNewStoryCmdImpl{0x357};
constexpr ImplementationID kNewObjectCmdImpl{0x358};
constexpr ImplementationID kAttachOwnedItemCmdImpl{0x359};
constexpr ImplementationID kDeleteObjectCmdImpl{0x35A};
constexpr ImplementationID kClipboardResponderImpl{0x35B};
constexpr ImplementationID kClipboardResponderProviderImpl{0x35C};

// Errors of the text model.
constexpr ErrorCode kStoryLockedError{0x20};
constexpr ErrorCode kTextRangeError{0x21};

// The separator between the groups and the name in a style's full path.
constexpr char16_t kStyleGroupSeparator = 0xE00B;

// Moving text (0x14300 on): the command takes the source story as its item,
// the moved range (IRangeData), the destination story (IUIDData) and the
// destination index in the text before the move (IIntData).
constexpr ClassID kMoveTextCmdBoss{0x14300};
constexpr ImplementationID kMoveTextCmdImpl{0x14300};
// The destination lies inside the moved range.
constexpr ErrorCode kMoveIntoItselfError{0x14300};

#pragma once
// Identifiers of the host's layout: spreads, pages, sections, text frames,
// lines, footnotes, text variables, paragraph numbering and the chapter
// number. Numbers the plug-in's design names are used as given (0x233,
// 0x2C04, 0x832, 0x28A); the rest are the headless host's.
#include "IDTypes.h"

constexpr PMIID IID_ILINEINFO{0x233};
constexpr PMIID IID_IHIERARCHY{0x2C04};
constexpr PMIID IID_ILAYOUTUTILS{0x832};
constexpr PMIID IID_ISTORYFRAMEUTILS{0x28A};
constexpr PMIID IID_ISPREADLIST{0x2E0};
constexpr PMIID IID_ISPREAD{0x2E1};
constexpr PMIID IID_IPAGELIST{0x2E2};
constexpr PMIID IID_ISECTIONLIST{0x2E3};
constexpr PMIID IID_IFRAMELIST{0x2E4};
constexpr PMIID IID_ITEXTFRAME{0x2E5};
constexpr PMIID IID_IFOOTNOTESETTINGS{0x2E6};
constexpr PMIID IID_IFOOTNOTE{0x2E7};
constexpr PMIID IID_IFOOTNOTEUTILS{0x2E8};
constexpr PMIID IID_ITEXTVARIABLE{0x2E9};
constexpr PMIID IID_ITEXTVARIABLEINSTANCE{0x2EA};
constexpr PMIID IID_INUMBERINGSTYLE{0x2EB};
constexpr PMIID IID_ICHAPTERNUMBER{0x2EC};
constexpr PMIID IID_ICHAPTERNUMBERSERVICE{0x2ED};
constexpr PMIID IID_IWAXLINE{0x2EE};
constexpr PMIID IID_ISCRIPTOBJECTMODEL{0x2EF};
constexpr PMIID IID_ITEXTVARIABLELIST{0x2F0};

constexpr ClassID kSpreadBoss{0x240};
constexpr ClassID kPageBoss{0x241};
constexpr ClassID kTextFrameBoss{0x242};
constexpr ClassID kFootnoteBoss{0x243};
constexpr ClassID kTextVariableBoss{0x244};
constexpr ClassID kTextVariableInstanceBoss{0x245};
constexpr ClassID kWaxLineBoss{0x246};

constexpr ImplementationID kSpreadListImpl{0x360};
constexpr ImplementationID kSpreadImpl{0x361};
constexpr ImplementationID kPageListImpl{0x362};
constexpr ImplementationID kSectionListImpl{0x363};
constexpr ImplementationID kFrameListImpl{0x364};
constexpr ImplementationID kTextFrameImpl{0x365};
constexpr ImplementationID kHierarchyImpl{0x366};
constexpr ImplementationID kLayoutUtilsImpl{0x367};
constexpr ImplementationID kStoryFrameUtilsImpl{0x368};
constexpr ImplementationID kLineInfoImpl{0x369};
constexpr ImplementationID kFootnoteSettingsImpl{0x36A};
constexpr ImplementationID kFootnoteImpl{0x36B};
constexpr ImplementationID kFootnoteUtilsImpl{0x36C};
constexpr ImplementationID kTextVariableImpl{0x36D};
constexpr ImplementationID kTextVariableInstanceImpl{0x36E};
constexpr ImplementationID kNumberingStyleImpl{0x36F};
constexpr ImplementationID kChapterNumberImpl{0x370};
constexpr ImplementationID kChapterNumberServiceImpl{0x371};
constexpr ImplementationID kWaxLineImpl{0x372};
constexpr ImplementationID kScriptObjectModelImpl{0x373};
constexpr ImplementationID kTextVariableListImpl{0x374};
constexpr ImplementationID kFootnoteOwnedItemImpl{0x375};
constexpr ImplementationID kTextVariableOwnedItemImpl{0x376};

// Page numbering styles of sections (and of footnotes and chapters).
enum PageNumberStyle : int32 {
  kArabicNumbers = 0,
  kUpperRomanNumbers = 1,
  kLowerRomanNumbers = 2,
  kUpperLetterNumbers = 3,
  kLowerLetterNumbers = 4,
};

// Page string number types.
enum PageNumberType : int32 {
  kDefaultPageNumber = 0,  // the section's numbering, in its style
  kActualPageNumber = 1,   // the page's position in the document, from 1, arabic
  kOrdinalPageNumber = 2,  // the page's position in its section, from 1, in the section's style
};

// The line model: every character advances one unit; lines are kLineHeight
// points apart.
constexpr double kLineHeight = 12.0;
constexpr double kCharAdvance = 6.0;

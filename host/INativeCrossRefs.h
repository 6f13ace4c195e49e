#pragma once
// The host's native cross-references: a hyperlink whose text source is a
// cross-reference source (a range of a story naming a Basic format) and
// whose destination is a text anchor. The host composes the source's text
// from the format's building blocks at the destination and writes it over
// the source's range when asked to update. Everything is persistent and
// changes undoably inside commands.
#include "IPMUnknown.h"
#include "UIDList.h"
#include "UIDRef.h"
#include "WideString.h"
#include <vector>

constexpr ClassID kHyperlinkCrossRefSourceBoss{0x14000};
// Item: none needed. IStringData: the text of a conversion log, which the
// host presents to the user (the program writes it to standard error).
constexpr ClassID kShowConversionLogCmdBoss{0x14001};

constexpr PMIID IID_IHYPERLINKCROSSREFSOURCE{0x14000};
constexpr PMIID IID_INATIVECROSSREFUTILS{0x14001};

// On a cross-reference source, beside its ITextHolder range and its
// IHyperlinkTextSource: the Basic format the host composes it with.
class IHyperlinkCrossRefSource : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IHYPERLINKCROSSREFSOURCE;
  virtual UID GetFormatUID() const = 0;
};

// One piece of a composed native cross-reference: the text one building
// block gives, and the character style it takes (kInvalidUID for none).
struct NativeCrossRefPiece {
  WideString text;
  UID style = kInvalidUID;
};

// The native cross-reference utility (UtilsBoss::QueryUtils).
class INativeCrossRefUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_INATIVECROSSREFUTILS;
  // A cross-reference source over [start, start + length) of the story that
  // names the Basic format (of the story's database). A range that meets
  // another cross-reference source is refused: kInvalidUID, error set.
  virtual UIDRef CreateCrossRefSource(const UIDRef& story, TextIndex start, int32 length, UID format) = 0;
  // Whether the hyperlink's source is a cross-reference source.
  virtual bool16 IsNativeCrossRef(IDataBase* db, UID hyperlink) const = 0;
  // What the format composes at the destination, block by block; empty
  // when either is missing.
  virtual std::vector<NativeCrossRefPiece> Compose(IDataBase* db, UID format, UID destination) const = 0;
  // The pieces' texts joined.
  virtual WideString ComposeText(IDataBase* db, UID format, UID destination) const = 0;
  // Recomposes each native cross-reference of the list over its range:
  // the range's text goes and the composed text, styled, takes its place.
  // Hyperlinks that are not native cross-references are passed over.
  virtual ErrorCode UpdateCrossRefs(const UIDList& hyperlinks) = 0;
  // Whether a migration to source markers removes the destination once
  // its cross-references have moved: every hyperlink to it is a native
  // cross-reference, and there is at least one.
  virtual bool16 IsRemovedAfterMigration(IDataBase* db, UID destination) const = 0;
  // Deletes the destinations with their anchors and the hyperlinks to them.
  virtual ErrorCode DeleteDestinations(const UIDList& destinations) = 0;
};

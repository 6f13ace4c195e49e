#pragma once
// The persistent parts of native cross-references: the cross-reference
// source's range (a text-source range that goes with its text) and the
// Basic format it names; the utility that makes, composes and updates them;
// and the command that presents a conversion log.
#include "headless/hyperlinks/HyperlinkObjects.h"
#include "host/Command.h"
#include "host/INativeCrossRefs.h"
#include "host/XRefBuildingBlock.h"

constexpr ImplementationID kCrossRefSourceRangeImpl{0x14010};
constexpr ImplementationID kHyperlinkCrossRefSourceImpl{0x14011};
constexpr ImplementationID kNativeCrossRefUtilsImpl{0x14012};
constexpr ImplementationID kShowConversionLogCmdImpl{0x14013};

// A native cross-reference's text is its own: when a deletion takes all of
// it, the source goes too, with its hyperlink, unless the host is
// rewriting that text itself (an update).
class CrossRefSourceRangeImpl : public HyperlinkSourceRangeImpl {
public:
  using HyperlinkSourceRangeImpl::HyperlinkSourceRangeImpl;
  ICommand* QueryDeleteWithTextCommand() override;
  void SetUpdating(bool updating) { updating_ = updating; }

private:
  bool updating_ = false;  // run-time only
};

// Stored as one reference: the Basic format (kInvalidUID when none).
class HyperlinkCrossRefSourceImpl : public CPMUnknown<IHyperlinkCrossRefSource> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetFormatUID() const override { return format_; }
  void SetFormat(UID format);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID format_ = kInvalidUID;
};

class NativeCrossRefUtilsImpl : public CPMUnknown<INativeCrossRefUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UIDRef CreateCrossRefSource(const UIDRef& story, TextIndex start, int32 length, UID format) override;
  bool16 IsNativeCrossRef(IDataBase* db, UID hyperlink) const override;
  std::vector<NativeCrossRefPiece> Compose(IDataBase* db, UID format, UID destination) const override;
  WideString ComposeText(IDataBase* db, UID format, UID destination) const override;
  ErrorCode UpdateCrossRefs(const UIDList& hyperlinks) override;
  bool16 IsRemovedAfterMigration(IDataBase* db, UID destination) const override;
  ErrorCode DeleteDestinations(const UIDList& destinations) override;

private:
  ErrorCode UpdateOne(IDataBase* db, UID hyperlink);
};

class ShowConversionLogCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override;
};

// What one building block gives at a place of a story (the composition
// itself, shared by the utility and its tests).
WideString ComposeBuildingBlock(IDataBase* db, const XRefBuildingBlock& block, UID story, TextIndex at,
                                const PMString& anchorName);

// A cross-reference. Invariant: only the source, format, marker and update
// time fields persist (in the order of ReadWrite); the states, messages,
// failure count, display text and layout snapshot are run-time values that
// every Update rewrites and that start unknown (-1) after reading.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "format/IXRefComposer.h"
#include "format/IXRefComposerState.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefPreviewer.h"
#include "host/CAlert.h"
#include "host/CmdUtils.h"
#include "host/CPMUnknown.h"
#include "host/CreateObject.h"
#include "host/IDocument.h"
#include "host/ILineInfo.h"
#include "host/IOwnedItem.h"
#include "host/IPMStream.h"
#include "host/IStoryLock.h"
#include "host/ITextAttrUID.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIterator.h"
#include "host/UnicodeClass.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/IXRefTextUtils.h"
#include "model/XRefCrossRefContainer.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefQuoteEquality.h"
#include "model/XRefSourceLookup.h"
#include "model/XRefSourcePath.h"
#include <cmath>

namespace {
PMString Translated(const char* key) { return XRefSourceLookup::Message(key); }

// Sets a flag for as long as it lives.
class FlagScope {
public:
  explicit FlagScope(IBoolData* flag) : flag_(flag) { flag_->Set(true); }
  ~FlagScope() { flag_->Set(false); }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  IBoolData* flag_;
};

bool SameSnapshot(const LineInfo& a, const LineInfo& b) {
  return a.pageUID == b.pageUID && a.pageString == b.pageString && std::fabs(a.baseline - b.baseline) < 1e-8 &&
         a.frameUID == b.frameUID && a.lineStart == b.lineStart && a.lineInFrame == b.lineInFrame &&
         a.lineLength == b.lineLength && a.spreadUID == b.spreadUID;
}

using XRefCommandUtils::ProcessMerged;

class XRefCrossRef : public CPMUnknown<IXRefCrossRef> {
public:
  explicit XRefCrossRef(IPMUnknown* boss) : CPMUnknown<IXRefCrossRef>(boss), db_(::GetDataBase(this)) {}

  void SetSource(const IDFile& document, const PMString& markerName) override {
    SetSourceDocument(document);
    SetSourceMarkerName(markerName);
  }

  void SetSourceDocument(const IDFile& document) override {
    PreDirty();
    sourcePath_ = APath(document);
    relativePath_ = sourcePath_.IsEmpty() ? APath() : XRefSourcePath::Relative(sourcePath_, DocumentFile());
  }

  IDFile GetSourceDocument() const override {
    if (!sourcePath_.IsEmpty() && sourcePath_.GetIDFile().Exists()) return sourcePath_.GetIDFile();
    const IDFile resolved = XRefSourcePath::Absolute(relativePath_, DocumentFile());
    if (!resolved.IsEmpty() && resolved.Exists()) return resolved;
    return sourcePath_.GetIDFile();
  }

  bool16 IsExternal() const override { return !sourcePath_.IsEmpty(); }

  IXRefSourceMarker* QuerySourceMarker(bool16 openClosed) override {
    XRefSourceState found;
    IXRefSourceMarker* marker =
        IsExternal() ? XRefSourceLookup::External(GetSourceDocument(), markerName_, openClosed, &found)
                     : XRefSourceLookup::Local(db_, markerName_, &found);
    if (found.changed) {
      sourceState_ = found.state;
      sourceMessage_ = found.message;
    }
    return marker;
  }

  ErrorCode GoToSource() override {
    IDataBase* sourceDB = db_;
    if (IsExternal()) {
      const IDFile file = GetSourceDocument();
      const UIDRef doc = XRefSourceLookup::FindOpenDocument(file, false);
      if (!doc.GetDataBase()) {
        CAlert::ErrorAlert(XRefSourceLookup::Message("QX#0xF2C#kXRefSourceDocumentIsNotOpened",
                                                     XRefSourcePath::PathText(file)));
        return kFailure;
      }
      XRefCrossRefContainer::ShowDocument(doc);
      sourceDB = doc.GetDataBase();
    }
    InterfacePtr<IXRefSourceMarkerList> list(sourceDB, sourceDB->GetRootUID());
    InterfacePtr<IXRefSourceMarker> marker(list ? list->QueryMarkerByName(markerName_) : nullptr);
    InterfacePtr<IXRefTextUtils> utils(UtilsBoss::QueryUtils<IXRefTextUtils>());
    if (!marker || !utils) {
      CAlert::ErrorAlert(XRefSourceLookup::Message("QX#0xF2C#kXRefCantFindSourceMarkerKey", markerName_));
      return kFailure;
    }
    utils->SelectSourceMarker(::GetUIDRef(marker.get()));
    return kSuccess;
  }

  void SetSourceMarkerName(const PMString& name) override {
    if (name == markerName_) return;
    PreDirty();
    markerName_ = name;
    markerName_.SetTranslated();
  }
  PMString GetSourceMarkerName() const override { return markerName_; }

  void SetFormat(const PMString& name, const PMString& format) override {
    if (name == formatName_ && format == format_) return;
    PreDirty();
    formatName_ = name;
    format_ = format;
  }
  PMString GetFormatName() const override { return formatName_; }
  PMString GetFormatString() const override { return format_; }

  void SetStartMarker(UID marker) override {
    if (marker == startMarker_) return;
    PreDirty();
    startMarker_ = marker;
  }
  UID GetStartMarker() const override { return startMarker_; }
  void SetEndMarker(UID marker) override {
    if (marker == endMarker_) return;
    PreDirty();
    endMarker_ = marker;
  }
  UID GetEndMarker() const override { return endMarker_; }

  UIDRef GetStoryRef() const override {
    InterfacePtr<IOwnedItem> start(db_, startMarker_, IID_IOWNEDITEM);
    return start ? start->GetStoryRef() : UIDRef();
  }
  ITextModel* QueryStoryModel() const override {
    InterfacePtr<ITextModel> story(GetStoryRef());
    return story.forget();
  }
  TextIndex GetStartIndex() const override {
    InterfacePtr<IOwnedItem> start(db_, startMarker_, IID_IOWNEDITEM);
    return start ? start->GetTextIndex() + 1 : 0;
  }
  TextIndex GetEndIndex() const override {
    InterfacePtr<IOwnedItem> end(db_, endMarker_, IID_IOWNEDITEM);
    return end ? end->GetTextIndex() : 0;
  }
  int32 GetTextLength() const override { return GetEndIndex() - GetStartIndex(); }
  bool EndInSameStory() const {
    InterfacePtr<IOwnedItem> end(db_, endMarker_, IID_IOWNEDITEM);
    return end && end->GetStoryRef() == GetStoryRef();
  }

  bool16 HasStartContainer() const override { return GetStartContainerRef().GetDataBase() != nullptr; }
  UIDRef GetStartContainerRef() const override {
    if (GetStartIndex() - 1 < 0) return UIDRef();
    return XRefCrossRefContainer::At(GetStoryRef(), GetStartIndex() - 1);
  }

  PMString ComposeText() override {
    InterfacePtr<IXRefSourceMarker> marker(QuerySourceMarker(false));
    PMString text, message;
    if (marker) Preview(marker.get(), &text, &message);
    return text;
  }

  void SetUpdateTime() override {
    PreDirty();
    updateTime_ = GlobalTime::CurrentTime();
  }
  GlobalTime GetUpdateTime() const override { return updateTime_; }

  PMString GetDisplayText() override {
    if (displayText_.IsEmpty()) displayText_ = GetCurrentText(true);
    return displayText_;
  }

  PMString GetCurrentText(bool16 whiteSpaceAsBlanks) const override {
    PMString text;
    text.SetTranslatable(false);
    InterfacePtr<ITextModel> story(QueryStoryModel());
    const TextIndex end = GetEndIndex();
    if (!story) return text;
    WideString chars;
    for (TextIterator it(story.get(), GetStartIndex()); !it.IsNull() && it.Position() < end; ++it) {
      const UTF32TextChar c = *it;
      chars.Append(whiteSpaceAsBlanks && UnicodeClass::IsWhiteSpace(c) ? UTF32TextChar(kTextChar_Space) : c);
    }
    text.Append(chars);
    return text;
  }

  PMString ComposeUntranslatedText() override {
    PMString text = ComposeText();
    text.SetTranslatable(false);
    return text;
  }

  PMString GetSourceStateMessage() override {
    if (sourceMessage_.IsEmpty()) sourceMessage_ = Translated("QX#0xF2C#kXRefUnknownSourceStateKey");
    return sourceMessage_;
  }
  PMString GetCompositionStateMessage() override {
    if (compositionMessage_.IsEmpty()) compositionMessage_ = Translated("QX#0xF2C#kXRefUnknownCompositionStateKey");
    return compositionMessage_;
  }

  bool16 NeedsUpdate() override {
    if (sourceState_ > 0 && IsSourceBroken()) return false;
    if (compositionState_ > 0 && failureCount_ > 1) return false;
    if (IsCompositionFailed()) return true;
    if (!XRefQuoteEquality::Equal(ComposeUntranslatedText(), GetCurrentText(false))) return true;
    LineInfo now;
    return !ReadSnapshot(&now) || !SameSnapshot(now, snapshot_);
  }

  void Update(bool16 openClosed) override {
    if (!MarkersAllowUpdate()) return;
    InterfacePtr<ITextModel> story(QueryStoryModel());
    InterfacePtr<ITextModelCmds> edit(story.get(), IID_ITEXTMODELCMDS);
    InterfacePtr<ILineInfo> lines(story.get(), IID_ILINEINFO);
    InterfacePtr<IStoryLock> lock(story.get(), IID_ISTORYLOCK);
    if (!story || !edit || !lines || !lock) return;
    RepairSourcePath();
    InterfacePtr<IXRefSourceMarker> marker(QuerySourceMarker(openClosed));
    const bool locked = lock->IsLocked();
    if (marker && locked) {
      compositionState_ = 1;
      compositionMessage_ = Translated("QX#0xF2C#kXRefCrossRefLockedKey");
    } else if (marker && !(Unchanged(marker.get()) ? Stamp() : Recompose(story.get(), edit.get(), marker.get()))) {
      return;
    }
    if (!locked) Tag(edit.get());
    failureCount_ = compositionState_ == 0 ? 0 : failureCount_ + 1;
    // Taken once the new text is in, so that the next check compares the
    // line as this update left it rather than as it found it (the line as
    // found is never read: laying the story out for it would be undone by the
    // new text). Without line information the snapshot is empty, and the
    // next check, which cannot read one either, finds the text out of date.
    if (!ReadSnapshot(&snapshot_)) snapshot_ = LineInfo();
  }

  bool16 IsCompositionFailed() const override { return compositionState_ > 0; }

  bool16 IsSourceBroken() override {
    InterfacePtr<IXRefSourceMarker> marker(QuerySourceMarker(false));
    return sourceState_ > 0;
  }

  int32 GetSourceState() const override { return sourceState_; }
  int32 GetCompositionState() const override { return compositionState_; }

  XRefEvaluation Evaluate() override {
    XRefEvaluation e;
    InterfacePtr<IXRefSourceMarker> marker(QuerySourceMarker(false));
    e.sourceFound = marker != nullptr;
    e.sourceMessage = GetSourceStateMessage();
    InterfacePtr<IStoryLock> lock(GetStoryRef(), IID_ISTORYLOCK);
    e.locked = lock && lock->IsLocked();
    if (!marker) return e;
    // Markers that an update would refuse to write between fail it, as the
    // update itself does.
    const XRefCrossRefGeometry geometry = XRefCrossRefGeometry::Of(db_, ::GetUID(this), true);
    if (BlocksUpdate(geometry.fault)) {
      e.compositionMessage = MarkerFaultMessage(geometry.fault);
      return e;
    }
    e.composes = Preview(marker.get(), &e.composed, &e.compositionMessage);
    e.upToDate = e.composes && XRefQuoteEquality::Equal(e.composed, GetCurrentText(false));
    if (e.composes && !e.upToDate) e.compositionMessage = Translated("QX#0xF2C#kXRefCompositionOutOfDateKey");
    return e;
  }

  void ReadWrite(IPMStream* s, ImplementationID) {
    markerName_.ReadWrite(s);
    ReadWritePath(s, &sourcePath_);
    ReadWritePath(s, &relativePath_);
    formatName_.ReadWrite(s);
    format_.ReadWrite(s);
    s->XferReference(startMarker_);
    s->XferReference(endMarker_);
    updateTime_.ReadWrite(s);
    if (!s->IsReading()) return;
    markerName_.SetTranslated();
    sourceState_ = compositionState_ = -1;
    sourceMessage_.clear();
    compositionMessage_.clear();
    displayText_.clear();
    failureCount_ = 0;
  }

private:
  static void ReadWritePath(IPMStream* s, APath* path) {
    WideString text = WideString::FromUTF8(path->GetString());
    text.ReadWrite(s);
    if (s->IsReading()) *path = APath(text.GetUTF8String());
  }

  IDFile DocumentFile() const {
    InterfacePtr<IDocument> doc(db_, db_->GetRootUID());
    return doc ? doc->GetFile() : IDFile();
  }

  // Text is replaced only between sound markers: a marker gone, misplaced or
  // not this cross-reference's, or an object anchored between them, would
  // have the update destroy text or write it elsewhere. Then nothing changes
  // and the cross-reference reports a failure. Without a start marker there
  // is no text to touch, and nothing to report.
  bool MarkersAllowUpdate() {
    const XRefCrossRefGeometry geometry = XRefCrossRefGeometry::Of(db_, ::GetUID(this), true);
    if (geometry.fault == XRefCrossRefGeometry::kSound) return true;
    if (!BlocksUpdate(geometry.fault)) return false;
    displayText_.clear();
    compositionState_ = 1;
    compositionMessage_ = MarkerFaultMessage(geometry.fault);
    ++failureCount_;
    return false;
  }

  static bool BlocksUpdate(XRefCrossRefGeometry::Fault fault) {
    return fault != XRefCrossRefGeometry::kSound && fault != XRefCrossRefGeometry::kStartMissing;
  }

  static PMString MarkerFaultMessage(XRefCrossRefGeometry::Fault fault) {
    return Translated(fault == XRefCrossRefGeometry::kEndMissing ? "QX#0xF2C#kXRefEndMarkerMissingKey"
                                                                 : "QX#0xF2C#kXRefTextMarkersMisplacedKey");
  }

  // The line holding the character before the start marker. An anchor in
  // overset text, or a story without frames, has no line: its snapshot is
  // empty, which is what it is compared with next time.
  bool ReadSnapshot(LineInfo* info) const {
    InterfacePtr<ILineInfo> lines(GetStoryRef(), IID_ILINEINFO);
    if (!lines) return false;
    if (!lines->GetLineInfo(GetStartIndex() - 1, info)) *info = LineInfo();
    return true;
  }

  // The document moved with its source: the file is found again through the
  // relative path, and the absolute path follows it.
  void RepairSourcePath() {
    const IDFile absolute = sourcePath_.IsAbsolute() ? sourcePath_.GetIDFile() : IDFile();
    const IDFile relative = XRefSourcePath::Absolute(relativePath_, DocumentFile());
    if (absolute == relative) return;
    if (!absolute.IsEmpty() && absolute.Exists())
      SetSourceDocument(absolute);
    else if (!relative.IsEmpty() && relative.Exists())
      SetSourceDocument(relative);
  }

  // The plain text the format gives now, written nowhere. False, with the
  // composition message, when composing would fail: no place to compose at,
  // a format that does not parse, or problems a building block or a character
  // style reports.
  bool Preview(IXRefSourceMarker* marker, PMString* text, PMString* message) {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IXRefPreviewer> previewer(utils ? utils->QueryPreviewer() : nullptr);
    InterfacePtr<IXRefComposerState> state(previewer.get(), IID_IXREFCOMPOSERSTATE);
    const UIDRef source = marker->GetStoryRef();
    InterfacePtr<ITextModel> story(QueryStoryModel());
    // Without a place in a story the composer would have nowhere to write,
    // and the previewer would give sample values for the destination: the
    // source stands in for it, so the text still comes from the source.
    const bool placed = story && GetStartIndex() > 0 && GetStartIndex() < story->TotalLength();
    const UIDRef dest = placed ? GetStoryRef() : source;
    const TextIndex destIndex = placed ? GetStartIndex() : marker->GetTextIndex();
    const ErrorCode previewed =
        previewer ? previewer->Preview(text, format_, source.GetDataBase(), source.GetUID(), marker->GetTextIndex(),
                                       dest.GetDataBase() ? dest.GetDataBase() : db_, dest.GetUID(), destIndex)
                  : kFailure;
    if (previewed != kSuccess || !placed || !state) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      *message = Translated("QX#0xF2C#kXRefCompositionFailedKey");
      return false;
    }
    if (state->GetErrorCount() != 0) {
      *message = state->GetErrorText();
      return false;
    }
    *message = Translated("QX#0xF2C#kXRefCompositionOKKey");
    return true;
  }

  // Replaces the text between the markers with what the format gives; false
  // when a host object or command failed, with the states untouched.
  bool Recompose(ITextModel* story, ITextModelCmds* edit, IXRefSourceMarker* marker) {
    displayText_.clear();
    InterfacePtr<IBoolData> updating(this, IID_IXREFBEINGUPDATED);
    if (!updating) return false;
    ErrorCode composed = kSuccess;
    InterfacePtr<IXRefComposer> composer;
    {
      FlagScope scope(updating.get());
      const TextIndex start = GetStartIndex();
      // Only text between markers of one story is replaced: a move of text
      // may have carried one marker to another story, and the end marker's
      // index means nothing in the start marker's.
      const TextIndex end = EndInSameStory() ? std::min(GetEndIndex(), story->TotalLength() - 1) : start;
      if (end - start > 0 && !ProcessMerged(InterfacePtr<ICommand>(edit->DeleteCmd(start, end - start)).get()))
        return false;
      InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
      composer.reset(utils ? utils->QueryComposer() : nullptr);
      if (!composer) return false;
      const UIDRef source = marker->GetStoryRef();
      const UIDRef dest = GetStoryRef();
      composed = composer->Compose(format_, source.GetDataBase(), source.GetUID(), marker->GetTextIndex(),
                                   dest.GetDataBase(), dest.GetUID(), GetStartIndex());
    }
    if (composed != kSuccess) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      compositionState_ = 1;
      compositionMessage_ = Translated("QX#0xF2C#kXRefCompositionFailedKey");
      return true;
    }
    InterfacePtr<IXRefComposerState> state(composer.get(), IID_IXREFCOMPOSERSTATE);
    if (!state) return false;
    if (state->GetErrorCount() != 0) {
      compositionState_ = 1;
      compositionMessage_ = state->GetErrorText();
      return true;
    }
    return Stamp();
  }

  // The text between the markers is what the format gives, compared as
  // NeedsUpdate and a check compare it, and the format composes: rewriting
  // it would change nothing but the undo history.
  // No text yet (a new cross-reference) needs no preview: composing an empty
  // text again ends as the stamp would.
  bool Unchanged(IXRefSourceMarker* marker) {
    if (!EndInSameStory()) return false;
    const PMString current = GetCurrentText(false);
    if (current.IsEmpty()) return false;
    PMString composed, message;
    return Preview(marker, &composed, &message) && XRefQuoteEquality::Equal(composed, current);
  }

  // A successful composition: the update time and the state say so.
  bool Stamp() {
    displayText_.clear();
    InterfacePtr<ICommand> stamp(
        XRefCommandUtils::CreateCommand(kXRefSetCrossRefUpdateTimeCmdBoss, UIDList(::GetUIDRef(this))));
    if (!ProcessMerged(stamp.get())) return false;
    compositionState_ = 0;
    compositionMessage_ = Translated("QX#0xF2C#kXRefCompositionOKKey");
    return true;
  }

  // Marks the text as this cross-reference's through the attribute that
  // carries its UID.
  void Tag(ITextModelCmds* edit) {
    const int32 length = GetTextLength();
    if (length <= 0) return;
    InterfacePtr<ITextAttrUID> attr(CreateObject<ITextAttrUID>(kXRefCrossRefAttrBoss));
    if (!attr) return;
    attr->Set(::GetUID(this));
    AttributeBossList list;
    list.ApplyAttribute(attr->ToAttribute());
    ProcessMerged(InterfacePtr<ICommand>(edit->ApplyCmd(GetStartIndex(), length, list)).get());
  }

  IDataBase* db_;
  UID startMarker_ = kInvalidUID;
  UID endMarker_ = kInvalidUID;
  APath sourcePath_;
  APath relativePath_;
  PMString markerName_;
  PMString formatName_;
  PMString format_;
  PMString displayText_;
  int32 sourceState_ = -1;
  PMString sourceMessage_;
  int32 compositionState_ = -1;
  PMString compositionMessage_;
  int32 failureCount_ = 0;
  GlobalTime updateTime_;
  LineInfo snapshot_;
};
}  // namespace

CREATE_PERSIST_PMINTERFACE(XRefCrossRef, kXRefCrossRefImpl);

// Changing existing cross-references: format, source, relinking, turning
// them into text, hyperlinks and modifying them; what insertion, conversion
// and hyperlinks refuse.
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/ICharAttrStrand.h"
#include "host/IDocument.h"
#include "host/IHyperlinks.h"
#include "host/ITextHolder.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryLock.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
const std::string kAnchor = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

class CrossRefChanges : public ::testing::Test {
protected:
  void SetUp() override {
    doc_ = app_->NewDocument();
    source_ = MakeStory(doc_, "Top\rMiddle");
    top_ = InsertMarker(doc_, source_, 0, "Top");
    mid_ = InsertMarker(doc_, source_, 5, "Mid");
    story_ = MakeStory(doc_, "See  and ");
    InterfacePtr<IDocument> document(doc_, kRootUID);
    InterfacePtr<IXRefFormats> formats(document->GetDocWorkspace());
    formats->AddFormat(PMString("Quoted"), PMString("\"<paratext/>\""));
    app_->Alerts().Clear();
  }
  void TearDown() override { app_->Alerts().CancelProgressAt(-1); }

  UID Insert(TextIndex at, const std::string& marker, bool hyperlink = false) {
    CrossRefRequest r;
    r.start = at;
    r.marker = marker;
    r.hyperlink = hyperlink;
    return InsertCrossRef(doc_, story_, r);
  }
  ErrorCode SetFormat(UID x, const std::string& name, const std::string& markup) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefSetCrossRefFormatCmdBoss));
    cmd->SetItemList(UIDList(doc_, x));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)
        ->SetFormatData(PMString(name.c_str()), PMString(markup.c_str()));
    return CmdUtils::ProcessCommand(cmd.get());
  }
  ErrorCode Modify(UID x, const std::string& marker, const std::string& markup, bool hyperlink) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefModifyCrossRefCmdBoss));
    cmd->SetItemList(UIDList(doc_, x));
    InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(marker.c_str()));
    InterfacePtr<IXRefFormatData>(cmd.get(), IID_IXREFFORMATDATA)->SetFormatData(PMString(), PMString(markup.c_str()));
    InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(hyperlink);
    return CmdUtils::ProcessCommand(cmd.get());
  }
  ErrorCode ConvertToText(const UIDList& items) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefConvertCrossRefToTextCmdBoss));
    cmd->SetItemList(items);
    return CmdUtils::ProcessCommand(cmd.get());
  }
  UIDList Both(UID x, UID y) const {
    UIDList list(doc_, x);
    list.Append(y);
    return list;
  }
  InterfacePtr<IHyperlinkList> Hyperlinks(IDataBase* db) const { return InterfacePtr<IHyperlinkList>(db, kRootUID); }

  TestApp app_;
  DataBase* doc_ = nullptr;
  UID source_ = kInvalidUID, story_ = kInvalidUID, top_ = kInvalidUID, mid_ = kInvalidUID;
};
}  // namespace

TEST_F(CrossRefChanges, ANamedFormatComesFromTheListAndAnEmptyNameKeepsTheMarkupAsItsOwn) {
  const UID x = Insert(4, "Top");
  ASSERT_EQ(kSuccess, SetFormat(x, "quoted", "ignored <paratext/>"));
  EXPECT_EQ("\"Top\"", CurrentText(doc_, x));
  // The name as given; lookups ignore its case.
  EXPECT_EQ("quoted", CrossRef(doc_, x)->GetFormatName().GetUTF8String());
  EXPECT_EQ(1, CrossRefList(doc_)->GetCrossRefsByFormat(PMString("QUOTED")).Length());

  ASSERT_EQ(kSuccess, SetFormat(x, "", "[<paratext/>]"));
  EXPECT_EQ("[Top]", CurrentText(doc_, x));
  EXPECT_EQ("", CrossRef(doc_, x)->GetFormatName().GetUTF8String());
  EXPECT_EQ("[<paratext/>]", CrossRef(doc_, x)->GetFormatString().GetUTF8String());
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefsByFormat(PMString("Quoted")).Length());
}

TEST_F(CrossRefChanges, AnUnknownFormatNameFailsAndChangesNothing) {
  const UID x = Insert(4, "Top");
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kXRefFormatNotFoundError, SetFormat(x, "Nowhere", "[<paratext/>]"));
  EXPECT_EQ(ErrorCode{0xF2C0C}, kXRefFormatNotFoundError);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ("Top", CurrentText(doc_, x));
}

TEST_F(CrossRefChanges, SettingTheSourceRecomposesFromTheNewMarkerAndReindexes) {
  const UID x = Insert(4, "Top");
  ASSERT_EQ(1, CrossRefList(doc_)->GetCrossRefsBySourceMarker(PMString("top")).Length());
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefSetCrossRefSourceMarkerCmdBoss));
  cmd->SetItemList(UIDList(doc_, x));
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString("Mid"));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  EXPECT_EQ("Middle", CurrentText(doc_, x));
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefsBySourceMarker(PMString("top")).Length());
  EXPECT_EQ(1, CrossRefList(doc_)->GetCrossRefsBySourceMarker(PMString("mid")).Length());
  EXPECT_EQ("QX#0xF2C#kXRefSetCrossRefSourceMarkerCmdKey", doc_->UndoName());
}

TEST_F(CrossRefChanges, RelinkingChangesOnlyTheFileAndDoesNotOpenIt) {
  TempDir dir;
  const UID x = Insert(4, "Top");
  const UID y = Insert(4, "Mid");
  const std::string path = dir.File("elsewhere.xref");
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefRelinkCrossRefCmdBoss));
  cmd->SetItemList(Both(x, y));
  InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(IDFile(path));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  for (UID uid : {x, y}) {
    auto crossRef = CrossRef(doc_, uid);
    EXPECT_TRUE(crossRef->IsExternal());
    EXPECT_EQ(path, crossRef->GetSourceDocument().GetPath());
    EXPECT_EQ(1, crossRef->GetSourceState());
  }
  EXPECT_EQ("Top", CrossRef(doc_, x)->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ("Mid", CrossRef(doc_, y)->GetSourceMarkerName().GetUTF8String());
  // A broken source keeps the text as it was.
  EXPECT_EQ("Middle", CurrentText(doc_, y));
  EXPECT_EQ(2, CrossRefList(doc_)->GetBrokenExternalCount());
}

TEST_F(CrossRefChanges, ConvertingLeavesPlainTextThatNamesNoCrossReferenceAndUndoBringsItBack) {
  const UID x = Insert(4, "Top");
  const std::string before = DocumentBytes(doc_);
  const UID start = CrossRef(doc_, x)->GetStartMarker(), end = CrossRef(doc_, x)->GetEndMarker();
  ASSERT_EQ(kSuccess, ConvertToText(UIDList(doc_, x)));
  EXPECT_EQ("See Top and \r", StoryText(doc_, story_));
  EXPECT_EQ(0, CrossRefList(doc_)->GetCrossRefCount());
  for (UID gone : {x, start, end}) EXPECT_FALSE(doc_->IsValidUID(gone)) << UIDValue(gone);
  auto strand = StrandOf<ICharAttrStrand>(doc_, story_, kCharAttrStrandBoss);
  for (TextIndex at = 4; at < 7; ++at) {
    TextAttribute tag;
    if (strand->GetOverride(at, kXRefCrossRefAttrBoss, &tag)) {
      EXPECT_EQ(0, tag.intValue) << at;
    }
  }
  EXPECT_EQ("QX#0xF2C#kXRefConvertCrossRefToTextCmdKey", doc_->UndoName());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ("Top", CurrentText(doc_, x));
}

TEST_F(CrossRefChanges, ACancelledConversionKeepsThoseAlreadyConverted) {
  const UID x = Insert(4, "Top");
  const UID y = Insert(CrossRef(doc_, x)->GetEndIndex() + 6, "Mid");
  ASSERT_EQ("See " + kAnchor + "Top" + kAnchor + " and " + kAnchor + "Middle" + kAnchor + "\r",
            StoryText(doc_, story_));
  app_->Alerts().CancelProgressAt(1);
  ASSERT_EQ(kSuccess, ConvertToText(Both(x, y)));
  EXPECT_EQ("See Top and " + kAnchor + "Middle" + kAnchor + "\r", StoryText(doc_, story_));
  EXPECT_EQ(std::vector<UID>{y}, UIDsOf(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ("Middle", CurrentText(doc_, y));
  EXPECT_EQ("QX#0xF2C#kXRefConvertCrossRefsToTextCmdKey", doc_->UndoName());
}

TEST_F(CrossRefChanges, AHyperlinkGoesFromTheCrossReferenceToADestinationAtItsMarker) {
  const std::string before = DocumentBytes(doc_);
  const UID x = Insert(4, "Mid", true);
  ASSERT_NE(kInvalidUID, x);
  auto crossRef = CrossRef(doc_, x);
  auto links = Hyperlinks(doc_);
  ASSERT_EQ(1, links->GetHyperlinkCount());
  InterfacePtr<IHyperlink> link(doc_, links->GetNthHyperlink(0));
  EXPECT_TRUE(link->IsVisible());
  EXPECT_EQ("Middle", link->GetName().GetUTF8String());
  // The source spans the cross-reference with its marker characters and is
  // what holds its start.
  EXPECT_EQ(UIDRef(doc_, link->GetSourceUID()), crossRef->GetStartContainerRef());
  InterfacePtr<ITextHolder> range(doc_, link->GetSourceUID());
  EXPECT_EQ(crossRef->GetStartIndex() - 1, range->GetStart());
  EXPECT_EQ(crossRef->GetTextLength() + 2, range->GetLength());
  // The destination sits right after the source marker, under its name.
  InterfacePtr<IHyperlinkDestination> destination(doc_, link->GetDestinationUID());
  EXPECT_EQ("Mid", destination->GetName().GetUTF8String());
  EXPECT_EQ(Marker(doc_, mid_)->GetTextIndex() + 1, destination->GetIndex());
  EXPECT_EQ(UIDRef(doc_, link->GetDestinationUID()), Marker(doc_, mid_)->GetHyperlinkDestination());

  // A second cross-reference to the same marker shares its destination.
  const UID y = Insert(0, "Mid", true);
  EXPECT_EQ(2, links->GetHyperlinkCount());
  EXPECT_EQ(1, links->GetDestinationCount());
  ASSERT_TRUE(doc_->Undo());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(0, Hyperlinks(doc_)->GetHyperlinkCount());
  EXPECT_EQ(0, Hyperlinks(doc_)->GetDestinationCount());
  InterfacePtr<ITextHolderList> holders(doc_, kRootUID);
  EXPECT_EQ(0, holders->GetHolderCount());
  EXPECT_FALSE(Marker(doc_, mid_)->GetHyperlinkDestination().GetDataBase());
  (void)y;
}

TEST_F(CrossRefChanges, AHyperlinkSurvivesSavingAndReopening) {
  TempDir dir;
  const UID x = Insert(4, "Top", true);
  const std::string path = dir.File("linked.xref");
  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, path, &error)) << error;
  app_->CloseDocument(doc_);
  DataBase* db = app_->OpenDocument(path, &error);
  ASSERT_TRUE(db) << error;
  auto links = Hyperlinks(db);
  ASSERT_EQ(1, links->GetHyperlinkCount());
  InterfacePtr<IHyperlink> link(db, links->GetNthHyperlink(0));
  EXPECT_EQ("Top", link->GetName().GetUTF8String());
  EXPECT_EQ(UIDRef(db, link->GetSourceUID()), CrossRef(db, x)->GetStartContainerRef());
  EXPECT_EQ(link->GetDestinationUID(), links->FindDestination(PMString("TOP")));
  EXPECT_EQ(UIDRef(db, link->GetDestinationUID()), Marker(db, top_)->GetHyperlinkDestination());
  app_->CloseDocument(db);
}

TEST_F(CrossRefChanges, TheHyperlinkFollowsItsTextThroughEditsAndUpdates) {
  const UID x = Insert(4, "Top", true);
  InterfacePtr<ITextHolder> range(CrossRef(doc_, x)->GetStartContainerRef(), IID_ITEXTHOLDER);
  ASSERT_TRUE(range);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->InsertCmd(0, WideString(u">> "))));
  EXPECT_EQ(CrossRef(doc_, x)->GetStartIndex() - 1, range->GetStart());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, source_)->InsertCmd(1, WideString(u"Tip "))));
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc_, x)));
  EXPECT_EQ("Tip Top", CurrentText(doc_, x));
  EXPECT_EQ(CrossRef(doc_, x)->GetTextLength() + 2, range->GetLength());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(0, 3)));
  EXPECT_EQ(4, range->GetStart());
  EXPECT_EQ(CrossRef(doc_, x)->GetTextLength() + 2, range->GetLength());
}

TEST_F(CrossRefChanges, ModifyingWithoutTheHyperlinkFlagRemovesTheHyperlink) {
  const UID x = Insert(4, "Top", true);
  ASSERT_EQ(1, Hyperlinks(doc_)->GetHyperlinkCount());
  ASSERT_EQ(kSuccess, Modify(x, "Mid", "<paratext/>!", false));
  EXPECT_EQ("Middle!", CurrentText(doc_, x));
  EXPECT_EQ("Mid", CrossRef(doc_, x)->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ(0, Hyperlinks(doc_)->GetHyperlinkCount());
  EXPECT_FALSE(CrossRef(doc_, x)->GetStartContainerRef().GetDataBase());
  EXPECT_EQ("QX#0xF2C#kXRefModifyCrossRefCmdKey", doc_->UndoName());

  // With the flag, the hyperlink is made anew to the new source.
  ASSERT_EQ(kSuccess, Modify(x, "Top", "<paratext/>", true));
  ASSERT_EQ(1, Hyperlinks(doc_)->GetHyperlinkCount());
  InterfacePtr<IHyperlink> link(doc_, Hyperlinks(doc_)->GetNthHyperlink(0));
  InterfacePtr<IHyperlinkDestination> destination(doc_, link->GetDestinationUID());
  EXPECT_EQ("Top", destination->GetName().GetUTF8String());
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(0, Hyperlinks(doc_)->GetHyperlinkCount());
}

TEST_F(CrossRefChanges, RenamingWithReferencesIsOneStepThatQueuesTheCrossReferences) {
  InstallRecordingScheduler();
  DataBase* doc = app_->NewDocument();
  const UID source = MakeStory(doc, "Top");
  const UID marker = InsertMarker(doc, source, 0, "Top");
  const UID story = MakeStory(doc, "");
  CrossRefRequest r;
  r.marker = "Top";
  r.format = "<marker/>";
  const UID x = InsertCrossRef(doc, story, r);
  ASSERT_EQ("Top", CurrentText(doc, x));
  const int32 depth = doc->UndoDepth();
  SchedulerReports().clear();
  ASSERT_EQ(kSuccess, RenameMarker(doc, marker, "Summit", true));
  EXPECT_EQ(depth + 1, doc->UndoDepth());
  EXPECT_EQ("Summit", CrossRef(doc, x)->GetSourceMarkerName().GetUTF8String());
  ASSERT_EQ(1u, SchedulerReports().size());
  EXPECT_EQ(doc, SchedulerReports()[0].db);
  EXPECT_EQ(kInvalidUID, SchedulerReports()[0].changed);
  EXPECT_FALSE(SchedulerReports()[0].externalOnly);
  // What the queue then does: the text follows the new name.
  ASSERT_EQ(kSuccess, UpdateCrossRefs(UIDList(doc, x)));
  EXPECT_EQ("Summit", CurrentText(doc, x));
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ("Top", CrossRef(doc, x)->GetSourceMarkerName().GetUTF8String());
  EXPECT_EQ("Top", NameOf(doc, marker));
}

TEST_F(CrossRefChanges, NothingIsInsertedInsideACrossReferencesTextButBesideItIs) {
  const UID x = Insert(4, "Top");  // "See " [4] "Top" [8] " and "
  const std::string before = DocumentBytes(doc_);
  for (TextIndex inside : {5, 7, 8}) {
    SCOPED_TRACE(inside);
    ErrorCode err = kSuccess;
    CrossRefRequest r;
    r.start = inside;
    r.marker = "Mid";
    EXPECT_EQ(kInvalidUID, InsertCrossRef(doc_, story_, r, &err));
    EXPECT_EQ(kXRefInsideCrossRefError, err);
    EXPECT_EQ(kInvalidUID, InsertMarker(doc_, story_, inside, "Inner"));
    EXPECT_EQ(before, DocumentBytes(doc_));
  }
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  // Right before its start marker and right after its end marker.
  EXPECT_NE(kInvalidUID, InsertMarker(doc_, story_, 9, "After"));
  EXPECT_NE(kInvalidUID, Insert(4, "Mid"));
  EXPECT_EQ("Top", CurrentText(doc_, x));
  ASSERT_EQ(kSuccess, UpdateCrossRefs(CrossRefList(doc_)->GetCrossRefs()));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
  EXPECT_EQ(3, MarkerList(doc_)->GetMarkerCount());
}

TEST_F(CrossRefChanges, ConvertingInALockedStoryIsRefusedAndChangesNothing) {
  const UID x = Insert(4, "Top");
  const UID y = Insert(0, "Mid");
  InterfacePtr<IStoryLock> lock(doc_, story_, IID_ISTORYLOCK);
  lock->SetLocked(true);
  const std::string before = DocumentBytes(doc_);
  EXPECT_EQ(kXRefStoryLockedError, ConvertToText(Both(x, y)));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(2, CrossRefList(doc_)->GetCrossRefCount());
  lock->SetLocked(false);
  ASSERT_EQ(kSuccess, ConvertToText(Both(x, y)));
  EXPECT_EQ("MiddleSee Top and \r", StoryText(doc_, story_));
}

TEST_F(CrossRefChanges, AHyperlinkIntoAnotherDocumentIsRefusedBeforeAnythingIsMade) {
  TempDir dir;
  const std::string before = DocumentBytes(doc_);
  CrossRefRequest r;
  r.start = 4;
  r.marker = "Top";
  r.source = IDFile(dir.File("other.xrefdoc"));
  r.hyperlink = true;
  ErrorCode err = kSuccess;
  EXPECT_EQ(kInvalidUID, InsertCrossRef(doc_, story_, r, &err));
  EXPECT_EQ(kXRefHyperlinkToOtherDocumentError, err);
  EXPECT_EQ(before, DocumentBytes(doc_));

  // Nor by modifying one, nor through the hyperlink command itself.
  const UID x = Insert(4, "Top");
  const std::string made = DocumentBytes(doc_);
  InterfacePtr<ICommand> modify(CmdUtils::CreateCommand(kXRefModifyCrossRefCmdBoss));
  modify->SetItemList(UIDList(doc_, x));
  InterfacePtr<IFileData>(modify.get(), IID_IFILEDATA)->Set(r.source);
  InterfacePtr<IStringData>(modify.get(), IID_ISTRINGDATA)->Set(PMString("Top"));
  InterfacePtr<IXRefFormatData>(modify.get(), IID_IXREFFORMATDATA)->SetFormatData(PMString(), PMString("<paratext/>"));
  InterfacePtr<IBoolData>(modify.get(), IID_IBOOLDATA)->Set(true);
  EXPECT_EQ(kXRefHyperlinkToOtherDocumentError, CmdUtils::ProcessCommand(modify.get()));
  EXPECT_EQ(made, DocumentBytes(doc_));
  r.hyperlink = false;
  const UID external = InsertCrossRef(doc_, story_, r);
  ASSERT_NE(kInvalidUID, external);
  EXPECT_EQ(kXRefHyperlinkToOtherDocumentError, RunOn(kXRefCreateCrossRefHyperlinkCmdBoss, UIDRef(doc_, external)));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(0, Hyperlinks(doc_)->GetDestinationCount());
}

TEST_F(CrossRefChanges, ARelinkMovesTheCrossReferenceInTheBuiltLookupsAndUndoMovesItBack) {
  TempDir dir;
  const IDFile from(dir.File("a.xrefdoc")), to(dir.File("b.xrefdoc"));
  CrossRefRequest r;
  r.start = 4;
  r.marker = "Top";
  r.source = from;
  const UID x = InsertCrossRef(doc_, story_, r);
  ASSERT_NE(kInvalidUID, x);
  auto list = CrossRefList(doc_);
  auto answers = [&](const IDFile& file) {
    return std::make_pair(UIDsOf(list->GetCrossRefsBySourceDocument(file)),
                          UIDsOf(list->GetCrossRefsBySource(file, PMString("top"))));
  };
  const auto found = std::make_pair(std::vector<UID>{x}, std::vector<UID>{x});
  const auto none = std::make_pair(std::vector<UID>{}, std::vector<UID>{});
  ASSERT_EQ(found, answers(from));  // the lookups are built before the relink
  ASSERT_EQ(none, answers(to));
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefRelinkCrossRefCmdBoss));
  cmd->SetItemList(UIDList(doc_, x));
  InterfacePtr<IFileData>(cmd.get(), IID_IFILEDATA)->Set(to);
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  EXPECT_EQ(none, answers(from));
  EXPECT_EQ(found, answers(to));
  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(found, answers(from));
  EXPECT_EQ(none, answers(to));
}

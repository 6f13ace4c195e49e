// The source-marker commands: each change one undo step that undo restores
// exactly, with the notifications and scheduler reports it owes; markers
// going with their anchors, across copy and paste, and through a file.
#include "commands/XRefCommandID.h"
#include "headless/objects/Clock.h"
#include "headless/objects/Host.h"
#include "host/Command.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/MemoryStream.h"
#include "headless/layout/StoryComposition.h"
#include "headless/text/TextClipboard.h"
#include "host/ILayout.h"
#include "host/IOwnedItem.h"
#include "host/IOwnedItemStrand.h"
#include "host/ISession.h"
#include "host/IStoryLock.h"
#include "host/StandardDataInterfaces.h"
#include "model/XRefModelID.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
const std::string kAnchor = "\xEF\xBB\xBF";  // U+FEFF in UTF-8

class SourceMarkerCommands : public ::testing::Test {
protected:
  void SetUp() override {
    InstallRecordingScheduler();
    TextClipboard::Clear();
    doc_ = app_->NewDocument();
    story_ = MakeStory(doc_, "Hello world");
  }
  void TearDown() override { TextClipboard::Clear(); }

  int32 AllCrossRefReports(IDataBase* db) const {
    int32 n = 0;
    for (const SchedulerReport& r : SchedulerReports()) n += r.db == db && r.changed == kInvalidUID;
    return n;
  }
  int32 ChangeReports(IDataBase* db, UID uid) const {
    int32 n = 0;
    for (const SchedulerReport& r : SchedulerReports()) n += r.db == db && r.changed == uid;
    return n;
  }
  TextIndex AnchorOf(IDataBase* db, UID story, UID marker) const {
    return StrandOf<IOwnedItemStrand>(db, story, kOwnedItemStrandBoss)->FindOwnedItem(marker);
  }

  VirtualClock clock_;
  TestApp app_{&clock_};
  DataBase* doc_ = nullptr;
  UID story_ = kInvalidUID;
};

std::vector<uint32> Changes(const RecordingObserver& observer) {
  std::vector<uint32> changes;
  for (const HeardChange& h : observer.Heard()) {
    EXPECT_EQ(IID_IXREFSOURCEMARKER, h.protocol);
    EXPECT_NE(nullptr, h.changedBy);
    changes.push_back(IdValue(h.change));
  }
  return changes;
}
}  // namespace

TEST_F(SourceMarkerCommands, InsertingIsOneUndoStepThatUndoRestoresExactly) {
  RecordingObserver observer;
  InterfacePtr<ISubject> subject(doc_, kRootUID, IID_ISUBJECT);
  ASSERT_TRUE(subject->AttachObserver(observer.Object(), IID_IXREFSOURCEMARKER));
  const std::string before = DocumentBytes(doc_);
  const int32 depth = doc_->UndoDepth();

  // Over a selection of "world": the selected text stays, the anchor goes first.
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
  cmd->SetItemList(UIDList(doc_, story_));
  InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(6, 5);
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString("World"));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(cmd.get()));
  ASSERT_EQ(1, cmd->GetItemList()->Length());
  const UID marker = cmd->GetItemList()->At(0);
  EXPECT_EQ("Hello " + kAnchor + "world\r", StoryText(doc_, story_));
  EXPECT_EQ(6, AnchorOf(doc_, story_, marker));
  EXPECT_EQ(6, Marker(doc_, marker)->GetTextIndex());
  EXPECT_EQ("World", NameOf(doc_, marker));
  EXPECT_EQ(0, Marker(doc_, marker)->GetMarkerTime().GetTime());
  EXPECT_EQ(std::vector<std::string>{"World"}, ListedNames(doc_));
  EXPECT_EQ(depth + 1, doc_->UndoDepth());
  EXPECT_EQ("QX#0xF2C#kXRefInsertSourceMarkerCmdKey", doc_->UndoName());
  // The list's own command reports first, then the insertion.
  EXPECT_EQ((std::vector<uint32>{0xF2C1B, 0xF2C20}), Changes(observer));
  EXPECT_EQ(cmd.get(), static_cast<ICommand*>(observer.Heard().back().changedBy));
  EXPECT_EQ(1, AllCrossRefReports(doc_));
  const std::string after = DocumentBytes(doc_);

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_FALSE(MarkerList(doc_)->HasMarker(PMString("World")));
  ASSERT_TRUE(doc_->Redo());
  EXPECT_EQ(after, DocumentBytes(doc_));
  EXPECT_TRUE(MarkerList(doc_)->HasMarker(PMString("world")));
  subject->DetachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
}

TEST_F(SourceMarkerCommands, AFailedInsertionSaysSoAndYieldsNoMarker) {
  auto insert = [&](const UIDList& items, TextIndex at, ErrorCode expected) {
    InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
    cmd->SetItemList(items);
    InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(at, 0);
    InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString("M"));
    EXPECT_EQ(expected, CmdUtils::ProcessCommand(cmd.get()));
    EXPECT_EQ(0, cmd->GetItemList()->Length());
  };
  const std::string before = DocumentBytes(doc_);
  insert(UIDList(doc_, story_), 99, kTextRangeError);
  insert(UIDList(doc_, story_), -1, kTextRangeError);
  UIDList two(doc_, story_);
  two.Append(story_);
  insert(two, 0, kInvalidParameterError);
  insert(UIDList(doc_), 0, kInvalidParameterError);
  insert(UIDList(doc_, kRootUID), 0, kInvalidParameterError);  // not a story
  InterfacePtr<IStoryLock>(doc_, story_, IID_ISTORYLOCK)->SetLocked(true);
  insert(UIDList(doc_, story_), 0, kStoryLockedError);
  InterfacePtr<IStoryLock>(doc_, story_, IID_ISTORYLOCK)->SetLocked(false);
  EXPECT_EQ(0, MarkerList(doc_)->GetMarkerCount());
  EXPECT_EQ(before, DocumentBytes(doc_));
}

namespace {
constexpr ImplementationID kTestFailingSetupCmdImpl{0x7A31};

// Stands in for the set-up command and fails with a code of its own.
class FailingSetupCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override { ErrorUtils::PMSetGlobalErrorCode(kOutOfMemoryError); }
};
}  // namespace

TEST_F(SourceMarkerCommands, AFailedSetUpKeepsItsOwnErrorCode) {
  std::vector<std::pair<PMIID, ImplementationID>> impls;
  ASSERT_TRUE(Host::Get().Classes().Resolve(kXRefSetupSourceMarkerCmdBoss, &impls));
  const auto command = std::find_if(impls.begin(), impls.end(), [](auto& e) { return e.first == IID_ICOMMAND; });
  ASSERT_NE(impls.end(), command);
  Host::Get().Impls().InstallHost<FailingSetupCmd>(kTestFailingSetupCmdImpl);
  Host::Get().Classes().AddIn(kXRefSetupSourceMarkerCmdBoss, {{IID_ICOMMAND, kTestFailingSetupCmdImpl}});

  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefInsertSourceMarkerCmdBoss));
  cmd->SetItemList(UIDList(doc_, story_));
  InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(0, 0);
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString("M"));
  const ErrorCode result = CmdUtils::ProcessCommand(cmd.get());
  Host::Get().Classes().AddIn(kXRefSetupSourceMarkerCmdBoss, {{IID_ICOMMAND, command->second}});
  EXPECT_EQ(kOutOfMemoryError, result);
  EXPECT_EQ(0, cmd->GetItemList()->Length());
  EXPECT_EQ(0, MarkerList(doc_)->GetMarkerCount());
}

TEST_F(SourceMarkerCommands, RenamingIsOneUndoStepAndLookupsSeeTheNewName) {
  const UID marker = InsertMarker(doc_, story_, 0, "Intro");
  const std::string before = DocumentBytes(doc_);
  RecordingObserver observer;
  InterfacePtr<ISubject> subject(doc_, kRootUID, IID_ISUBJECT);
  subject->AttachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
  SchedulerReports().clear();

  ASSERT_EQ(kSuccess, RenameMarker(doc_, marker, "Preface"));
  EXPECT_EQ("Preface", NameOf(doc_, marker));
  EXPECT_TRUE(MarkerList(doc_)->HasMarker(PMString("PREFACE")));
  EXPECT_FALSE(MarkerList(doc_)->HasMarker(PMString("Intro")));
  EXPECT_EQ("QX#0xF2C#kXRefModifySourceMarkerCmdKey", doc_->UndoName());
  EXPECT_EQ(std::vector<uint32>{0xF2C24}, Changes(observer));
  EXPECT_EQ(1, AllCrossRefReports(doc_));

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  // Undo reads the list back, so its index follows.
  EXPECT_TRUE(MarkerList(doc_)->HasMarker(PMString("Intro")));
  EXPECT_FALSE(MarkerList(doc_)->HasMarker(PMString("Preface")));

  SchedulerReports().clear();
  ASSERT_EQ(kSuccess, RenameMarker(doc_, marker, "Foreword", true));
  EXPECT_TRUE(MarkerList(doc_)->HasMarker(PMString("Foreword")));
  EXPECT_EQ(1, AllCrossRefReports(doc_));

  EXPECT_EQ(kObjectNotFoundError, RenameMarker(doc_, story_, "Story"));
  subject->DetachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
}

TEST_F(SourceMarkerCommands, DeletingIsOneStepThatTakesTheMarkerOutOfTheList) {
  const UID first = InsertMarker(doc_, story_, 0, "First");
  const UID second = InsertMarker(doc_, story_, 7, "Second");
  const std::string before = DocumentBytes(doc_);
  RecordingObserver observer, appObserver;
  InterfacePtr<ISubject> subject(doc_, kRootUID, IID_ISUBJECT);
  InterfacePtr<ISubject> appSubject(GetExecutionContextSession(), IID_ISUBJECT);
  subject->AttachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
  appSubject->AttachObserver(appObserver.Object(), IID_IXREFSOURCEMARKER);
  SchedulerReports().clear();

  ASSERT_EQ(kSuccess, DeleteMarker(doc_, first));
  EXPECT_FALSE(doc_->IsValidUID(first));
  EXPECT_EQ(std::vector<std::string>{"Second"}, ListedNames(doc_));
  EXPECT_FALSE(MarkerList(doc_)->HasMarker(PMString("First")));
  // The command deletes the marker, not its character.
  EXPECT_EQ(kAnchor + "Hello " + kAnchor + "world\r", StoryText(doc_, story_));
  EXPECT_EQ(7, AnchorOf(doc_, story_, second));
  EXPECT_EQ("QX#0xF2C#kXRefDeleteSourceMarkerCmdKey", doc_->UndoName());
  EXPECT_EQ((std::vector<uint32>{0xF2C1C, 0xF2C22}), Changes(observer));
  EXPECT_EQ(std::vector<uint32>{0xF2C1C}, Changes(appObserver));
  EXPECT_EQ(1, AllCrossRefReports(doc_));

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ((std::vector<std::string>{"First", "Second"}), ListedNames(doc_));
  EXPECT_EQ(0, Marker(doc_, first)->GetTextIndex());

  // Only markers: the command refuses to delete anything else.
  EXPECT_NE(kSuccess, DeleteMarker(doc_, story_));
  EXPECT_TRUE(doc_->IsValidUID(story_));
  subject->DetachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
  appSubject->DetachObserver(appObserver.Object(), IID_IXREFSOURCEMARKER);
}

TEST_F(SourceMarkerCommands, DeletingTheAnchorCharacterDeletesTheMarker) {
  const UID marker = InsertMarker(doc_, story_, 6, "World");
  const UID kept = InsertMarker(doc_, story_, 0, "Hello");
  const std::string before = DocumentBytes(doc_);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->DeleteCmd(5, 4)));  // " \uFEFFwo"
  EXPECT_EQ(kAnchor + "Hellorld\r", StoryText(doc_, story_));
  EXPECT_FALSE(doc_->IsValidUID(marker));
  EXPECT_EQ(std::vector<std::string>{"Hello"}, ListedNames(doc_));
  EXPECT_EQ(0, Marker(doc_, kept)->GetTextIndex());
  // The text command names the step.
  EXPECT_NE("QX#0xF2C#kXRefDeleteSourceMarkerCmdKey", doc_->UndoName());

  ASSERT_TRUE(doc_->Undo());
  EXPECT_EQ(before, DocumentBytes(doc_));
  EXPECT_EQ(7, Marker(doc_, marker)->GetTextIndex());
  EXPECT_TRUE(MarkerList(doc_)->HasMarker(PMString("world")));
}

TEST_F(SourceMarkerCommands, CopyingIntoAnotherDocumentTakesAFreeNameThere) {
  const UID source = InsertMarker(doc_, story_, 0, "Intro");
  DataBase* other = app_->NewDocument();
  const UID otherStory = MakeStory(other, "Other text");
  InsertMarker(other, otherStory, 2, "intro");
  const std::string sourceBefore = DocumentBytes(doc_);
  const std::string targetBefore = DocumentBytes(other);
  SchedulerReports().clear();
  RecordingObserver observer;
  InterfacePtr<ISubject> subject(other, kRootUID, IID_ISUBJECT);
  subject->AttachObserver(observer.Object(), IID_IXREFSOURCEMARKER);

  const UID copy = CopyMarker(UIDRef(doc_, source), other);
  subject->DetachObserver(observer.Object(), IID_IXREFSOURCEMARKER);
  ASSERT_NE(kInvalidUID, copy);
  // The rename inside and the copy itself tell the target document.
  const std::vector<uint32> heard = Changes(observer);
  EXPECT_EQ(1, std::count(heard.begin(), heard.end(), IdValue(kXRefModifySourceMarkerCmdBoss)));
  EXPECT_EQ(1, std::count(heard.begin(), heard.end(), IdValue(kXRefCopySourceMarkerCmdBoss)));
  EXPECT_EQ("Intro (2)", NameOf(other, copy));
  EXPECT_EQ((std::vector<std::string>{"intro", "Intro (2)"}), ListedNames(other));
  // The copy is not anchored: whoever asked for it places it.
  EXPECT_FALSE(Marker(other, copy)->GetStoryRef().GetDataBase());
  EXPECT_EQ("QX#0xF2C#kXRefCopySourceMarkerCmdKey", other->UndoName());
  EXPECT_EQ(sourceBefore, DocumentBytes(doc_));
  EXPECT_EQ(0, AllCrossRefReports(doc_));
  // The rename leaves references alone and queues every cross-reference of
  // the target (renaming them would need its cross-reference list, and
  // queue nothing without one); listing the copy queues them again.
  EXPECT_EQ(2, AllCrossRefReports(other));

  ASSERT_TRUE(other->Undo());
  EXPECT_EQ(targetBefore, DocumentBytes(other));

  // Only source markers are copied.
  EXPECT_EQ(kInvalidUID, CopyMarker(UIDRef(doc_, story_), other));
  EXPECT_EQ(kInvalidUID, CopyMarker(UIDRef(doc_, UID{9999}), other));
  EXPECT_EQ(targetBefore, DocumentBytes(other));
}

TEST_F(SourceMarkerCommands, PastedMarkersAreCopiesAnchoredWhereTheTextWent) {
  InsertMarker(doc_, story_, 6, "World");
  DataBase* other = app_->NewDocument();
  const UID otherStory = MakeStory(other, "ab");
  InsertMarker(other, otherStory, 1, "World");
  const std::string targetBefore = DocumentBytes(other);

  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), 5, 3));  // " \uFEFFw"
  ASSERT_EQ(kSuccess, Process(CmdsOf(other, otherStory)->PasteCmd(0)));
  EXPECT_EQ(" " + kAnchor + "wa" + kAnchor + "b\r", StoryText(other, otherStory));
  auto list = MarkerList(other);
  ASSERT_EQ(2, list->GetMarkerCount());
  InterfacePtr<IXRefSourceMarker> pasted(list->QueryMarkerByName(PMString("World (2)")));
  ASSERT_TRUE(pasted);
  EXPECT_EQ(UIDRef(other, otherStory), pasted->GetStoryRef());
  EXPECT_EQ(1, pasted->GetTextIndex());
  // Listed in text order, before the marker that now follows it.
  EXPECT_EQ((std::vector<std::string>{"World (2)", "World"}), ListedNames(other));
  EXPECT_EQ(std::vector<std::string>{"World"}, ListedNames(doc_));

  ASSERT_TRUE(other->Undo());
  EXPECT_EQ(targetBefore, DocumentBytes(other));

  // Within one document the copy takes a free name there.
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc_, story_), 5, 3));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->PasteCmd(0)));
  InterfacePtr<IXRefSourceMarker> copy(MarkerList(doc_)->QueryMarkerByName(PMString("World (2)")));
  ASSERT_TRUE(copy);
  EXPECT_EQ(1, copy->GetTextIndex());
}

TEST_F(SourceMarkerCommands, SavingAndReopeningKeepsMarkersNamesTimesAndOrder) {
  TempDir dir;
  const UID second = MakeStory(doc_, "Second story");
  InsertMarker(doc_, story_, 8, "b");
  InsertMarker(doc_, second, 3, "c");
  const UID a = InsertMarker(doc_, story_, 2, "A");
  // A marker as an older document wrote it, with a time stamp.
  MemoryWriteStream stored;
  PMString name("Dated");
  name.SetTranslatable(false);
  GlobalTime time(1650000000000000LL);
  name.ReadWrite(&stored);
  time.ReadWrite(&stored);
  const UID dated = InsertMarker(doc_, second, 0, "placeholder");
  ASSERT_TRUE(doc_->RestoreImpl(dated, kXRefSourceMarkerImpl, stored.Data()));
  MarkerList(doc_)->InvalidateNameIndex();
  const std::vector<std::string> order{"A", "b", "Dated", "c"};
  ASSERT_EQ(order, ListedNames(doc_));

  std::string error;
  ASSERT_TRUE(app_->SaveDocumentAs(doc_, dir.File("markers.xrefdoc"), &error)) << error;
  app_->CloseDocument(doc_);
  clock_.Advance(3600000000LL);
  DataBase* reopened = app_->OpenDocument(dir.File("markers.xrefdoc"), &error);
  ASSERT_TRUE(reopened) << error;
  EXPECT_EQ(order, ListedNames(reopened));
  InterfacePtr<IXRefSourceMarker> found(MarkerList(reopened)->QueryMarkerByName(PMString("dated")));
  ASSERT_TRUE(found);
  EXPECT_EQ(time, found->GetMarkerTime());
  EXPECT_EQ(0, found->GetTextIndex());
  EXPECT_EQ(PMString::kNotTranslatable, found->GetMarkerName().GetTranslationState());
  found->SetMarkerTime(GlobalTime::CurrentTime());
  EXPECT_EQ(time, found->GetMarkerTime());
  EXPECT_EQ(0, Marker(reopened, a)->GetMarkerTime().GetTime());
  EXPECT_EQ(2, Marker(reopened, a)->GetTextIndex());
}

TEST_F(SourceMarkerCommands, TheOwnedItemReportsMovesAndLayoutAndMarksItsLine) {
  const UID marker = InsertMarker(doc_, story_, 6, "World");
  InterfacePtr<IOwnedItem> item(doc_, marker, IID_IOWNEDITEM);
  EXPECT_TRUE(item->IsCopyable());
  EXPECT_TRUE(item->HearsLayout());
  InterfacePtr<ICommand> del(item->QueryDeleteCommand());
  ASSERT_TRUE(del);
  EXPECT_EQ(kXRefDeleteSourceMarkerCmdBoss, ::GetClass(del.get()));
  EXPECT_EQ(UIDList(doc_, marker), *del->GetItemList());

  // A move is reported when the edited line is composed, once, not on the edit.
  LayoutBuilder layout(doc_);
  layout.AddSpread(1);
  layout.AddTextFrame(layout.PageUID(0), story_, 40, 2);
  ComposeStory(doc_, story_);
  SchedulerReports().clear();
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story_)->InsertCmd(0, WideString("Oh, "))));
  EXPECT_EQ(0, ChangeReports(doc_, marker));
  ComposeStory(doc_, story_);
  EXPECT_EQ(1, ChangeReports(doc_, marker));
  ComposeStory(doc_, story_);
  EXPECT_EQ(1, ChangeReports(doc_, marker));
}

TEST_F(SourceMarkerCommands, ComposedMarkersAdornTheirLineOnceAndReportOverset) {
  const UID story = MakeStory(doc_, "Alpha beta gamma");
  const UID first = InsertMarker(doc_, story, 2, "first");
  const UID second = InsertMarker(doc_, story, 8, "second");
  const UID late = InsertMarker(doc_, story, 15, "late");
  LayoutBuilder layout(doc_);
  layout.AddSpread(1);
  layout.AddTextFrame(layout.PageUID(0), story, 40, 1);
  SchedulerReports().clear();

  auto* composition = const_cast<StoryComposition*>(ComposeStory(doc_, story));
  ASSERT_TRUE(composition);
  auto& adornments = composition->Adornments(0);
  ASSERT_EQ(1u, adornments.size());
  EXPECT_EQ(kXRefMarkerAdornmentBoss, adornments[0].first);
  EXPECT_DOUBLE_EQ(16384.52, adornments[0].second);
  EXPECT_EQ(1, ChangeReports(doc_, first));
  EXPECT_EQ(1, ChangeReports(doc_, second));

  // A frame too narrow for the end of the text sends the last marker into overset.
  SchedulerReports().clear();
  InterfacePtr<IFrameList> frames(doc_, story, IID_IFRAMELIST);
  ASSERT_EQ(1, frames->GetFrameCount());
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc_, story)->InsertCmd(0, WideString(std::string(30, 'x').c_str()))));
  EXPECT_EQ(0, ChangeReports(doc_, late));  // not before composing
  ComposeStory(doc_, story);
  EXPECT_EQ(1, ChangeReports(doc_, late));  // overset
  EXPECT_TRUE(TextUtils()->IsMarkerStoryFlagged(Marker(doc_, late).get()));
}

TEST_F(SourceMarkerCommands, TheMementoCarriesTheMarkerThroughCopyAndPaste) {
  const UID marker = InsertMarker(doc_, story_, 6, "World");
  DataBase* other = app_->NewDocument();
  const UID otherStory = MakeStory(other, "ab");
  InterfacePtr<IOwnedItem> item(doc_, marker, IID_IOWNEDITEM);
  InterfacePtr<IOwnedItemMemento> memento(item->CreateMemento());
  ASSERT_TRUE(memento);
  EXPECT_EQ(kXRefSourceMarkerMementoBoss, ::GetClass(memento.get()));
  EXPECT_EQ(marker, memento->GetOwnedItemUID());
  EXPECT_TRUE(memento->CanPasteIntoOtherDocument());

  CommandList cuts;
  EXPECT_EQ(kSuccess, memento->AppendCutCommands(nullptr, 0, 1, &cuts));
  EXPECT_EQ(kSuccess, memento->AppendMoveCommands(nullptr, 0, 1, &cuts));
  ASSERT_EQ(2, cuts.Length());
  EXPECT_EQ(kXRefDeleteSourceMarkerCmdBoss, ::GetClass(cuts.At(0)));
  EXPECT_EQ(UIDList(doc_, marker), *cuts.At(1)->GetItemList());

  // Without a copy requested the marker itself stays, within its document only.
  const UIDRef source(doc_, marker);
  UIDRef pasted;
  EXPECT_EQ(kSuccess, memento->PrepareMove());
  EXPECT_EQ(kSuccess, memento->Paste(source, UIDRef(doc_, story_), &pasted));
  EXPECT_EQ(kFailure, memento->Paste(source, UIDRef(other, otherStory), &pasted));
  EXPECT_FALSE(pasted.GetDataBase());

  // A copy requested makes a copy at each paste.
  EXPECT_EQ(kSuccess, memento->PrepareCopy());
  EXPECT_EQ(kSuccess, memento->Paste(source, UIDRef(other, otherStory), &pasted));
  ASSERT_EQ(other, pasted.GetDataBase());
  EXPECT_EQ("World", NameOf(other, pasted.GetUID()));
  EXPECT_EQ(std::vector<std::string>{"World"}, ListedNames(other));
  EXPECT_EQ(kSuccess, memento->PasteFinished());
  const UIDRef first = pasted;
  EXPECT_EQ(kSuccess, memento->Paste(source, UIDRef(other, otherStory), &pasted));
  EXPECT_NE(first, pasted);
  EXPECT_EQ(2, MarkerList(other)->GetMarkerCount());
}

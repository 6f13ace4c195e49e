// Random sequences of what writers do, on two or three documents that refer
// to each other, with the documents' rules checked after every step:
// - the product's own integrity check finds nothing damaged, and marker
//   characters lose their markers only through the open-time repair;
// - an update leaves the text its format composes, and the check calls
//   stale exactly the cross-references an update then changes;
// - each step that changes a document is one undo history entry: undoing it
//   gives the bytes from before the step, redoing it the bytes after.
// The states that look broken but are allowed are in docs/document-rules.md.
// XREF_WORK_SEEDS=N runs seeds 1..N (200 by default); XREF_WORK_SEED=S runs
// seed S alone. A failure names the seed and the steps that led to it.
#include "headless/application/DocumentBytes.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/text/TextClipboard.h"
#include "host/CmdUtils.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryLock.h"
#include "host/TextIDs.h"
#include "model/IXRefSourceMarker.h"
#include "model/XRefCrossRefGeometry.h"
#include "model/XRefDocumentIntegrity.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/LiveUpdateTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include "commands/XRefCommandID.h"
#include <cstdlib>
#include <random>

namespace {
constexpr const char* kFormats[][2] = {
    {"Text", "<paratext/>"},
    {"Page", "<paratext/> on page <pagenum/>"},
    {"Name", "<marker/> in <filename/>"},
    {"Number", "[<paranum/>]"},
};

struct Doc {
  DataBase* db = nullptr;
  std::string path;
  // The bytes after each entry of its undo history; empty where not known.
  std::vector<std::string> states;
  size_t orphans = 0;
};

struct Before {
  int32 depth;
  std::string bytes;
};

enum class Kind { kEdit, kUndoRedo, kReopen };

std::string Number(UID uid) { return std::to_string(UIDValue(uid)); }

// Two saved documents alike, or where they first differ.
testing::AssertionResult Same(const std::string& expected, const std::string& actual) {
  if (expected == actual) return testing::AssertionSuccess();
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  return testing::AssertionFailure() << "the bytes differ from offset " << at << " of " << expected.size() << " and "
                                     << actual.size();
}

class Work {
public:
  Work(Application& app, const TempDir& dir, unsigned seed) : app_(app), rng_(seed) {
    const int count = 2 + static_cast<int>(rng_() % 2);
    for (int i = 0; i < count; ++i) docs_.push_back(MakeDoc(dir.File("doc" + std::to_string(i) + ".xrefdoc")));
  }
  ~Work() {
    TextClipboard::Clear();
    for (Doc& d : docs_)
      if (d.db) app_.CloseDocument(d.db);
  }
  const std::vector<std::string>& Steps() const { return steps_; }

  // One random step, then every check; a broken rule is a fatal failure.
  void Step() {
    std::vector<Before> before;
    for (Doc& d : docs_) before.push_back({d.db->UndoDepth(), BytesToSave(d.db)});
    pasted_ = -1;
    reopened_ = -1;
    const Kind kind = Act();
    if (testing::Test::HasFatalFailure()) return;
    for (size_t i = 0; i < docs_.size(); ++i) {
      CheckIntegrity(i, kind);
      if (testing::Test::HasFatalFailure()) return;
      CheckHistory(i, before[i], kind);
      if (testing::Test::HasFatalFailure()) return;
    }
  }

private:
  int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  void Log(const std::string& s) { steps_.push_back(s); }

  Doc MakeDoc(const std::string& path) {
    Doc d;
    d.path = path;
    d.db = app_.NewDocument();
    LayoutBuilder layout(d.db);
    layout.AddSpread(2);
    const UID story = MakeStory(d.db, "Introduction\rFirst words of the chapter\rMethods and more\r"
                                      "Second part here\rClosing words");
    layout.AddTextFrame(layout.PageUID(0), story, 30, 6);
    layout.AddTextFrame(layout.PageUID(1), MakeStory(d.db, "Sidebar text\rwith two lines"), 30, 6);
    SetLiveUpdates(d.db, Pick(2) == 0);
    d.db->ClearUndo();
    std::string error;
    EXPECT_TRUE(app_.SaveDocumentAs(d.db, path, &error)) << error;
    d.states = {BytesToSave(d.db)};
    return d;
  }

  Doc& AnyDoc(int* index = nullptr) {
    const int i = Pick(static_cast<int>(docs_.size()));
    if (index) *index = i;
    return docs_[static_cast<size_t>(i)];
  }
  std::vector<UID> Stories(IDataBase* db) const { return db->GetUIDsOfClass(kTextStoryBoss); }
  UID AnyStory(IDataBase* db) {
    const std::vector<UID> stories = Stories(db);
    return stories[static_cast<size_t>(Pick(static_cast<int>(stories.size())))];
  }
  // An index before the story's closing return.
  TextIndex AnyIndex(IDataBase* db, UID story) {
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    return Pick(text->TotalLength());
  }
  // Half the time, a place just before a marker character, so that ranges
  // often cut a pair of markers.
  TextIndex NearMarker(IDataBase* db, UID story, TextIndex at) {
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    const std::u16string units = text->CopyText(0, text->TotalLength()).Units();
    std::vector<TextIndex> markers;
    for (size_t i = 0; i < units.size(); ++i)
      if (units[i] == 0xFEFF) markers.push_back(static_cast<TextIndex>(i));
    if (markers.empty() || Pick(2)) return at;
    return std::max(0, markers[static_cast<size_t>(Pick(static_cast<int>(markers.size())))] - Pick(3));
  }
  std::string Where(IDataBase* db, UID story, TextIndex at) const {
    return app_.DocumentName(db) + " story " + Number(story) + " at " + std::to_string(at);
  }
  template <class List>
  UID AnyOf(const List& list) {
    return list.Length() == 0 ? kInvalidUID : list[Pick(list.Length())];
  }

  Kind Act() {
    int which = 0;
    Doc& d = AnyDoc(&which);
    IDataBase* db = d.db;
    const UID story = AnyStory(db);
    const TextIndex at = AnyIndex(db, story);
    auto cmds = CmdsOf(db, story);
    switch (Pick(20)) {
      case 0:
      case 1:
      case 2: {
        const bool paragraph = Pick(4) == 0;
        const std::string text = paragraph ? "new\rline" : "ab c";
        Log("type \"" + std::string(paragraph ? "new\\rline" : text) + "\" in " + Where(db, story, at));
        Process(cmds->InsertCmd(at, WideString::FromUTF8(text)));
        return Kind::kEdit;
      }
      case 3:
      case 4: {
        const TextIndex from = NearMarker(db, story, at);
        const int32 length = Pick(12) + 1;
        Log("delete " + std::to_string(length) + " from " + Where(db, story, from));
        Process(cmds->DeleteCmd(from, length));
        return Kind::kEdit;
      }
      case 5: {
        const TextIndex from = NearMarker(db, story, at);
        const int32 length = Pick(30) + 1;
        Log("copy " + std::to_string(length) + " from " + Where(db, story, from));
        clipOrphans_ = 0;
        clipPairs_.clear();
        if (TextClipboard::Copy(UIDRef(db, story), from, length) != kSuccess) return Kind::kEdit;
        for (const DocumentDamage& o : XRefDocumentIntegrity::FindDamage(db))
          if (o.kind == DocumentDamage::kOrphan && o.story == story && o.index >= from && o.index < from + length)
            ++clipOrphans_;
        clipDoc_ = d.db;
        const UIDList all = CrossRefList(db)->GetCrossRefs();
        for (int32 i = 0; i < all.Length(); ++i) {
          const XRefCrossRefGeometry g = XRefCrossRefGeometry::Of(db, all[i], false);
          if (g.fault == XRefCrossRefGeometry::kSound && g.story.GetUID() == story && g.start >= from &&
              g.end < from + length)
            clipPairs_.push_back(all[i]);
        }
        return Kind::kEdit;
      }
      case 6:
      case 7:
      {
        // Half the time into the story pasted into last, as pasting twice does.
        // (A footnote's story goes with its footnote.)
        const bool again = lastPaste_.GetDataBase() == docs_[static_cast<size_t>(lastPasteDoc_)].db &&
                           lastPaste_.GetDataBase() &&
                           lastPaste_.GetDataBase()->GetClass(lastPaste_.GetUID()) == kTextStoryBoss;
        if (again && Pick(2)) {
          which = lastPasteDoc_;
          db = lastPaste_.GetDataBase();
          return PasteAgain(which, db, lastPaste_.GetUID());
        }
        return PasteAgain(which, db, story);
      }
      case 8:
        MoveParagraph(db);
        return Kind::kEdit;
      case 9: {
        const std::string name = "m" + std::to_string(++names_);
        Log("insert marker " + name + " at " + Where(db, story, at));
        InsertMarker(db, story, at, name);
        return Kind::kEdit;
      }
      case 10:
      case 11:
        InsertCrossRef(db, story, at);
        return Kind::kEdit;
      case 12: {
        const UID marker = AnyOf(MarkerList(db)->GetMarkers());
        if (marker == kInvalidUID) return Kind::kEdit;
        if (Pick(2)) {
          // As writers do it: the marker goes with its character.
          InterfacePtr<IXRefSourceMarker> m(Marker(db, marker));
          Log("delete marker " + NameOf(db, marker) + " in " + app_.DocumentName(db));
          Process(CmdsOf(db, m->GetStoryRef().GetUID())->DeleteCmd(m->GetTextIndex(), 1));
        } else {
          const std::string name = "r" + std::to_string(++names_);
          const bool references = Pick(2);
          Log("rename marker " + NameOf(db, marker) + " to " + name + (references ? " with references" : "") +
              " in " + app_.DocumentName(db));
          RenameMarker(db, marker, name, references);
        }
        return Kind::kEdit;
      }
      case 13:
        UpdateOne(db);
        return Kind::kEdit;
      case 14:
        UpdateAll(db);
        return Kind::kEdit;
      case 15: {
        const UID crossRef = AnyOf(CrossRefList(db)->GetCrossRefs());
        if (crossRef == kInvalidUID) return Kind::kEdit;
        Log("to-text cross-reference " + Number(crossRef) + " in " + app_.DocumentName(db));
        RunOn(kXRefConvertCrossRefToTextCmdBoss, UIDRef(db, crossRef));
        return Kind::kEdit;
      }
      case 16: {
        InterfacePtr<IStoryLock> lock(db, story, IID_ISTORYLOCK);
        Log(std::string(lock->IsLocked() ? "unlock" : "lock") + " story " + Number(story) + " in " +
            app_.DocumentName(db));
        CmdUtils::SequenceContext seq(PMString("lock"));
        lock->SetLocked(!lock->IsLocked());
        return Kind::kEdit;
      }
      case 17:
        return UndoOrRedo(d);
      case 18: {
        InterfacePtr<IStoryLock> lock(db, story, IID_ISTORYLOCK);
        if (lock->IsLocked() || story != Stories(db).front()) return Kind::kEdit;
        Log("footnote at " + Where(db, story, at));
        CmdUtils::SequenceContext seq(PMString("footnote"));
        LayoutBuilder(db).AddFootnote(story, at, WideString::FromUTF8("A note"));
        return Kind::kEdit;
      }
      default:
        if (Pick(2)) {
          Log("idle");
          app_.Idle().RunFor(1200);
          return Kind::kEdit;
        }
        return Reopen(which);
    }
  }

  Kind PasteAgain(int which, IDataBase* db, UID story) {
    const TextIndex at = AnyIndex(db, story);
    Log("paste at " + Where(db, story, at));
    pasted_ = which;
    lastPaste_ = UIDRef(db, story);
    lastPasteDoc_ = which;
    Paste(db, story, at);
    return Kind::kEdit;
  }

  // Each whole pair of markers pasted makes one new cross-reference, and a
  // marker that waited in the story may complete one more.
  void Paste(IDataBase* db, UID story, TextIndex at) {
    int32 pairs = 0;
    for (UID uid : clipPairs_)
      if (clipDoc_ && clipDoc_->GetClass(uid) != kInvalidClass) ++pairs;
    const int32 before = CrossRefList(db)->GetCrossRefCount();
    if (Process(CmdsOf(db, story)->PasteCmd(at)) != kSuccess) return;
    const int32 added = CrossRefList(db)->GetCrossRefCount() - before;
    ASSERT_TRUE(added == pairs || added == pairs + 1)
        << "the paste held " << pairs << " whole cross-reference(s) and made " << added;
  }

  void MoveParagraph(IDataBase* db) {
    const UID from = AnyStory(db), to = AnyStory(db);
    InterfacePtr<IParagraphStrand> source(StrandOf<IParagraphStrand>(db, from, kParagraphStrandBoss));
    InterfacePtr<IParagraphStrand> target(StrandOf<IParagraphStrand>(db, to, kParagraphStrandBoss));
    if (source->GetParagraphCount() < 2) return;
    int32 length = 0;
    const int32 paragraph = Pick(source->GetParagraphCount() - 1);
    const TextIndex start = source->GetNthParagraphStart(paragraph, &length);
    const TextIndex at = target->GetNthParagraphStart(Pick(target->GetParagraphCount()));
    Log("move paragraph " + std::to_string(paragraph) + " of " + Where(db, from, start) + " to " +
        Where(db, to, at));
    Process(CmdsOf(db, from)->MoveCmd(start, length, to, at));
  }

  void InsertCrossRef(IDataBase* db, UID story, TextIndex at) {
    Doc& source = AnyDoc();
    const UID marker = AnyOf(MarkerList(source.db)->GetMarkers());
    if (marker == kInvalidUID) return;
    CrossRefRequest request;
    request.start = at;
    request.marker = NameOf(source.db, marker);
    const auto& format = kFormats[Pick(4)];
    request.formatName = format[0];
    request.format = format[1];
    if (source.db != db) request.source = IDFile(source.path);
    request.hyperlink = source.db == db && Pick(3) == 0;
    Log("insert cross-reference to " + app_.DocumentName(source.db) + "#" + request.marker + " as " +
        request.formatName + (request.hyperlink ? " with hyperlink" : "") + " at " + Where(db, story, at));
    ::InsertCrossRef(db, story, request);
  }

  // Composing it again changes its own paragraph, or where it stands.
  static bool FollowsItself(IDataBase* db, IXRefCrossRef* crossRef) {
    if (crossRef->GetFormatString().GetUTF8String().find("pagenum") != std::string::npos) return true;
    if (crossRef->IsExternal()) return false;
    InterfacePtr<IXRefSourceMarker> marker(crossRef->QuerySourceMarker(false));
    if (!marker || marker->GetStoryRef() != crossRef->GetStoryRef()) return false;
    InterfacePtr<IParagraphStrand> paragraphs(
        StrandOf<IParagraphStrand>(db, crossRef->GetStoryRef().GetUID(), kParagraphStrandBoss));
    return paragraphs->GetParagraphIndex(marker->GetTextIndex()) ==
           paragraphs->GetParagraphIndex(crossRef->GetStartIndex());
  }

  // Whether the check would call it stale: its text is not what its format
  // gives now, and an update may replace it.
  static bool Stale(const XRefEvaluation& e) { return e.sourceFound && e.composes && !e.upToDate && !e.locked; }

  void UpdateOne(IDataBase* db) {
    const UID uid = AnyOf(CrossRefList(db)->GetCrossRefs());
    if (uid == kInvalidUID) return;
    Log("update cross-reference " + Number(uid) + " in " + app_.DocumentName(db));
    InterfacePtr<IXRefCrossRef> crossRef(CrossRef(db, uid));
    const bool sound = XRefCrossRefGeometry::Of(db, uid, false).fault == XRefCrossRefGeometry::kSound;
    const XRefEvaluation before = crossRef->Evaluate();
    const std::string text = sound ? CurrentText(db, uid) : std::string();
    UpdateCrossRefs(UIDList(db, uid));
    if (!sound) return;
    const bool changed = CurrentText(db, uid) != text;
    ASSERT_EQ(Stale(before), changed) << "cross-reference " << Number(uid) << " \"" << text << "\": the check "
                                      << (Stale(before) ? "calls it stale" : "finds it sound")
                                      << ", the update " << (changed ? "changed it" : "left it");
    if (!changed || FollowsItself(db, crossRef.get())) return;
    ASSERT_TRUE(crossRef->Evaluate().upToDate)
        << "after its update, cross-reference " << Number(uid) << " reads \"" << CurrentText(db, uid)
        << "\", not \"" << crossRef->Evaluate().composed.GetUTF8String() << "\"";
  }

  void UpdateAll(IDataBase* db) {
    Log("update all in " + app_.DocumentName(db));
    const UIDList all = CrossRefList(db)->GetCrossRefs();
    std::map<UID, std::string> stale;
    for (int32 i = 0; i < all.Length(); ++i) {
      InterfacePtr<IXRefCrossRef> crossRef(CrossRef(db, all[i]));
      if (XRefCrossRefGeometry::Of(db, all[i], false).fault == XRefCrossRefGeometry::kSound &&
          Stale(crossRef->Evaluate()))
        stale[all[i]] = CurrentText(db, all[i]);
    }
    UpdateCrossRefs(all);
    for (const auto& [uid, text] : stale)
      ASSERT_NE(text, CurrentText(db, uid)) << "the check calls cross-reference " << Number(uid)
                                            << " stale, and updating all left it";
  }

  Kind UndoOrRedo(Doc& d) {
    if (Pick(3) && d.db->CanUndo()) {
      Log("undo " + d.db->UndoName() + " in " + app_.DocumentName(d.db));
      EXPECT_TRUE(d.db->Undo());
    } else if (d.db->CanRedo()) {
      Log("redo " + d.db->RedoName() + " in " + app_.DocumentName(d.db));
      EXPECT_TRUE(d.db->Redo());
    }
    return Kind::kUndoRedo;
  }

  Kind Reopen(int which) {
    Doc& d = docs_[static_cast<size_t>(which)];
    Log("save and reopen " + app_.DocumentName(d.db));
    std::string error;
    EXPECT_TRUE(app_.SaveDocument(d.db, &error)) << error;
    if (clipDoc_ == d.db) clipDoc_ = nullptr;  // the clipboard lets go of its markers
    if (lastPaste_.GetDataBase() == d.db) lastPaste_ = UIDRef();
    app_.CloseDocument(d.db);
    d.db = app_.OpenDocument(d.path, &error);
    EXPECT_NE(nullptr, d.db) << error;
    reopened_ = which;
    return Kind::kReopen;
  }

  void CheckIntegrity(size_t i, Kind kind) {
    Doc& d = docs_[i];
    size_t orphans = 0;
    for (const DocumentDamage& f : XRefDocumentIntegrity::FindDamage(d.db)) {
      ASSERT_EQ(DocumentDamage::kOrphan, f.kind) << app_.DocumentName(d.db) << ": " << f.message;
      ++orphans;
    }
    // Only the open-time repair leaves bare marker characters; pasting
    // copies those that were copied, and undo brings back deleted ones.
    const size_t allowed = d.orphans + (pasted_ == static_cast<int>(i) ? clipOrphans_ : 0);
    const bool mayGrow = kind != Kind::kEdit || reopened_ == static_cast<int>(i);
    d.orphans = orphans;
    ASSERT_TRUE(mayGrow || orphans <= allowed) << app_.DocumentName(d.db) << ": a marker character lost its marker";
  }

  void CheckHistory(size_t i, const Before& before, Kind kind) {
    Doc& d = docs_[i];
    const int32 depth = d.db->UndoDepth();
    const std::string bytes = BytesToSave(d.db);
    if (reopened_ == static_cast<int>(i)) {
      d.states = {bytes};
      return;
    }
    if (kind == Kind::kUndoRedo) {
      const size_t at = static_cast<size_t>(depth);
      const bool known = at < d.states.size() && !d.states[at].empty();
      ASSERT_TRUE(!known || Same(d.states[at], bytes)) << "undo or redo did not give the state back";
      return;
    }
    if (depth == before.depth) {
      if (Same(before.bytes, bytes)) return;
      // Live updates join the step before them: undone with it, redone with it.
      ASSERT_TRUE(d.db->CanUndo()) << app_.DocumentName(d.db) << " changed without an undo step";
      ASSERT_TRUE(d.db->Undo());
      const std::string& earlier = d.states[static_cast<size_t>(depth - 1)];
      ASSERT_TRUE(earlier.empty() || Same(earlier, BytesToSave(d.db)))
          << "undoing a step joined by live updates did not give " << app_.DocumentName(d.db) << " back";
      ASSERT_TRUE(d.db->Redo());
      ASSERT_TRUE(Same(bytes, BytesToSave(d.db))) << "redoing a step joined by live updates";
      d.states.resize(static_cast<size_t>(depth));
      d.states.push_back(bytes);
      return;
    }
    ASSERT_GT(depth, before.depth);
    const int32 added = depth - before.depth;
    for (int32 k = 0; k < added; ++k) ASSERT_TRUE(d.db->Undo());
    ASSERT_TRUE(Same(before.bytes, BytesToSave(d.db))) << "undoing the step did not give " << app_.DocumentName(d.db)
                                                 << " back as it was";
    for (int32 k = 0; k < added; ++k) ASSERT_TRUE(d.db->Redo());
    ASSERT_TRUE(Same(bytes, BytesToSave(d.db))) << "redoing the step did not give " << app_.DocumentName(d.db)
                                          << " as it was after it";
    d.states.resize(static_cast<size_t>(depth));
    d.states.push_back(bytes);
  }

  Application& app_;
  std::mt19937 rng_;
  std::vector<Doc> docs_;
  std::vector<std::string> steps_;
  int names_ = 0;
  size_t clipOrphans_ = 0;
  IDataBase* clipDoc_ = nullptr;
  UIDRef lastPaste_;
  int lastPasteDoc_ = 0;
  std::vector<UID> clipPairs_;  // cross-references whose markers were both copied
  int pasted_ = -1, reopened_ = -1;
};

constexpr int kStepsPerSeed = 40;

void RunSeed(Application& app, unsigned seed) {
  TempDir dir;
  Work work(app, dir, seed);
  for (int step = 0; step < kStepsPerSeed; ++step) {
    work.Step();
    if (!testing::Test::HasFatalFailure()) continue;
    std::string steps;
    for (size_t i = 0; i < work.Steps().size(); ++i) steps += "  " + std::to_string(i + 1) + ". " + work.Steps()[i] + "\n";
    ADD_FAILURE() << "seed " << seed << " (XREF_WORK_SEED=" << seed << ") failed after these steps:\n" << steps;
    return;
  }
}

unsigned EnvNumber(const char* name, unsigned otherwise) {
  const char* value = std::getenv(name);
  return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : otherwise;
}
}  // namespace

TEST(RandomWork, EveryStepKeepsTheDocumentsSound) {
  VirtualClock clock;
  TestApp app(&clock);
  if (const unsigned one = EnvNumber("XREF_WORK_SEED", 0)) {
    RunSeed(*app, one);
    return;
  }
  const unsigned seeds = EnvNumber("XREF_WORK_SEEDS", 200);
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    RunSeed(*app, seed);
    if (HasFailure()) return;
  }
}

// Forged documents with valid frames and checksums: each is refused with a
// message or loads into a document every query can walk, never a crash, a
// hang or a silent loss.
#include "headless/database/DocumentFile.h"
#include "headless/layout/LayoutBuilder.h"
#include "headless/objects/Host.h"
#include "headless/text/TextModelImpl.h"
#include "host/IErrorStringService.h"
#include "host/IFootnote.h"
#include "host/ILineInfo.h"
#include "host/IStoryList.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include "model/IXRefCrossRef.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/ForgedFile.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <tuple>

namespace {
struct Uids {
  UID spread, page0, page1, frame, story, note, noteStory;
  // A source marker and two cross-references to it with their markers, one
  // after the other in the story.
  UID marker, x1, s1, e1, x2, s2, e2;
  UID strand(ClassID cls, UID of) const {
    InterfacePtr<ITextModel> m(db, of, IID_ITEXTMODEL);
    return static_cast<TextModelImpl*>(m.get())->StrandUID(cls);
  }
  DataBase* db;
};

std::string U32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}
std::string U32(UID uid) { return U32(UIDValue(uid)); }

UID InsertAt(DataBase* db, UID story, TextIndex at, ErrorCode* err = nullptr) {
  CrossRefRequest r;
  r.start = at;
  r.marker = "M";
  return InsertCrossRef(db, story, r, err);
}

// A document with two pages, a story in a frame and a footnote in it.
Uids MakeDocument(Application& app) {
  Uids u{};
  u.db = app.NewDocument();
  LayoutBuilder layout(u.db);
  u.spread = layout.AddSpread(2);
  u.page0 = layout.PageUID(0);
  u.page1 = layout.PageUID(1);
  u.story = MakeStory(u.db, "alpha beta gamma delta\repsilon zeta");
  u.frame = layout.AddTextFrame(u.page0, u.story, 12, 6);
  u.note = layout.AddFootnote(u.story, 5, WideString::FromUTF8("the note"));
  InterfacePtr<IFootnote> note(u.db, u.note, IID_IFOOTNOTE);
  u.noteStory = note->GetFootnoteStoryUID();
  u.marker = InsertMarker(u.db, u.story, 0, "M");
  // The second just before the final return, the first earlier.
  InterfacePtr<ITextModel> text(u.db, u.story, IID_ITEXTMODEL);
  u.x2 = InsertAt(u.db, u.story, text->TotalLength() - 1);
  u.x1 = InsertAt(u.db, u.story, 12);
  for (auto x : {std::make_tuple(u.x1, &u.s1, &u.e1), std::make_tuple(u.x2, &u.s2, &u.e2)}) {
    *std::get<1>(x) = CrossRef(u.db, std::get<0>(x))->GetStartMarker();
    *std::get<2>(x) = CrossRef(u.db, std::get<0>(x))->GetEndMarker();
  }
  return u;
}

// An owned-item strand's record as (index, class, item) triples, written back
// in index order with the items of one index together.
struct Anchors {
  using Item = std::array<uint32_t, 3>;
  std::string head;  // the story and the length
  std::vector<Item> items;

  static Anchors Read(const std::string& body) {
    Anchors a;
    a.head = body.substr(0, 8);
    ForgedFile f;
    f.records.push_back(body);
    size_t pos = 12;
    for (uint32_t n = f.Get(0, 8); n > 0; --n, pos += 8) {
      const uint32_t at = f.Get(0, pos);
      for (uint32_t k = f.Get(0, pos + 4); k > 0; --k, pos += 8) a.items.push_back({at, f.Get(0, pos + 8), f.Get(0, pos + 12)});
    }
    return a;
  }
  std::string Body() {
    std::sort(items.begin(), items.end());
    std::string entries;
    uint32_t n = 0;
    for (size_t i = 0; i < items.size();) {
      size_t j = i;
      std::string pairs;
      for (; j < items.size() && items[j][0] == items[i][0]; ++j) pairs += U32(items[j][1]) + U32(items[j][2]);
      entries += U32(items[i][0]) + U32(static_cast<uint32_t>(j - i)) + pairs;
      ++n;
      i = j;
    }
    return head + U32(n) + entries;
  }
  Item& Of(UID item) {
    return *std::find_if(items.begin(), items.end(), [&](const Item& i) { return i[2] == UIDValue(item); });
  }
  void Remove(UID item) { items.erase(std::find(items.begin(), items.end(), Of(item))); }
};

// Rewrites the anchors of a story's owned-item strand.
void EditAnchors(ForgedFile& f, const Uids& u, UID story, const std::function<void(Anchors&)>& edit) {
  const int record = f.Impl(u.strand(kOwnedItemStrandBoss, story), kOwnedItemStrandImpl);
  Anchors anchors = Anchors::Read(f.Body(record));
  edit(anchors);
  f.SetBody(record, anchors.Body());
}

void SwapAnchors(ForgedFile& f, const Uids& u, UID a, UID b) {
  EditAnchors(f, u, u.story, [&](Anchors& s) { std::swap(s.Of(a)[0], s.Of(b)[0]); });
}

// A cross-reference's record ends with its start and end marker and its
// update time; the anchor story is an owned item's whole record.
void SetEndMarkerField(ForgedFile& f, UID crossRef, UID marker) {
  const int record = f.Impl(crossRef, kXRefCrossRefImpl);
  f.Set(record, f.records[static_cast<size_t>(record)].size() - 12, UIDValue(marker));
}
void SetAnchorStory(ForgedFile& f, UID item, ImplementationID impl, UID story) {
  f.SetBody(f.Impl(item, impl), U32(story));
}
void SetCrossRefList(ForgedFile& f, const std::vector<UID>& entries) {
  std::string body = U32(static_cast<uint32_t>(entries.size()));
  for (UID uid : entries) body += U32(uid);
  f.SetBody(f.Impl(kRootUID, kXRefCrossRefListImpl), body);
}

void AddPluginToHeader(ForgedFile& f, uint32_t plugin, uint32_t version) {
  f.Set(0, 9, f.Get(0, 9) + 1);
  f.records[0] += U32(plugin) + U32(version);
}

// Gives the plug-in the data version, listing it when the header does not.
void SetPluginInHeader(ForgedFile& f, uint32_t plugin, uint32_t version) {
  for (uint32_t i = 0; i < f.Get(0, 9); ++i) {
    if (f.Get(0, 13 + 8 * i) != plugin) continue;
    f.Set(0, 17 + 8 * i, version);
    return;
  }
  AddPluginToHeader(f, plugin, version);
}

// Walks what a loaded document offers: every line and frame of every story,
// every page, every footnote number.
void Exercise(DataBase* db) {
  InterfacePtr<IStoryList> stories(db, kRootUID, IID_ISTORYLIST);
  for (int32 i = 0; stories && i < stories->GetStoryCount(); ++i) {
    UID story = stories->GetNthStoryUID(i);
    InterfacePtr<ITextModel> text(db, story, IID_ITEXTMODEL);
    InterfacePtr<ILineInfo> lines(db, story, IID_ILINEINFO);
    InterfacePtr<IFrameList> frames(db, story, IID_IFRAMELIST);
    for (TextIndex at = 0; text && at < text->TotalLength(); ++at) {
      LineInfo info;
      if (lines) lines->GetLineInfo(at, &info);
      if (frames) frames->GetFrameContaining(at);
    }
  }
  InterfacePtr<IPageList> pages(db, kRootUID, IID_IPAGELIST);
  for (int32 p = 0; pages && p < pages->GetPageCount(); ++p) {
    PMString s;
    pages->GetPageString(pages->GetNthPageUID(p), &s, true, false, kDefaultPageNumber, true);
  }
  for (auto& entry : db->Objects()) {
    InterfacePtr<IFootnote> note(db, entry.first, IID_IFOOTNOTE);
    if (note) note->GetNumberText(false);
  }
}

enum Outcome { kRefused, kLoads };

struct Case {
  const char* name;
  std::function<void(ForgedFile&, const Uids&)> forge;
  Outcome outcome;
  const char* message;  // part of the refusal's message
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"untouched", [](ForgedFile&, const Uids&) {}, kLoads, ""},
      // Cycles.
      {"story names its own footnote as parent",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.story, kHierarchyImpl), U32(UIDValue(u.note))); },
       kRefused, "loops"},
      {"page is its own parent",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.page0, kHierarchyImpl), U32(UIDValue(u.page0))); },
       kRefused, "loops"},
      {"two pages name each other",
       [](ForgedFile& f, const Uids& u) {
         f.SetBody(f.Impl(u.page0, kHierarchyImpl), U32(UIDValue(u.page1)));
         f.SetBody(f.Impl(u.page1, kHierarchyImpl), U32(UIDValue(u.page0)));
       },
       kRefused, "loops"},
      // Dangling, out-of-range and wrongly typed references.
      {"frame's parent does not exist",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.frame, kHierarchyImpl), U32(99999)); }, kRefused,
       "does not exist"},
      {"frame's parent is out of range",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.frame, kHierarchyImpl), U32(0xFFFFFFFF)); }, kRefused,
       "does not exist"},
      {"spread list names a page",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(kRootUID, kSpreadListImpl), U32(1) + U32(UIDValue(u.page0))); },
       kRefused, "of another class"},
      {"spread lists a frame as its page",
       [](ForgedFile& f, const Uids& u) {
         f.SetBody(f.Impl(u.spread, kSpreadImpl), U32(2) + U32(UIDValue(u.page0)) + U32(UIDValue(u.frame)));
       },
       kRefused, "of another class"},
      {"frame shows a page",
       [](ForgedFile& f, const Uids& u) { f.Set(f.Impl(u.frame, kTextFrameImpl), 13, UIDValue(u.page0)); }, kRefused,
       "shows no story"},
      {"footnote names the main story as its own",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.note, kFootnoteImpl), U32(UIDValue(u.story))); },
       kRefused, "footnote"},
      {"story's parent is a page",
       [](ForgedFile& f, const Uids& u) { f.SetBody(f.Impl(u.noteStory, kHierarchyImpl), U32(UIDValue(u.page1))); },
       kRefused, ""},
      {"text model names a missing strand",
       [](ForgedFile& f, const Uids& u) { f.Set(f.Impl(u.story, kTextModelImpl), 13, 99999); }, kRefused, "strand"},
      {"two stories share their strands",
       [](ForgedFile& f, const Uids& u) {
         f.SetBody(f.Impl(u.noteStory, kTextModelImpl), f.Body(f.Impl(u.story, kTextModelImpl)));
       },
       kRefused, "shares strand"},
      {"object with an out-of-range UID",
       [](ForgedFile& f, const Uids&) { f.records.push_back("O" + U32(0xFFFFFFFF) + U32(IdValue(kPageBoss))); },
       kRefused, "out-of-range UID"},
      {"implementation record of a missing object",
       [](ForgedFile& f, const Uids& u) { f.Set(f.Impl(u.frame, kTextFrameImpl), 1, 77777); }, kRefused,
       "not stored"},
      {"root object missing",
       [](ForgedFile& f, const Uids&) {
         std::vector<std::string> kept;
         for (auto& r : f.records)
           if (r[0] == 'H' || (r[1] != 1 || r[2] != 0 || r[3] != 0 || r[4] != 0)) kept.push_back(r);
         f.records = kept;
       },
       kRefused, "root"},
      // Strands that disagree with their text.
      {"text strand longer than the other strands",
       [](ForgedFile& f, const Uids& u) {
         int r = f.Impl(u.strand(kTextStrandBoss, u.story), kTextStrandImpl);
         f.SetBody(r, f.Body(f.Impl(u.strand(kTextStrandBoss, u.noteStory), kTextStrandImpl)));
       },
       kRefused, "disagrees with the text"},
      // Unknown identifiers.
      {"unknown host class",
       [](ForgedFile& f, const Uids& u) {
         f.Set(f.Object(u.frame), 5, 0x2FF);
         for (ImplementationID impl : {kTextFrameImpl, kHierarchyImpl}) f.Set(f.Impl(u.frame, impl), 5, 0x2FF);
       },
       kRefused, "unknown class 0x2FF"},
      {"unknown host implementation",
       [](ForgedFile& f, const Uids& u) { f.Set(f.Impl(u.frame, kTextFrameImpl), 9, 0x3FF); }, kRefused,
       "unknown implementation 0x3FF"},
      {"unknown class of a loaded plug-in",
       [](ForgedFile& f, const Uids&) {
         SetPluginInHeader(f, 0xF2C00, static_cast<uint32_t>(Host::Get().PluginVersions()[PluginID{0xF2C00}]));
         f.records.push_back("O" + U32(5000) + U32(0xF2CFF));
       },
       kRefused, "unknown class 0xF2CFF"},
      {"object of a plug-in that withdrew its claim",
       [](ForgedFile& f, const Uids&) {
         f.records.push_back("O" + U32(5000) + U32(0xABC05));
         f.records.push_back("I" + U32(5000) + U32(0xABC05) + U32(0xABC10) + "xyz");
       },
       kLoads, ""},
      {"data version above the loaded plug-in's",
       [](ForgedFile& f, const Uids&) {
         SetPluginInHeader(f, 0xF2C00, static_cast<uint32_t>(Host::Get().PluginVersions()[PluginID{0xF2C00}] + 1));
       },
       kRefused, "newer than"},
      {"plug-in listed twice",
       [](ForgedFile& f, const Uids&) {
         uint32_t v = static_cast<uint32_t>(Host::Get().PluginVersions()[PluginID{0xF2C00}]);
         SetPluginInHeader(f, 0xF2C00, v);
         AddPluginToHeader(f, 0xF2C00, v);
       },
       kRefused, "twice"},
      // Duplicates.
      {"implementation record twice",
       [](ForgedFile& f, const Uids& u) { f.records.push_back(f.records[f.Impl(u.frame, kTextFrameImpl)]); },
       kRefused, "twice"},
      {"object record twice",
       [](ForgedFile& f, const Uids& u) { f.records.push_back(f.records[f.Object(u.frame)]); }, kRefused, "twice"},
      // Hostile counts and lengths.
      {"huge count of spreads",
       [](ForgedFile& f, const Uids&) { f.SetBody(f.Impl(kRootUID, kSpreadListImpl), U32(0xFFFFFFF0)); }, kRefused,
       "cannot be read"},
      {"huge count of sections",
       [](ForgedFile& f, const Uids&) { f.SetBody(f.Impl(kRootUID, kSectionListImpl), U32(0x7FFFFFFF)); }, kRefused,
       "cannot be read"},
      {"huge string length",
       [](ForgedFile& f, const Uids&) {
         f.SetBody(f.Impl(kRootUID, kFootnoteSettingsImpl), U32(0) + U32(1) + std::string(1, '\0') + U32(0x7FFFFFFF));
       },
       kRefused, "cannot be read"},
      {"negative frame size",
       [](ForgedFile& f, const Uids& u) { f.Set(f.Impl(u.frame, kTextFrameImpl), 17, 0xFFFFFFFF); }, kRefused,
       "cannot be read"},
      {"header counts more plug-ins than it holds",
       [](ForgedFile& f, const Uids&) { f.Set(0, 9, 0x10000000); }, kRefused, "header"},
      // Owned items.
      {"marker anchored in two stories",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.noteStory, [&](Anchors& a) { a.items.push_back({0, IdValue(kXRefCrossRefStartMarkerBoss), UIDValue(u.s1)}); });
       },
       kRefused, "anchored twice"},
      {"footnote anchored twice in its story",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.items.push_back({1, IdValue(kFootnoteBoss), UIDValue(u.note)}); });
       },
       kRefused, "anchored twice"},
      {"start marker names another story",
       [](ForgedFile& f, const Uids& u) { SetAnchorStory(f, u.s1, kXRefCrossRefStartMarkerOwnedItemImpl, u.noteStory); },
       kRefused, "names another story"},
      {"unanchored marker names a story",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.Remove(u.e1); });
       },
       kRefused, "does not anchor it"},
      // Cross-references no edit leaves that way.
      {"end marker field names the start marker",
       [](ForgedFile& f, const Uids& u) { SetEndMarkerField(f, u.x1, u.s1); }, kRefused, "of the wrong class"},
      {"marker names another cross-reference",
       [](ForgedFile& f, const Uids& u) {
         f.SetBody(f.Impl(u.s1, kXRefCrossRefTextMarkerImpl), U32(u.x2) + U32(u.e1));
       },
       kRefused, "names another cross-reference"},
      {"two cross-references interleave",
       [](ForgedFile& f, const Uids& u) { SwapAnchors(f, u, u.e1, u.s2); }, kRefused, "cross"},
      {"start after end", [](ForgedFile& f, const Uids& u) { SwapAnchors(f, u, u.s1, u.e1); }, kRefused,
       "at or after its end"},
      {"start and end at one character",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.Of(u.e1)[0] = a.Of(u.s1)[0]; });
       },
       kRefused, "at or after its end"},
      {"end marker in another story",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.Remove(u.e1); });
         EditAnchors(f, u, u.noteStory, [&](Anchors& a) { a.items.push_back({0, IdValue(kXRefCrossRefEndMarkerBoss), UIDValue(u.e1)}); });
         SetAnchorStory(f, u.e1, kXRefCrossRefEndMarkerOwnedItemImpl, u.noteStory);
       },
       kRefused, "lies in another story"},
      {"empty cross-reference list", [](ForgedFile& f, const Uids&) { SetCrossRefList(f, {}); }, kRefused,
       "missing from the cross-reference list"},
      {"list entry of another class",
       [](ForgedFile& f, const Uids& u) { SetCrossRefList(f, {u.marker, u.x2}); }, kRefused, "not a cross-reference"},
      {"cross-reference listed twice",
       [](ForgedFile& f, const Uids& u) { SetCrossRefList(f, {u.x1, u.x1, u.x2}); }, kRefused, "listed twice"},
      // What the open-time repair mends, and what insertion used to make.
      {"end marker gone",
       [](ForgedFile& f, const Uids& u) {
         SetEndMarkerField(f, u.x1, UID{99999});
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.Remove(u.e1); });
         SetAnchorStory(f, u.e1, kXRefCrossRefEndMarkerOwnedItemImpl, kInvalidUID);
       },
       kLoads, ""},
      {"list names a missing object",
       [](ForgedFile& f, const Uids& u) { SetCrossRefList(f, {u.x1, u.x2, UID{99999}}); }, kLoads, ""},
      {"end marker moved to the final return, around another cross-reference",
       [](ForgedFile& f, const Uids& u) {
         EditAnchors(f, u, u.story, [&](Anchors& a) { a.Of(u.e1)[0] = a.Of(u.e2)[0] + 1; });
       },
       kLoads, ""},
  };
  return cases;
}
}  // namespace

TEST(CorruptionCampaign, ForgedRecordsAreRefusedOrLoadCleanly) {
  TestApp app;
  Uids u = MakeDocument(*app);
  const std::string good = DocumentFile::Serialize(*u.db, DocumentFile::kDocument);
  const size_t objects = u.db->Objects().size();
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    ForgedFile forged = ForgedFile::From(good);
    ASSERT_FALSE(forged.records.empty());
    c.forge(forged, u);
    std::string error;
    auto db = DocumentFile::Deserialize(forged.Bytes(), DocumentFile::kDocument, "forged", &error);
    if (c.outcome == kRefused) {
      EXPECT_EQ(nullptr, db);
      EXPECT_FALSE(error.empty());
      EXPECT_NE(std::string::npos, error.find(c.message)) << error;
      continue;
    }
    ASSERT_NE(nullptr, db) << error;
    // Nothing of the host's went missing on the way.
    EXPECT_EQ(objects, db->Objects().size());
    Exercise(db.get());
  }
}

// New UIDs count up from the largest stored. One just below the loader's
// limit loads; then a command that needs a new object fails, and the
// document can still be read back.
TEST(CorruptionCampaign, NoNewUIDReachesTheLoadersLimit) {
  TestApp app;
  Uids u = MakeDocument(*app);
  ForgedFile forged = ForgedFile::From(DocumentFile::Serialize(*u.db, DocumentFile::kDocument));
  forged.records.push_back("O" + U32(0x7FFFFFFE) + U32(IdValue(kPageBoss)));
  TempDir dir;
  const std::string path = dir.File("high.xref");
  std::ofstream(path, std::ios::binary) << forged.Bytes();
  std::string error;
  DataBase* doc = app->OpenDocument(path, &error);
  ASSERT_NE(nullptr, doc) << error;
  ErrorCode err = kSuccess;
  EXPECT_EQ(kInvalidUID, InsertAt(doc, u.story, 1, &err));
  EXPECT_EQ("the document has no object identifier left for a new object",
            ErrorUtils::PMGetErrorString(err).GetUTF8String());
  EXPECT_NE(nullptr, DocumentFile::Deserialize(DocumentFile::Serialize(*doc, DocumentFile::kDocument),
                                               DocumentFile::kDocument, "again", &error))
      << error;
}

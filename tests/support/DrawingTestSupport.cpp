#include "tests/support/DrawingTestSupport.h"
#include "commands/XRefCommandID.h"
#include "headless/application/Application.h"
#include "headless/drawing/LineSetting.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/CreateObject.h"
#include "host/IDisplayOptions.h"
#include "host/IDocument.h"
#include "host/ILineInfo.h"
#include "host/ITextAttrUID.h"
#include "host/ITextModel.h"
#include "host/LayoutIDs.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TextTestSupport.h"
#include <gtest/gtest.h>

namespace {
UID Insert(IDataBase* db, UID story, TextIndex at, int32 length, const std::string& marker, const std::string& format) {
  CrossRefRequest r;
  r.start = at;
  r.length = length;
  r.marker = marker;
  r.format = format;
  return InsertCrossRef(db, story, r);
}
}  // namespace

DrawnDocument MakeDrawnDocument(Application& app) {
  DrawnDocument d;
  d.db = app.NewDocument();
  d.source = MakeStory(d.db, "Introduction\rGone away\rLost too\rBody");
  d.story = MakeStory(d.db, "one\rtwo\rthree\rfour\rfive");
  LayoutBuilder layout(d.db);
  layout.AddSpread(1);
  layout.AddTextFrame(layout.PageUID(0), d.source, 30, 6, 30, 30);
  layout.AddTextFrame(layout.PageUID(0), d.story, 30, 8, 30, 150);
  d.sourceMarker = InsertMarker(d.db, d.source, 0, "Intro");
  const UID gone = InsertMarker(d.db, d.source, 14, "Gone");
  const UID lost = InsertMarker(d.db, d.source, 25, "Lost");
  // From the last paragraph up, so the indexes before stay put.
  const UID doomed = Insert(d.db, d.story, 19, 4, "Intro", "<paratext/>");
  d.both = Insert(d.db, d.story, 14, 4, "Lost", "<paratext/>");
  d.broken = Insert(d.db, d.story, 8, 5, "Gone", "<paratext/>");
  d.failed = Insert(d.db, d.story, 4, 3, "Intro", "<paratext/>");
  d.ok = Insert(d.db, d.story, 0, 3, "Intro", "<paratext/>");
  // Composed once, then failing: their text stays, tagged, from the last success.
  for (UID x : {d.failed, d.both}) CrossRef(d.db, x)->SetFormat("Test", "see <paranum/>");
  UIDList toUpdate(d.db, d.failed);
  toUpdate.Append(d.both);
  UpdateCrossRefs(toUpdate);
  EXPECT_EQ(kSuccess, DeleteMarker(d.db, gone));
  EXPECT_EQ(kSuccess, DeleteMarker(d.db, lost));
  // The last cross-reference goes; its text stays tagged with its UID.
  auto last = CrossRef(d.db, doomed);
  d.orphanStart = last->GetStartIndex();
  d.orphanLength = last->GetEndIndex() - d.orphanStart;
  EXPECT_EQ(kSuccess, RunOn(kXRefDeleteCrossRefCmdBoss, UIDRef(d.db, doomed)));
  InterfacePtr<ITextAttrUID> tag(static_cast<ITextAttrUID*>(CreateObject(kXRefCrossRefAttrBoss, IID_ITEXTATTRUID)));
  tag->Set(doomed);
  AttributeBossList attrs;
  attrs.ApplyAttribute(tag->ToAttribute());
  InterfacePtr<ITextModel> text(d.db, d.story, IID_ITEXTMODEL);
  d.orphanStart = text->TotalLength() - 1 - 4;
  d.orphanLength = 4;
  EXPECT_EQ(kSuccess, Process(CmdsOf(d.db, d.story)->ApplyCmd(d.orphanStart, d.orphanLength, attrs)));
  return d;
}

void ShowHiddenCharacters(IDataBase* db, bool show) {
  InterfacePtr<IDocument> doc(db, kRootUID, IID_IDOCUMENT);
  InterfacePtr<IDisplayOptions> options(doc->GetDocWorkspace(), IID_IDISPLAYOPTIONS);
  ASSERT_TRUE(options);
  options->SetShowHiddenCharacters(show);
}

GlyphCell CellOf(IDataBase* db, UID story, TextIndex at) {
  GlyphCell cell;
  InterfacePtr<ILineInfo> lines(db, story, IID_ILINEINFO);
  LineInfo info;
  if (!lines || !lines->GetLineInfo(at, &info)) return cell;
  const Box frame = FrameRect(db, UID{static_cast<uint32>(info.frameUID)});
  cell.x = frame.x + (at - info.lineStart) * kCharAdvance;
  cell.top = frame.y + info.lineInFrame * kLineHeight;
  cell.lineStart = info.lineStart;
  cell.lineLength = info.lineLength;
  return cell;
}

DrawnGlyph DrawnGlyphOf(IDataBase* db, UID story, TextIndex at) {
  DrawnGlyph glyph;
  InterfacePtr<ILineInfo> lines(db, story, IID_ILINEINFO);
  LineInfo info;
  if (!lines || !lines->GetLineInfo(at, &info)) return glyph;
  const Box frame = FrameRect(db, UID{static_cast<uint32>(info.frameUID)});
  SetLine set(db, story, info.lineStart, info.lineLength, ParagraphLead(db, story, info.lineStart));
  set.FitTo(frame.width);
  glyph.x = frame.x + set.GlyphX(at);
  glyph.width = set.GlyphWidth(at);
  glyph.top = frame.y + info.lineInFrame * kLineHeight;
  return glyph;
}

WaxPlace LinePlace(IDataBase* db, UID story, TextIndex at) {
  const GlyphCell cell = CellOf(db, story, at);
  WaxPlace place;
  place.story = UIDRef(db, story);
  place.lineStart = place.start = cell.lineStart;
  place.length = cell.lineLength;
  place.left = cell.x - (at - cell.lineStart) * kCharAdvance;
  place.top = cell.top;
  place.bottom = cell.top + kLineHeight;
  place.advance = kCharAdvance;
  return place;
}

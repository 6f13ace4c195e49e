// The status display's adornments drawn on a recording port: shapes,
// colours, line widths and opacities point by point, the flags and display
// option that silence them, and the attribute report's choice of adornment.
#include "headless/drawing/WaxObjects.h"
#include "host/CreateObject.h"
#include "host/IAttrReport.h"
#include "host/ITextAdornment.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include <climits>
#include <cmath>
#include "model/IXRefCrossRef.h"
#include "model/XRefDrawingID.h"
#include "model/XRefFixedPoint.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/DrawingTestSupport.h"
#include "tests/support/RecordingGraphicsPort.h"
#include "tests/support/TestApp.h"

namespace {
using Ops = std::vector<PortOp>;
const double kBlue = 79.0 / 255.0;

class AdornmentShapes : public ::testing::Test {
protected:
  void SetUp() override {
    d_ = MakeDrawnDocument(*app_);
    ShowHiddenCharacters(d_.db, true);
  }

  Ops DrawGlyphs(const WaxPlace& place, int32 flags = kDrawForScreen) {
    InterfacePtr<ITextAdornment> glyphs(CreateObject<ITextAdornment>(kXRefTextMarkerAdornmentBoss));
    InterfacePtr<IPMUnknown> line(MakeDrawnLine(place));
    RecordingGraphicsPort port;
    glyphs->Draw(flags, line.get(), &port);
    return port.ops;
  }

  WaxPlace RunPlace(UID crossRef) {
    auto x = CrossRef(d_.db, crossRef);
    WaxPlace place = LinePlace(d_.db, d_.story, x->GetStartIndex());
    place.start = x->GetStartIndex();
    place.length = x->GetEndIndex() - x->GetStartIndex();
    return place;
  }

  Ops DrawWash(const WaxPlace& place, int32 flags = kDrawForScreen) {
    InterfacePtr<ITextAdornment> wash(CreateObject<ITextAdornment>(kXRefUnresolvedAdornmentBoss));
    InterfacePtr<IWaxRun> run(MakeWaxRun(place));
    RecordingGraphicsPort port;
    wash->Draw(flags, run.get(), &port);
    return port.ops;
  }

  TestApp app_;
  DrawnDocument d_;
};

void ExpectOps(const Ops& expected, const Ops& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].name, actual[i].name) << "operation " << i;
    ASSERT_EQ(expected[i].args.size(), actual[i].args.size()) << "operation " << i;
    for (size_t a = 0; a < expected[i].args.size(); ++a)
      EXPECT_NEAR(expected[i].args[a], actual[i].args[a], 1e-9) << expected[i].name << " #" << i << " arg " << a;
  }
}

// The bracket as the table gives it, through a point map.
template <class Map>
Ops Bracket(double w, double h, Map map) {
  Ops ops{{"Save", {}}, {"SetRGBColor", {kBlue, 0.6, 1.0}}, {"SetLineWidth", {1.5}}, {"SetOpacity", {0.75}}};
  const double pts[4][2] = {{w, 0}, {0, 0}, {0, h}, {w, h}};
  for (int i = 0; i < 4; ++i) {
    double x = pts[i][0], y = pts[i][1];
    map(&x, &y);
    ops.push_back({i == 0 ? "MoveTo" : "LineTo", {x, y}});
  }
  ops.push_back({"Stroke", {}});
  ops.push_back({"Restore", {}});
  return ops;
}
}  // namespace

TEST(FixedPoint, DrawPrioritiesAndClampsConvertTo16Dot16) {
  EXPECT_EQ(1073775903, XRefToFixed(kXRefGlyphAdornmentPriority));
  EXPECT_EQ(-1073775903, XRefToFixed(kXRefHighlightAdornmentPriority));
  EXPECT_EQ(1073775903, XRefToFixed(16384.52));
  EXPECT_EQ(-1073775903, XRefToFixed(-16384.52));
  EXPECT_EQ(INT32_MIN, XRefToFixed(-32768.0));
  EXPECT_EQ(INT32_MIN, XRefToFixed(-1e9));
  EXPECT_EQ(static_cast<int32>(std::floor(32767.99998 * 65536 + 0.5)), XRefToFixed(1e9));
  EXPECT_EQ(XRefToFixed(32767.99998), XRefToFixed(40000.0));
  EXPECT_EQ(65536, XRefToFixed(1.0));
  EXPECT_EQ(1, XRefToFixed(1.0 / 65536));
  EXPECT_EQ(0, XRefToFixed(0.4 / 65536));
}

TEST_F(AdornmentShapes, AdornmentsReportTheirPrioritiesAndNoInk) {
  InterfacePtr<ITextAdornment> glyphs(CreateObject<ITextAdornment>(kXRefTextMarkerAdornmentBoss));
  InterfacePtr<ITextAdornment> wash(CreateObject<ITextAdornment>(kXRefUnresolvedAdornmentBoss));
  ASSERT_TRUE(glyphs && wash);
  EXPECT_EQ(1073775903, glyphs->GetDrawPriority());
  EXPECT_EQ(-1073775903, wash->GetDrawPriority());
  EXPECT_EQ(0, glyphs->GetInkOutset());
  EXPECT_EQ(0, wash->GetInkOutset());
}

TEST_F(AdornmentShapes, SourceMarkerGlyphFollowsTheTablePointByPoint) {
  const WaxPlace place = LinePlace(d_.db, d_.source, 0);
  const double h = 12, W = 0.7 * h, cx = CellOf(d_.db, d_.source, 0).x, top = place.top;
  auto X = [&](double f) { return cx - W / 2 + f * W; };
  auto Y = [&](double f) { return top + f * h; };
  const double dark[3] = {0.28, 0.3, 0.49};
  Ops expected{{"Save", {}},
               {"SetRGBColor", {kBlue, 0.6, 1.0}},
               {"SetLineWidth", {0.3}},
               {"SetOpacity", {0.7}},
               {"MoveTo", {X(0.5), Y(0)}},
               {"CurveTo", {X(0.619), Y(0.04), X(0.549), Y(0.062), X(0.676), Y(0.1)}},
               {"CurveTo", {X(0.76), Y(0.111), X(0.76), Y(0.2), X(1), Y(0.2)}},
               {"CurveTo", {X(0.915), Y(0.267), X(0.915), Y(0.267), X(0.76), Y(0.311)}},
               {"CurveTo", {X(0.619), Y(0.344), X(0.619), Y(0.344), X(0.5), Y(0.311)}},
               {"ClosePath", {}},
               {"Fill", {}},
               {"SetRGBColor", {dark[0], dark[1], dark[2]}},
               {"SetLineWidth", {0.75}},
               {"SetOpacity", {1.0}},
               {"MoveTo", {X(0.3), Y(1)}},
               {"CurveTo", {X(0.3), Y(0.867), X(0.7), Y(0.867), X(0.7), Y(1)}},
               {"CurveTo", {X(0.6), Y(0.98), X(0.4), Y(0.98), X(0.3), Y(1)}},
               {"ClosePath", {}},
               {"Fill", {}},
               {"MoveTo", {X(0.5), Y((0.98 + 0.867) / 2)}},
               {"LineTo", {X(0.5), Y(0)}},
               {"Stroke", {}},
               {"Restore", {}}};
  ExpectOps(expected, DrawGlyphs(place));
}

TEST_F(AdornmentShapes, BracketsOpenTowardsTheCrossReferenceText) {
  auto x = CrossRef(d_.db, d_.ok);
  const WaxPlace place = LinePlace(d_.db, d_.story, x->GetStartIndex());
  const double top = place.top;
  const double open = CellOf(d_.db, d_.story, x->GetStartIndex() - 1).x;
  const double close = CellOf(d_.db, d_.story, x->GetEndIndex()).x;
  Ops expected = Bracket(3.0, 12.0, [&](double* px, double* py) { *px += open, *py += top; });
  Ops closing = Bracket(-3.0, 12.0, [&](double* px, double* py) { *px += close, *py += top; });
  expected.insert(expected.end(), closing.begin(), closing.end());
  ExpectOps(expected, DrawGlyphs(place));
}

TEST_F(AdornmentShapes, TransformedLinesSendEveryPointThroughTheirMatrix) {
  auto x = CrossRef(d_.db, d_.ok);
  WaxPlace place = LinePlace(d_.db, d_.story, x->GetStartIndex());
  place.left = 0, place.top = 0, place.bottom = 12;  // the line's own coordinates
  place.matrix = PMMatrix{0, 1, -1, 0, 200, 40};     // turned a quarter, then moved
  const double open = (x->GetStartIndex() - 1 - place.lineStart) * kCharAdvance;
  const double close = (x->GetEndIndex() - place.lineStart) * kCharAdvance;
  auto through = [&](double shift) {
    return [&, shift](double* px, double* py) {
      *px += shift;
      place.matrix.Transform(px, py);
    };
  };
  Ops expected = Bracket(3.0, 12.0, through(open));
  Ops closing = Bracket(-3.0, 12.0, through(close));
  expected.insert(expected.end(), closing.begin(), closing.end());
  ExpectOps(expected, DrawGlyphs(place));

  // The wash: one quadrilateral per glyph, transformed.
  WaxPlace run = RunPlace(d_.failed);
  run.left = 0, run.top = 0, run.bottom = 12, run.matrix = place.matrix;
  const Ops wash = DrawWash(run);
  ASSERT_GE(wash.size(), 5u);
  EXPECT_EQ("SetRGBColor", wash[1].name);
  size_t quads = 0;
  for (size_t i = 0; i < wash.size(); ++i) {
    if (wash[i].name != "MoveTo") continue;
    const TextIndex at = run.start + static_cast<TextIndex>(quads++);
    double x0 = (at - run.lineStart) * kCharAdvance, y0v = 0;
    double& y0 = y0v;
    place.matrix.Transform(&x0, &y0);
    EXPECT_NEAR(x0, wash[i].args[0], 1e-9);
    EXPECT_NEAR(y0, wash[i].args[1], 1e-9);
    double x2 = x0, y2 = 0;
    x2 = (at - run.lineStart + 1) * kCharAdvance, y2 = 12;
    place.matrix.Transform(&x2, &y2);
    EXPECT_NEAR(x2, wash[i + 2].args[0], 1e-9);
    EXPECT_NEAR(y2, wash[i + 2].args[1], 1e-9);
  }
  EXPECT_EQ(static_cast<size_t>(run.length), quads);
}

TEST_F(AdornmentShapes, PrintExportAndHiddenCharactersOffSilenceTheGlyphs) {
  const WaxPlace place = LinePlace(d_.db, d_.source, 0);
  EXPECT_FALSE(DrawGlyphs(place).empty());
  EXPECT_TRUE(DrawGlyphs(place, kDrawForPrint).empty());
  EXPECT_TRUE(DrawGlyphs(place, kDrawForExport).empty());
  EXPECT_TRUE(DrawWash(RunPlace(d_.broken), kDrawForPrint).empty());
  EXPECT_TRUE(DrawWash(RunPlace(d_.broken), kDrawForExport | 1).empty());
  ShowHiddenCharacters(d_.db, false);
  EXPECT_TRUE(DrawGlyphs(place).empty());
  EXPECT_FALSE(DrawWash(RunPlace(d_.broken)).empty()) << "the wash does not depend on hidden characters";
  InterfacePtr<ITextAdornment> glyphs(CreateObject<ITextAdornment>(kXRefTextMarkerAdornmentBoss));
  RecordingGraphicsPort port;
  glyphs->Draw(kDrawForScreen, nullptr, &port);
  EXPECT_TRUE(port.ops.empty());
}

TEST_F(AdornmentShapes, WashIsRedForBrokenMagentaForFailedAndRedForBoth) {
  ASSERT_TRUE(CrossRef(d_.db, d_.failed)->IsCompositionFailed());
  ASSERT_FALSE(CrossRef(d_.db, d_.failed)->IsSourceBroken());
  ASSERT_TRUE(CrossRef(d_.db, d_.broken)->IsSourceBroken());
  ASSERT_TRUE(CrossRef(d_.db, d_.both)->IsSourceBroken());
  ASSERT_TRUE(CrossRef(d_.db, d_.both)->IsCompositionFailed());
  auto washOf = [&](UID crossRef, double r, double g, double b) {
    const WaxPlace place = RunPlace(crossRef);
    Ops expected{{"Save", {}},
                 {"SetRGBColor", {r, g, b}},
                 {"SetOpacity", {0.5}},
                 {"Rectangle", {CellOf(d_.db, d_.story, place.start).x, place.top, place.length * kCharAdvance, 12}},
                 {"Fill", {}},
                 {"Restore", {}}};
    ExpectOps(expected, DrawWash(place));
  };
  washOf(d_.broken, 1, 0, 0);
  washOf(d_.failed, 1, 0, 1);
  washOf(d_.both, 1, 0, 0);
  EXPECT_TRUE(DrawWash(RunPlace(d_.ok)).empty());
}

TEST_F(AdornmentShapes, ReportNamesTheWashOnlyWhileTheCrossReferenceExists) {
  InterfacePtr<IAttrReport> report(CreateObject<IAttrReport>(kXRefCrossRefAttrBoss));
  ASSERT_TRUE(report);
  EXPECT_EQ(0, report->CarriedWhenTyping());
  EXPECT_EQ(1, report->CopiedWithText());
  EXPECT_EQ(0, report->AllowedInStyles());
  EXPECT_EQ(0, report->ListedWithResolvedAttributes());
  EXPECT_EQ(2, report->GetDrawKind());
  PMString text("Text: ");
  report->AppendDescription(&text);
  EXPECT_EQ("Text: Cross-Reference Attribute", std::string(text.GetUTF8String()));

  InterfacePtr<WaxRunImpl> live(MakeWaxRun(RunPlace(d_.ok)));
  report->AdornRun(live.get());
  ASSERT_EQ(1u, live->Adornments().size());
  EXPECT_EQ(kXRefCrossRefAttrBoss, live->Adornments()[0].first);
  EXPECT_EQ(kXRefUnresolvedAdornmentBoss, live->Adornments()[0].second);

  WaxPlace orphan = LinePlace(d_.db, d_.story, d_.orphanStart);
  orphan.start = d_.orphanStart, orphan.length = d_.orphanLength;
  InterfacePtr<WaxRunImpl> gone(MakeWaxRun(orphan));
  TextAttribute attr;
  ASSERT_TRUE(gone->GetAttribute(kXRefCrossRefAttrBoss, &attr)) << "the text still carries the attribute";
  report->AdornRun(gone.get());
  ASSERT_EQ(1u, gone->Adornments().size());
  EXPECT_EQ(kInvalidClass, gone->Adornments()[0].second);
  EXPECT_TRUE(DrawWash(orphan).empty());
}

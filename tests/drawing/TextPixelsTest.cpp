// Text as the pictures set it, read back from the pixels: each run in its
// own style (a bold run darker than its plain neighbours, whatever came
// before it), raised and lowered runs off the baseline, and a line too
// wide for its frame scaled down to stay inside it.
#include "headless/drawing/PngImage.h"
#include "headless/drawing/RenderOutput.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include "host/TextAttr.h"
#include "tests/support/DrawingTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <cmath>

namespace {
constexpr double kScale = 4;

class TextPixels : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = app_->NewDocument();
    story_ = MakeStory(db_, "mmmm mmmm mmmm\rx2x2x\r" + std::string(30, 'W'));
    LayoutBuilder layout(db_);
    layout.AddSpread(1);
    page_ = layout.PageUID(0);
    frame_ = layout.AddTextFrame(page_, story_, 30, 4, 30, 30);
    Apply(5, 4, TextAttr::FontStyle("Bold"));
    Apply(16, 1, TextAttr::Position(TextAttr::kPositionSubscript));
    Apply(18, 1, TextAttr::Position(TextAttr::kPositionSuperscript));
    Apply(21, 30, TextAttr::PointSize(18));
  }

  void Apply(TextIndex at, int32 length, const TextAttribute& attr) {
    AttributeBossList attrs;
    attrs.ApplyAttribute(attr);
    ASSERT_EQ(kSuccess, Process(CmdsOf(db_, story_)->ApplyCmd(at, length, attrs)));
  }

  void Render() {
    std::string error;
    ASSERT_TRUE(Renderer(db_, DrawOptions()).WritePNG(page_, kScale, dir_.File("page.png"), &error)) << error;
    ASSERT_TRUE(image_.Read(dir_.File("page.png"), &error)) << error;
  }

  // Darkness summed over the glyphs [at, at + count) of a line, within the line.
  double Ink(TextIndex at, int32 count) {
    const DrawnGlyph first = DrawnGlyphOf(db_, story_, at), last = DrawnGlyphOf(db_, story_, at + count - 1);
    return InkIn(first.x, last.x + last.width, first.top + 0.5, first.top + kLineHeight);
  }

  double InkIn(double left, double right, double top, double bottom) {
    double ink = 0;
    for (int y = Px(top); y < Px(bottom); ++y)
      for (int x = Px(left); x < Px(right); ++x) ink += 255 - image_.At(x, y).g;
    return ink;
  }

  // The lowest and highest pixel rows with ink under the glyph of a text index.
  std::pair<int, int> InkRows(TextIndex at) {
    const DrawnGlyph g = DrawnGlyphOf(db_, story_, at);
    int top = -1, bottom = -1;
    for (int y = Px(g.top - 2); y < Px(g.top + kLineHeight + 2); ++y)
      for (int x = Px(g.x); x < Px(g.x + g.width); ++x) {
        if (image_.At(x, y).g > 128) continue;
        if (top < 0) top = y;
        bottom = y;
      }
    return {top, bottom};
  }

  static int Px(double points) { return static_cast<int>(std::floor(points * kScale)); }

  TestApp app_;
  TempDir dir_;
  DataBase* db_ = nullptr;
  UID story_ = kInvalidUID, page_ = kInvalidUID, frame_ = kInvalidUID;
  PngImage image_;
};
}  // namespace

TEST_F(TextPixels, EachRunIsDrawnInItsOwnStyle) {
  Render();
  const double before = Ink(0, 4), bold = Ink(5, 4), after = Ink(10, 4);
  EXPECT_GT(bold, 1.15 * before) << "the bold run drawn plain";
  EXPECT_GT(bold, 1.15 * after) << "the run after the bold one drawn bold";
  EXPECT_NEAR(before, after, 0.05 * before);
}

TEST_F(TextPixels, RaisedAndLoweredRunsLeaveTheBaseline) {
  Render();
  const auto plain = InkRows(15), lowered = InkRows(16), raised = InkRows(18);
  ASSERT_GE(plain.first, 0);
  ASSERT_GE(lowered.first, 0);
  ASSERT_GE(raised.first, 0);
  EXPECT_GE(lowered.second, plain.second + Px(1.5)) << "a subscript sits below the baseline";
  EXPECT_LE(raised.second, plain.second - Px(3)) << "a superscript sits above the baseline";
  EXPECT_LT(raised.first, plain.first);
}

TEST_F(TextPixels, ALineWiderThanItsFrameIsScaledIntoIt) {
  Render();
  const Box frame = FrameRect(db_, frame_);
  const DrawnGlyph line = DrawnGlyphOf(db_, story_, 21);
  EXPECT_EQ(0, InkIn(frame.Right() + 0.5, frame.Right() + 60, line.top - 6, line.top + kLineHeight));
  EXPECT_GT(InkIn(frame.Right() - 12, frame.Right() - 1, line.top - 6, line.top + kLineHeight), 0) << "set to the frame's width";
}

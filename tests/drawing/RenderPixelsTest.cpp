// Rendered pages read back through Cairo, probed at places computed from
// the layout: brackets and marker glyphs in their colours, washes by state,
// and what hidden characters off and print drawing leave out. Drawing only
// reads: the document's bytes and undo stay as they were.
#include "headless/drawing/PngImage.h"
#include "headless/drawing/RenderOutput.h"
#include "host/ILayout.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/LayoutIDs.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/DrawingTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <cmath>

namespace {
constexpr double kScale = 4;

class RenderPixels : public ::testing::Test {
protected:
  void SetUp() override {
    d_ = MakeDrawnDocument(*app_);
    InterfacePtr<IPageList> pages(d_.db, kRootUID, IID_IPAGELIST);
    page_ = pages->GetNthPageUID(0);
    // A source marker with no text after it: its glyph alone, over no ink.
    InterfacePtr<ITextModel> source(d_.db, d_.source, IID_ITEXTMODEL);
    lone_ = source->TotalLength() - 1;
    InsertMarker(d_.db, d_.source, lone_, "Alone");
  }

  PngImage Render(int32 flags, bool hidden) {
    ShowHiddenCharacters(d_.db, hidden);
    const std::string path = dir_.File("page.png");
    std::string error;
    DrawOptions options;
    options.flags = flags;
    EXPECT_TRUE(Renderer(d_.db, options).WritePNG(page_, kScale, path, &error)) << error;
    PngImage image;
    EXPECT_TRUE(image.Read(path, &error)) << error;
    return image;
  }

  // The pixel at a point of the spread.
  Pixel At(const PngImage& image, double x, double y) {
    const Box box = PageBox(d_.db, page_);
    return image.At(static_cast<int>(std::floor((x - box.x) * kScale)), static_cast<int>(std::floor((y - box.y) * kScale)));
  }

  // A point near the glyph of a text index as drawn: points right of its
  // left edge, a fraction of the line's height down.
  Pixel InCell(const PngImage& image, UID story, TextIndex at, double dx, double fy) {
    const DrawnGlyph glyph = DrawnGlyphOf(d_.db, story, at);
    return At(image, glyph.x + dx, glyph.top + fy * kLineHeight);
  }

  // Below the baseline of the cross-reference's second character: wash, no ink.
  Pixel WashProbe(const PngImage& image, UID crossRef) {
    return InCell(image, d_.story, CrossRef(d_.db, crossRef)->GetStartIndex() + 1, 2, 0.92);
  }

  TestApp app_;
  TempDir dir_;
  DrawnDocument d_;
  UID page_ = kInvalidUID;
  TextIndex lone_ = 0;
};

bool Near(const Pixel& p, int r, int g, int b, int tolerance = 24) {
  return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}
// A colour laid over white with an opacity.
int Over(double c, double alpha) { return static_cast<int>(std::lround(255 * (1 - alpha) + 255 * c * alpha)); }
std::string Show(const Pixel& p) {
  return "(" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) + ")";
}

const int kBracket[3] = {Over(79 / 255.0, 0.75), Over(0.6, 0.75), 255};
}  // namespace

TEST_F(RenderPixels, BracketsAndTheSourceMarkerGlyphShowWithHiddenCharacters) {
  const PngImage image = Render(kDrawForScreen, true);
  auto x = CrossRef(d_.db, d_.ok);
  // The opening bracket's stem, just left of the text (its arms lie over
  // the text and over the brackets of the lines around).
  Pixel p = InCell(image, d_.story, x->GetStartIndex() - 1, -0.4, 0.5);
  EXPECT_TRUE(Near(p, kBracket[0], kBracket[1], kBracket[2])) << Show(p);
  p = InCell(image, d_.story, x->GetStartIndex() - 1, -0.4, 0.2);
  EXPECT_TRUE(Near(p, kBracket[0], kBracket[1], kBracket[2])) << Show(p);
  // The closing bracket's arms reach back from the end marker's left edge.
  p = InCell(image, d_.story, x->GetEndIndex(), -1.5, 0.05);
  EXPECT_TRUE(Near(p, kBracket[0], kBracket[1], kBracket[2])) << Show(p);
  p = InCell(image, d_.story, x->GetEndIndex(), 1.5, 0.05);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << "nothing to the right of the closing bracket " << Show(p);
  // The source marker: the flag's body right of the stem, the dark head at the foot.
  const DrawnGlyph marker = DrawnGlyphOf(d_.db, d_.source, lone_);
  const double W = 0.7 * kLineHeight;
  p = At(image, marker.x + 0.25 * W, marker.top + 0.2 * kLineHeight);
  EXPECT_TRUE(Near(p, Over(79 / 255.0, 0.7), Over(0.6, 0.7), 255)) << Show(p);
  p = At(image, marker.x + 0.1 * W, marker.top + 0.96 * kLineHeight);
  EXPECT_TRUE(Near(p, 71, 77, 125, 40)) << Show(p);
}

TEST_F(RenderPixels, WashesAreRedForBrokenMagentaForFailedAndNoneOtherwise) {
  const PngImage image = Render(kDrawForScreen, false);
  Pixel p = WashProbe(image, d_.broken);
  EXPECT_TRUE(Near(p, 255, 128, 128)) << "broken: " << Show(p);
  p = WashProbe(image, d_.failed);
  EXPECT_TRUE(Near(p, 255, 128, 255)) << "failed: " << Show(p);
  p = WashProbe(image, d_.both);
  EXPECT_TRUE(Near(p, 255, 128, 128)) << "broken and failed: " << Show(p);
  p = WashProbe(image, d_.ok);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << "up to date: " << Show(p);
  p = InCell(image, d_.story, d_.orphanStart + 1, 2, 0.92);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << "deleted cross-reference: " << Show(p);
  // Hidden characters off: no glyphs.
  auto x = CrossRef(d_.db, d_.ok);
  p = InCell(image, d_.story, x->GetStartIndex() - 1, -0.4, 0.5);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << Show(p);
  const DrawnGlyph marker = DrawnGlyphOf(d_.db, d_.source, lone_);
  p = At(image, marker.x + 0.25 * 0.7 * kLineHeight, marker.top + 0.2 * kLineHeight);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << Show(p);
}

TEST_F(RenderPixels, PrintingDrawsNeitherGlyphsNorWashes) {
  const PngImage image = Render(kDrawForPrint, true);
  Pixel p = WashProbe(image, d_.broken);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << Show(p);
  p = WashProbe(image, d_.failed);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << Show(p);
  auto x = CrossRef(d_.db, d_.ok);
  p = InCell(image, d_.story, x->GetStartIndex() - 1, -0.4, 0.5);
  EXPECT_TRUE(Near(p, 255, 255, 255)) << Show(p);
}

TEST_F(RenderPixels, DrawingLeavesTheDocumentsBytesAndUndoAlone) {
  Render(kDrawForScreen, true);  // composes what was stale
  const std::string before = DocumentBytes(d_.db);
  const int32 depth = d_.db->UndoDepth();
  Render(kDrawForScreen, true);
  std::string error;
  ASSERT_TRUE(Renderer(d_.db, DrawOptions()).WritePDF({page_}, dir_.File("page.pdf"), &error)) << error;
  EXPECT_EQ(before, DocumentBytes(d_.db));
  EXPECT_EQ(depth, d_.db->UndoDepth());
}

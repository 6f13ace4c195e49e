#include "headless/drawing/TextPainter.h"
#include "host/IFontList.h"
#include "host/ISwatchList.h"
#include "host/ITextAttributes.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include <algorithm>
#include <cctype>
#include <pango/pangocairo.h>
#include <set>

namespace {
const char* const kDefaultFamily = "DejaVu Sans";
// Raised and lowered text: its size and its shift, as fractions of the size.
constexpr double kShiftedSize = 0.6;
constexpr double kRaise = 0.35, kLower = 0.18;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

const std::set<std::string>& InstalledFamilies() {
  static const std::set<std::string> families = [] {
    std::set<std::string> names;
    PangoFontFamily** list = nullptr;
    int count = 0;
    pango_font_map_list_families(pango_cairo_font_map_get_default(), &list, &count);
    for (int i = 0; i < count; ++i) names.insert(Lower(pango_font_family_get_name(list[i])));
    g_free(list);
    return names;
  }();
  return families;
}

// One context for every piece: unhinted metrics make widths independent of
// the scale a picture is drawn at.
PangoContext* SharedContext() {
  static PangoContext* context = [] {
    PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(c, options);
    cairo_font_options_destroy(options);
    return c;
  }();
  return context;
}

double SizeOf(const TextLook& look) { return look.position == 0 ? look.pointSize : look.pointSize * kShiftedSize; }

double ShiftOf(const TextLook& look) {
  if (look.position == 1) return -kRaise * look.pointSize;
  if (look.position == 2) return kLower * look.pointSize;
  return 0;
}
}  // namespace

std::string InstalledFamilyFor(const std::string& family) {
  if (!family.empty() && InstalledFamilies().count(Lower(family))) return family;
  return kDefaultFamily;
}

TextLook LookOfText(IDataBase* db, UID story, TextIndex at) {
  TextLook look;
  InterfacePtr<ITextAttributes> attrs(db, story, IID_ITEXTATTRIBUTES);
  if (!attrs) return look;
  const AttributeBossList resolved = attrs->GetResolvedAttributes(at);
  if (const TextAttribute* a = resolved.Find(kTextAttrFontBoss)) {
    InterfacePtr<IFontFamily> family(db, TextAttr::AsUID(*a), IID_IFONTFAMILY);
    if (family) look.family = family->GetFamilyName().GetUTF8String();
  }
  if (const TextAttribute* a = resolved.Find(kTextAttrFontStyleBoss)) look.style = a->stringValue.GetUTF8String();
  if (const TextAttribute* a = resolved.Find(kTextAttrPointSizeBoss); a && a->realValue > 0)
    look.pointSize = a->realValue;
  if (const TextAttribute* a = resolved.Find(kTextAttrPositionBoss)) look.position = static_cast<int32>(a->intValue);
  if (const TextAttribute* a = resolved.Find(kTextAttrFillColorBoss)) {
    InterfacePtr<ISwatch> swatch(db, TextAttr::AsUID(*a), IID_ISWATCH);
    if (swatch) {
      const uint32 rgb = swatch->GetRGB();
      for (int i = 0; i < 3; ++i) look.rgb[i] = ((rgb >> (16 - 8 * i)) & 0xFF) / 255.0;
    }
  }
  return look;
}

struct TextPiece::Layout {
  explicit Layout(PangoLayout* l) : layout(l) {}
  ~Layout() { g_object_unref(layout); }
  PangoLayout* layout;
};

TextPiece::TextPiece(const std::string& utf8, const TextLook& look)
    : layout_(std::make_unique<Layout>(pango_layout_new(SharedContext()))), look_(look) {
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, InstalledFamilyFor(look.family).c_str());
  const std::string style = Lower(look.style);
  if (style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos)
    pango_font_description_set_style(font, PANGO_STYLE_ITALIC);
  if (style.find("bold") != std::string::npos) pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
  pango_font_description_set_absolute_size(font, SizeOf(look) * PANGO_SCALE);
  pango_layout_set_font_description(layout_->layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout_->layout, utf8.c_str(), static_cast<int>(utf8.size()));
  PangoRectangle logical;
  pango_layout_get_extents(layout_->layout, nullptr, &logical);
  width_ = static_cast<double>(logical.width) / PANGO_SCALE;
}

TextPiece::TextPiece(TextPiece&&) noexcept = default;
TextPiece::~TextPiece() = default;

double TextPiece::GlyphX(int32 byte) const {
  PangoRectangle r;
  pango_layout_index_to_pos(layout_->layout, byte, &r);
  return static_cast<double>(std::min(r.x, r.x + r.width)) / PANGO_SCALE;
}

double TextPiece::GlyphWidth(int32 byte) const {
  PangoRectangle r;
  pango_layout_index_to_pos(layout_->layout, byte, &r);
  return static_cast<double>(std::abs(r.width)) / PANGO_SCALE;
}

void TextPiece::Paint(cairo_t* cr, double x, double baseline) const {
  cairo_save(cr);
  cairo_set_source_rgb(cr, look_.rgb[0], look_.rgb[1], look_.rgb[2]);
  cairo_move_to(cr, x, baseline + ShiftOf(look_));
  pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(layout_->layout, 0));
  cairo_restore(cr);
}

#include "headless/drawing/TextPainter.h"
#include "host/IFontList.h"
#include "host/ISwatchList.h"
#include "host/ITextAttributes.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include <algorithm>
#include <cctype>
#include <memory>
#include <pango/pangocairo.h>
#include <set>

namespace {
const char* const kDefaultFamily = "DejaVu Sans";
// Glyphs larger than this would spill out of their column.
constexpr double kLargestDrawnSize = 9.0;

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

// Anchors of owned items, controls and the return take a column but show nothing.
bool Invisible(char16_t c) {
  return c < 0x20 || c == 0xFEFF || c == 0xFFFC || (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xDC00 && c <= 0xDFFF);
}

std::string UnitToUTF8(const WideString& text, int32 i) {
  const auto& u = text.Units();
  std::u16string one(1, u[static_cast<size_t>(i)]);
  if (u[static_cast<size_t>(i)] >= 0xD800 && u[static_cast<size_t>(i)] <= 0xDBFF && static_cast<size_t>(i) + 1 < u.size())
    one += u[static_cast<size_t>(i) + 1];
  return WideString(one).GetUTF8String();
}

struct LayoutDeleter {
  void operator()(PangoLayout* l) const { g_object_unref(l); }
};
struct FontDeleter {
  void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
}  // namespace

std::string InstalledFamilyFor(const std::string& family) {
  if (!family.empty() && InstalledFamilies().count(Lower(family))) return family;
  return kDefaultFamily;
}

TextLook LookOfText(IDataBase* db, UID story, TextIndex at) {
  TextLook look;
  InterfacePtr<ITextAttributes> attrs(db, story, IID_ITEXTATTRIBUTES);
  if (!attrs) return look;
  TextAttribute a;
  if (attrs->GetAttributeInForce(at, kTextAttrFontBoss, &a)) {
    InterfacePtr<IFontFamily> family(db, TextAttr::AsUID(a), IID_IFONTFAMILY);
    if (family) look.family = family->GetFamilyName().GetUTF8String();
  }
  if (attrs->GetAttributeInForce(at, kTextAttrFontStyleBoss, &a)) look.style = a.stringValue.GetUTF8String();
  if (attrs->GetAttributeInForce(at, kTextAttrPointSizeBoss, &a) && a.realValue > 0) look.pointSize = a.realValue;
  if (attrs->GetAttributeInForce(at, kTextAttrFillColorBoss, &a)) {
    InterfacePtr<ISwatch> swatch(db, TextAttr::AsUID(a), IID_ISWATCH);
    if (swatch) {
      const uint32 rgb = swatch->GetRGB();
      for (int i = 0; i < 3; ++i) look.rgb[i] = ((rgb >> (16 - 8 * i)) & 0xFF) / 255.0;
    }
  }
  return look;
}

void PaintText(cairo_t* cr, const WideString& text, int32 start, int32 count, double left, double advance,
               double baseline, const TextLook& look) {
  std::unique_ptr<PangoLayout, LayoutDeleter> layout(pango_cairo_create_layout(cr));
  std::unique_ptr<PangoFontDescription, FontDeleter> font(pango_font_description_new());
  pango_font_description_set_family(font.get(), InstalledFamilyFor(look.family).c_str());
  const std::string style = Lower(look.style);
  if (style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos)
    pango_font_description_set_style(font.get(), PANGO_STYLE_ITALIC);
  if (style.find("bold") != std::string::npos) pango_font_description_set_weight(font.get(), PANGO_WEIGHT_BOLD);
  const double size = std::min(look.pointSize, kLargestDrawnSize);
  pango_font_description_set_absolute_size(font.get(), size * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), font.get());
  cairo_save(cr);
  cairo_set_source_rgb(cr, look.rgb[0], look.rgb[1], look.rgb[2]);
  const int32 end = std::min(start + count, text.Length());
  for (int32 i = std::max(start, 0); i < end; ++i) {
    if (Invisible(text.Units()[static_cast<size_t>(i)])) continue;
    const std::string glyph = UnitToUTF8(text, i);
    pango_layout_set_text(layout.get(), glyph.c_str(), static_cast<int>(glyph.size()));
    cairo_move_to(cr, left + (i - start) * advance, baseline);
    pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(layout.get(), 0));
  }
  cairo_restore(cr);
}

#include "headless/drawing/PngImage.h"
#include <cairo.h>

bool PngImage::Read(const std::string& path, std::string* error) {
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
    if (error) *error = path + ": " + cairo_status_to_string(cairo_surface_status(png));
    cairo_surface_destroy(png);
    return false;
  }
  // Whatever format the file held, copy it into 32-bit ARGB.
  width_ = cairo_image_surface_get_width(png);
  height_ = cairo_image_surface_get_height(png);
  cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_);
  cairo_t* cr = cairo_create(argb);
  cairo_set_source_surface(cr, png, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(argb);
  const int stride = cairo_image_surface_get_stride(argb);
  const unsigned char* data = cairo_image_surface_get_data(argb);
  argb_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      argb_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
          *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
  cairo_surface_destroy(argb);
  cairo_surface_destroy(png);
  return true;
}

Pixel PngImage::At(int x, int y) const {
  Pixel p;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return p;
  const uint32_t v = argb_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  p.a = static_cast<int>(v >> 24);
  if (p.a == 0) return p;
  auto un = [&](uint32_t c) { return static_cast<int>((c * 255 + static_cast<uint32_t>(p.a) / 2) / static_cast<uint32_t>(p.a)); };
  p.r = un((v >> 16) & 0xFF);
  p.g = un((v >> 8) & 0xFF);
  p.b = un(v & 0xFF);
  return p;
}

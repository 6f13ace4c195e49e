#include "headless/drawing/RenderOutput.h"
#include "headless/drawing/CairoGraphicsPort.h"
#include "headless/drawing/SpreadDrawing.h"
#include "host/LayoutIDs.h"
#include <cairo-pdf.h>
#include <cmath>
#include <memory>

namespace {
struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// Draws the item's spread so that `box` (spread coordinates) fills the
// context from its origin, clipped to the box.
void DrawInto(cairo_t* cr, IDataBase* db, UID item, const Box& box, const SpreadFrames& frames,
              const DrawOptions& options, double scale) {
  cairo_save(cr);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -box.x, -box.y);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_clip(cr);
  CairoGraphicsPort port(cr);
  DrawSpread(db, SpreadOf(db, item), frames, options, box, &port);
  cairo_restore(cr);
}

bool Failed(cairo_status_t status, const std::string& path, std::string* error) {
  if (status == CAIRO_STATUS_SUCCESS) return false;
  if (error) *error = path + ": " + cairo_status_to_string(status);
  return true;
}
}  // namespace

Renderer::Renderer(IDataBase* db, const DrawOptions& options) : db_(db), options_(options), frames_(db) {}

Box Renderer::PictureBox(UID item) const {
  if (db_->GetClass(item) == kPageBoss) return PageBox(db_, item);
  return SpreadBox(db_, item, frames_);
}

double Renderer::PixelCount(UID item, double scale) const {
  const Box box = PictureBox(item);
  return std::ceil(box.width * scale) * std::ceil(box.height * scale);
}

bool Renderer::WritePDF(const std::vector<UID>& pages, const std::string& path, std::string* error) const {
  Surface surface(cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight));
  if (Failed(cairo_surface_status(surface.get()), path, error)) return false;
  Context cr(cairo_create(surface.get()));
  for (UID page : pages) {
    DrawInto(cr.get(), db_, page, PageBox(db_, page), frames_, options_, 1.0);
    cairo_show_page(cr.get());
  }
  cr.reset();
  cairo_surface_finish(surface.get());
  return !Failed(cairo_surface_status(surface.get()), path, error);
}

bool Renderer::WritePNG(UID item, double scale, const std::string& path, std::string* error) const {
  const Box box = PictureBox(item);
  const int width = static_cast<int>(std::ceil(box.width * scale)), height = static_cast<int>(std::ceil(box.height * scale));
  if (width <= 0 || height <= 0) {
    if (error) *error = path + ": nothing to draw";
    return false;
  }
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (Failed(cairo_surface_status(surface.get()), path, error)) return false;
  Context cr(cairo_create(surface.get()));
  DrawInto(cr.get(), db_, item, box, frames_, options_, scale);
  cr.reset();
  return !Failed(cairo_surface_write_to_png(surface.get(), path.c_str()), path, error);
}

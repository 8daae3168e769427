#include "tools/pictures/PictureRenderer.h"

#include <cairo.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "tools/pictures/PicturePath.h"

namespace qel {

namespace pictures {
namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

void SetColour(cairo_t* cr, uint32_t rgb) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

void AddOutline(cairo_t* cr, const std::vector<PathCommand>& commands) {
  for (const PathCommand& c : commands) {
    switch (c.op) {
      case 'M':
        cairo_move_to(cr, c.v[0], c.v[1]);
        break;
      case 'L':
        cairo_line_to(cr, c.v[0], c.v[1]);
        break;
      case 'C':
        cairo_curve_to(cr, c.v[0], c.v[1], c.v[2], c.v[3], c.v[4], c.v[5]);
        break;
      case 'Z':
        cairo_close_path(cr);
        break;
      case 'E': {
        if (c.v[2] <= 0 || c.v[3] <= 0) throw std::invalid_argument("ellipse radius not positive");
        cairo_matrix_t saved;
        cairo_get_matrix(cr, &saved);
        cairo_new_sub_path(cr);
        cairo_translate(cr, c.v[0], c.v[1]);
        cairo_rotate(cr, c.v[4] * M_PI / 180.0);
        cairo_scale(cr, c.v[2], c.v[3]);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_set_matrix(cr, &saved);
        break;
      }
    }
  }
}

}  // namespace

std::vector<uint32_t> RenderPicture(const PictureDescription& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.width > 4096 || picture.height > 4096) {
    throw std::invalid_argument("picture size out of range");
  }
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("no cairo surface");
  std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
  cairo_t* cr = context.get();

  SetColour(cr, picture.background);
  cairo_paint(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

  std::vector<std::vector<PathCommand>> outlines;
  for (size_t i = 0; i < picture.shapes.size(); ++i) {
    const Shape& shape = picture.shapes[i];
    outlines.push_back(ParsePath(shape.path.c_str()));
    cairo_save(cr);
    if (shape.clip >= 0) {
      if (static_cast<size_t>(shape.clip) >= i) throw std::invalid_argument("clip names a later shape");
      cairo_new_path(cr);
      AddOutline(cr, outlines[shape.clip]);
      cairo_clip(cr);
    }
    cairo_new_path(cr);
    AddOutline(cr, outlines.back());
    if (shape.fill != kNoColour) {
      SetColour(cr, shape.fill);
      cairo_fill_preserve(cr);
    }
    if (shape.stroke != kNoColour) {
      if (shape.lineWidth <= 0) throw std::invalid_argument("stroke without a line width");
      SetColour(cr, shape.stroke);
      cairo_set_line_width(cr, shape.lineWidth);
      cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
  }
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(std::string("cairo: ") + cairo_status_to_string(cairo_status(cr)));
  }

  cairo_surface_flush(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  std::vector<uint32_t> pixels(static_cast<size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < picture.width; ++x) pixels[static_cast<size_t>(y) * picture.width + x] = row[x] & 0xFFFFFF;
  }
  return pixels;
}

}  // namespace pictures

}  // namespace qel

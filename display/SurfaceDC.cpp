#include "display/SurfaceDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qel {

namespace display {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Coordinates are cut to this distance: far outside any surface, yet small
// enough that our sums and cairo's fixed-point paths cannot overflow.
constexpr int kFar = 1 << 20;

constexpr int kMaxFontHeight = 4096;

int Near(int v) { return std::clamp(v, -kFar, kFar); }

void Order(int& a, int& b) {
  if (a > b) std::swap(a, b);
}

// Cuts the segment a-b to the box [lo, hi] (Liang-Barsky); false when it
// misses the box. `endCut` tells whether b itself lay outside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double xlo, double ylo, double xhi, double yhi,
                 bool& endCut) {
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - xlo, xhi - ax, ay - ylo, yhi - ay};
  double t0 = 0, t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  endCut = t1 < 1;
  bx = ax + t1 * dx;
  by = ay + t1 * dy;
  ax += t0 * dx;
  ay += t0 * dy;
  return true;
}

}  // namespace

CSurfaceDC::CSurfaceDC(SurfacePtr target, int number)
    : m_target(std::move(target)), m_number(number), m_cr(cairo_create(m_target->Cairo())) {
  cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
}

CSurfaceDC::~CSurfaceDC() {
  if (m_layout) g_object_unref(m_layout);
  cairo_destroy(m_cr);
  cairo_surface_flush(m_target->Cairo());
}

int CSurfaceDC::GetWidth() const { return m_target->Width(); }
int CSurfaceDC::GetHeight() const { return m_target->Height(); }

void CSurfaceDC::SetPen(COLORREF colour, int width) {
  m_penNull = false;
  m_penColour = colour;
  m_penWidth = width;
}
void CSurfaceDC::SetNullPen() { m_penNull = true; }
void CSurfaceDC::SetBrush(COLORREF colour) {
  m_brushNull = false;
  m_brushColour = colour;
}
void CSurfaceDC::SetNullBrush() { m_brushNull = true; }

void CSurfaceDC::BeginDirect() { cairo_surface_flush(m_target->Cairo()); }

void CSurfaceDC::EndDirect(int left, int top, int right, int bottom) {
  cairo_surface_mark_dirty_rectangle(m_target->Cairo(), left, top, right - left, bottom - top);
}

void CSurfaceDC::FillPixels(int64_t left64, int64_t top64, int64_t right64, int64_t bottom64, uint32_t pixel) {
  const int left = static_cast<int>(std::max<int64_t>(left64, 0));
  const int top = static_cast<int>(std::max<int64_t>(top64, 0));
  const int right = static_cast<int>(std::min<int64_t>(right64, m_target->Width()));
  const int bottom = static_cast<int>(std::min<int64_t>(bottom64, m_target->Height()));
  if (left >= right || top >= bottom) return;
  BeginDirect();
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = m_target->Row(y);
    std::fill(row + left, row + right, pixel);
  }
  EndDirect(left, top, right, bottom);
}

bool CSurfaceDC::FigureBox(int& left, int& top, int& right, int& bottom, bool smallerWithoutPen) const {
  left = Near(left);
  top = Near(top);
  right = Near(right);
  bottom = Near(bottom);
  Order(left, right);
  Order(top, bottom);
  if (smallerWithoutPen && m_penNull) {
    --right;
    --bottom;
  }
  return right > left && bottom > top;
}

void CSurfaceDC::SetSource(COLORREF c) {
  cairo_set_source_rgb(m_cr, QelGetR(c) / 255.0, QelGetG(c) / 255.0, QelGetB(c) / 255.0);
}

void CSurfaceDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
  // As the framework's FillSolidRect, this leaves the fill colour as the
  // background colour of later opaque text.
  m_bkColour = colour;
  if (width <= 0 || height <= 0) return;
  FillPixels(x, y, int64_t{x} + width, int64_t{y} + height, PixelFromColorref(colour));
}

void CSurfaceDC::Rectangle(int left, int top, int right, int bottom) {
  if (!FigureBox(left, top, right, bottom, true)) return;
  if (!m_brushNull) FillPixels(left, top, right, bottom, PixelFromColorref(m_brushColour));
  if (m_penNull) return;
  const int w = PenWidth();
  if (w == 1) {
    const uint32_t p = PixelFromColorref(m_penColour);
    FillPixels(left, top, right, top + 1, p);
    FillPixels(left, bottom - 1, right, bottom, p);
    FillPixels(left, top, left + 1, bottom, p);
    FillPixels(right - 1, top, right, bottom, p);
    return;
  }
  cairo_new_path(m_cr);
  cairo_rectangle(m_cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
  cairo_set_line_width(m_cr, w);
  cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER);
  SetSource(m_penColour);
  cairo_stroke(m_cr);
}

void CSurfaceDC::EllipsePath(double cx, double cy, double rx, double ry) {
  cairo_new_path(m_cr);
  if (rx <= 0 || ry <= 0) return;
  cairo_save(m_cr);
  cairo_translate(m_cr, cx, cy);
  cairo_scale(m_cr, rx, ry);
  cairo_arc(m_cr, 0, 0, 1, 0, kTwoPi);
  cairo_close_path(m_cr);
  cairo_restore(m_cr);
}

void CSurfaceDC::Ellipse(int left, int top, int right, int bottom) {
  if (!FigureBox(left, top, right, bottom, true)) return;
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  if (!m_brushNull) {
    EllipsePath(cx, cy, rx, ry);
    SetSource(m_brushColour);
    cairo_fill(m_cr);
  }
  if (!m_penNull) {
    const int w = PenWidth();
    EllipsePath(cx, cy, rx - w / 2.0, ry - w / 2.0);
    cairo_set_line_width(m_cr, w);
    SetSource(m_penColour);
    cairo_stroke(m_cr);
  }
}

void CSurfaceDC::FillPath() {
  if (!m_brushNull) {
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);  // the default ALTERNATE fill mode
    SetSource(m_brushColour);
    cairo_fill_preserve(m_cr);
  }
}

void CSurfaceDC::StrokePath() {
  if (!m_penNull) {
    cairo_set_line_width(m_cr, PenWidth());
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    SetSource(m_penColour);
    cairo_stroke_preserve(m_cr);
  }
}

void CSurfaceDC::PolygonPath(const QelPoint* points, int count, double offset) {
  cairo_new_path(m_cr);
  cairo_move_to(m_cr, Near(points[0].x) + offset, Near(points[0].y) + offset);
  for (int i = 1; i < count; ++i) cairo_line_to(m_cr, Near(points[i].x) + offset, Near(points[i].y) + offset);
  cairo_close_path(m_cr);
}

void CSurfaceDC::Polygon(const QelPoint* points, int count) {
  if (!points || count < 2) return;
  // The fill runs on pixel edges (right and bottom excluded), the outline
  // through pixel centres (every vertex drawn).
  PolygonPath(points, count, 0.0);
  FillPath();
  PolygonPath(points, count, 0.5);
  StrokePath();
  cairo_new_path(m_cr);
}

void CSurfaceDC::Polyline(const QelPoint* points, int count) {
  if (!points || count < 2 || m_penNull) return;
  if (PenWidth() == 1) {
    for (int i = 0; i + 1 < count; ++i) BresenhamLine(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
    return;
  }
  cairo_new_path(m_cr);
  cairo_move_to(m_cr, Near(points[0].x) + 0.5, Near(points[0].y) + 0.5);
  for (int i = 1; i < count; ++i) cairo_line_to(m_cr, Near(points[i].x) + 0.5, Near(points[i].y) + 0.5);
  StrokePath();
  cairo_new_path(m_cr);
}

void CSurfaceDC::MoveTo(int x, int y) { m_position = {x, y}; }

void CSurfaceDC::LineTo(int x, int y) {
  if (!m_penNull) {
    if (PenWidth() == 1) {
      BresenhamLine(m_position.x, m_position.y, x, y);
    } else {
      WideLine(m_position.x, m_position.y, x, y);
    }
  }
  m_position = {x, y};
}

void CSurfaceDC::BresenhamLine(int x0, int y0, int x1, int y1) {
  const int w = m_target->Width(), h = m_target->Height();
  const uint32_t p = PixelFromColorref(m_penColour);
  bool lastToo = false;
  const int64_t span = std::max(std::llabs(int64_t{x1} - x0), std::llabs(int64_t{y1} - y0));
  if (span > 2 * int64_t{w + h}) {
    // Far longer than the surface: cut to it first, so that the steps stay
    // few and no sum overflows. A cut end is an inner point: it is drawn.
    double ax = x0, ay = y0, bx = x1, by = y1;
    if (!ClipSegment(ax, ay, bx, by, -1, -1, w, h, lastToo)) return;
    x0 = static_cast<int>(std::lround(ax));
    y0 = static_cast<int>(std::lround(ay));
    x1 = static_cast<int>(std::lround(bx));
    y1 = static_cast<int>(std::lround(by));
  }
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  BeginDirect();
  int minX = w, minY = h, maxX = -1, maxY = -1;
  while (x0 != x1 || y0 != y1) {
    if (x0 >= 0 && y0 >= 0 && x0 < w && y0 < h) {
      m_target->Row(y0)[x0] = p;
      minX = std::min(minX, x0);
      maxX = std::max(maxX, x0);
      minY = std::min(minY, y0);
      maxY = std::max(maxY, y0);
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  if (lastToo && x1 >= 0 && y1 >= 0 && x1 < w && y1 < h) {
    m_target->Row(y1)[x1] = p;
    minX = std::min(minX, x1);
    maxX = std::max(maxX, x1);
    minY = std::min(minY, y1);
    maxY = std::max(maxY, y1);
  }
  if (maxX >= 0) EndDirect(minX, minY, maxX + 1, maxY + 1);
}

void CSurfaceDC::WideLine(int x0, int y0, int x1, int y1) {
  cairo_new_path(m_cr);
  cairo_move_to(m_cr, Near(x0) + 0.5, Near(y0) + 0.5);
  cairo_line_to(m_cr, Near(x1) + 0.5, Near(y1) + 0.5);
  StrokePath();
  cairo_new_path(m_cr);
}

void CSurfaceDC::ArcAngles(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, double& a1,
                           double& a2) const {
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  a1 = std::atan2((ys - cy) / ry, (xs - cx) / rx);
  a2 = std::atan2((ye - cy) / ry, (xe - cx) / rx);
  // Counter-clockwise on the screen is the negative direction of cairo's
  // y-down angles; equal radials give the whole ellipse.
  if (std::fabs(a1 - a2) < 1e-9) a2 = a1 - kTwoPi;
}

void CSurfaceDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  if (m_penNull || !FigureBox(left, top, right, bottom, false)) return;
  double a1, a2;
  ArcAngles(left, top, right, bottom, xStart, yStart, xEnd, yEnd, a1, a2);
  const int w = PenWidth();
  cairo_new_path(m_cr);
  cairo_save(m_cr);
  cairo_translate(m_cr, (left + right) / 2.0, (top + bottom) / 2.0);
  cairo_scale(m_cr, std::max((right - left - w) / 2.0, 0.01), std::max((bottom - top - w) / 2.0, 0.01));
  cairo_arc_negative(m_cr, 0, 0, 1, a1, a2);
  cairo_restore(m_cr);
  StrokePath();
  cairo_new_path(m_cr);
}

void CSurfaceDC::ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  if (!FigureBox(left, top, right, bottom, false)) return;
  double a1, a2;
  ArcAngles(left, top, right, bottom, xStart, yStart, xEnd, yEnd, a1, a2);
  const int w = PenWidth();
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double rx = std::max((right - left - w) / 2.0, 0.01), ry = std::max((bottom - top - w) / 2.0, 0.01);
  if (!m_penNull) {
    // The line from the current position joins the arc's start.
    cairo_new_path(m_cr);
    cairo_move_to(m_cr, Near(m_position.x) + 0.5, Near(m_position.y) + 0.5);
    cairo_save(m_cr);
    cairo_translate(m_cr, cx, cy);
    cairo_scale(m_cr, rx, ry);
    cairo_arc_negative(m_cr, 0, 0, 1, a1, a2);
    cairo_restore(m_cr);
    StrokePath();
    cairo_new_path(m_cr);
  }
  m_position = {static_cast<int>(std::floor(cx + rx * std::cos(a2))),
                static_cast<int>(std::floor(cy + ry * std::sin(a2)))};
}

void CSurfaceDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  if (!FigureBox(left, top, right, bottom, false)) return;
  double a1, a2;
  ArcAngles(left, top, right, bottom, xStart, yStart, xEnd, yEnd, a1, a2);
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const int w = m_penNull ? 0 : PenWidth();
  cairo_new_path(m_cr);
  cairo_move_to(m_cr, cx, cy);
  cairo_save(m_cr);
  cairo_translate(m_cr, cx, cy);
  cairo_scale(m_cr, std::max((right - left - w) / 2.0, 0.01), std::max((bottom - top - w) / 2.0, 0.01));
  cairo_arc_negative(m_cr, 0, 0, 1, a1, a2);
  cairo_restore(m_cr);
  cairo_close_path(m_cr);
  FillPath();
  StrokePath();
  cairo_new_path(m_cr);
}

void CSurfaceDC::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= m_target->Width() || y >= m_target->Height()) return;
  BeginDirect();
  m_target->Row(y)[x] = PixelFromColorref(colour);
  EndDirect(x, y, x + 1, y + 1);
}

COLORREF CSurfaceDC::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_target->Width() || y >= m_target->Height()) return 0xFFFFFFFFu;  // CLR_INVALID
  cairo_surface_flush(m_target->Cairo());
  return ColorrefFromPixel(m_target->PixelAt(x, y));
}

// ---- text ----

PangoLayout* CSurfaceDC::Layout() {
  if (!m_layout) {
    m_layout = pango_cairo_create_layout(m_cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(m_layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(m_layout);
  }
  return m_layout;
}

void CSurfaceDC::SetFont(const char* face, int height, int weight, bool italic) {
  m_fontFace = face && *face ? face : "Sans";
  // Taller than any screen is pointless and would make huge glyph images.
  m_fontHeight = std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
  m_fontWeight = weight;
  m_fontItalic = italic;
  m_fontDirty = true;
}

void CSurfaceDC::ApplyFont() {
  PangoLayout* layout = Layout();
  if (!m_fontDirty) return;
  m_fontDirty = false;
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, m_fontFace.c_str());
  pango_font_description_set_weight(
      desc, static_cast<PangoWeight>(std::clamp(m_fontWeight <= 0 ? 400 : m_fontWeight, 100, 1000)));
  pango_font_description_set_style(desc, m_fontItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  double pixels = 16.0;
  if (m_fontHeight < 0) {
    pixels = -static_cast<double>(m_fontHeight);  // the character height
  } else if (m_fontHeight > 0) {
    // A positive height is the cell (ascent + descent): scale to fit it.
    pango_font_description_set_absolute_size(desc, m_fontHeight * PANGO_SCALE);
    PangoFontMetrics* m = pango_context_get_metrics(pango_layout_get_context(layout), desc, nullptr);
    const double cell =
        (pango_font_metrics_get_ascent(m) + pango_font_metrics_get_descent(m)) / static_cast<double>(PANGO_SCALE);
    pango_font_metrics_unref(m);
    pixels = cell > 0 ? m_fontHeight * m_fontHeight / cell : m_fontHeight;
  }
  pango_font_description_set_absolute_size(desc, pixels * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
}

void CSurfaceDC::PlaceLayout(const char* text, bool singleLine, int wrapWidth) {
  ApplyFont();
  PangoLayout* layout = Layout();
  pango_layout_set_single_paragraph_mode(layout, singleLine);
  pango_layout_set_width(layout, wrapWidth > 0 ? std::min(wrapWidth, kFar) * PANGO_SCALE : -1);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  if (!text) text = "";
  if (g_utf8_validate(text, -1, nullptr)) {
    pango_layout_set_text(layout, text, -1);
  } else {
    gchar* valid = g_utf8_make_valid(text, -1);
    pango_layout_set_text(layout, valid, -1);
    g_free(valid);
  }
}

void CSurfaceDC::SetTextColor(COLORREF colour) { m_textColour = colour; }
void CSurfaceDC::SetBkColor(COLORREF colour) { m_bkColour = colour; }
void CSurfaceDC::SetBkMode(int mode) { m_bkMode = mode; }
void CSurfaceDC::SetTextAlign(uint32_t align) { m_textAlign = align; }

void CSurfaceDC::TextOut(int x, int y, const char* text) {
  x = Near(x);
  y = Near(y);
  PlaceLayout(text, true, 0);
  PangoLayout* layout = Layout();
  pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  const int baseline = pango_layout_get_baseline(layout) / PANGO_SCALE;
  int ox = x, oy = y;
  if ((m_textAlign & kTaCenter) == kTaCenter) {
    ox = x - logical.width / 2;
  } else if (m_textAlign & kTaRight) {
    ox = x - logical.width;
  }
  if ((m_textAlign & kTaBaseline) == kTaBaseline) {
    oy = y - baseline;
  } else if (m_textAlign & kTaBottom) {
    oy = y - logical.height;
  }
  if (m_bkMode == kBkOpaque) {
    FillPixels(ox, oy, ox + logical.width, oy + logical.height, PixelFromColorref(m_bkColour));
  }
  cairo_move_to(m_cr, ox - logical.x, oy - logical.y);
  SetSource(m_textColour);
  pango_cairo_show_layout(m_cr, layout);
  cairo_new_path(m_cr);
}

bool CSurfaceDC::GetTextExtent(const char* text, int* width, int* height) {
  PlaceLayout(text, true, 0);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(Layout(), nullptr, &logical);
  if (width) *width = logical.width;
  if (height) *height = logical.height;
  return true;
}

int CSurfaceDC::DrawText(const char* text, const QelRect& rectIn, uint32_t format) {
  QelRect rect{Near(rectIn.left), Near(rectIn.top), Near(rectIn.right), Near(rectIn.bottom)};
  rect.Normalize();
  const bool singleLine = (format & kDtSingleLine) != 0;
  const bool wrap = (format & kDtWordBreak) && !singleLine;
  PlaceLayout(text, singleLine, wrap ? rect.Width() : 0);
  PangoLayout* layout = Layout();
  const PangoAlignment align = (format & kDtCenter)  ? PANGO_ALIGN_CENTER
                               : (format & kDtRight) ? PANGO_ALIGN_RIGHT
                                                     : PANGO_ALIGN_LEFT;
  pango_layout_set_alignment(layout, wrap ? align : PANGO_ALIGN_LEFT);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  int x = rect.left;
  if (!wrap) {
    if (format & kDtCenter) {
      x = rect.left + (rect.Width() - logical.width) / 2;
    } else if (format & kDtRight) {
      x = rect.right - logical.width;
    }
  }
  int y = rect.top;
  if (singleLine && (format & kDtVCenter)) {
    y = rect.top + (rect.Height() - logical.height) / 2;
  } else if (singleLine && (format & kDtBottom)) {
    y = rect.bottom - logical.height;
  }
  if (m_bkMode == kBkOpaque) {
    const int l = std::max(rect.left, x + (wrap ? logical.x : 0));
    const int r = std::min(rect.right, x + (wrap ? logical.x : 0) + logical.width);
    const int t = std::max(rect.top, y);
    const int b = std::min(rect.bottom, y + logical.height);
    if (l < r && t < b) FillPixels(l, t, r, b, PixelFromColorref(m_bkColour));
  }
  cairo_save(m_cr);
  cairo_rectangle(m_cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_clip(m_cr);
  cairo_move_to(m_cr, x - (wrap ? 0 : logical.x), y - logical.y);
  SetSource(m_textColour);
  pango_cairo_show_layout(m_cr, layout);
  cairo_restore(m_cr);
  cairo_new_path(m_cr);
  if (singleLine && (format & (kDtVCenter | kDtBottom))) return y - rect.top + logical.height;
  return logical.height;
}

// ---- pictures ----

bool CSurfaceDC::BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) {
  if (src.IsEmpty() || (rop != kRopSrcCopy && rop != kRopNotSrcCopy)) return false;
  if (width <= 0 || height <= 0) return true;
  // Clip against the destination and the source alike, in 64 bits so that
  // no coordinate sum overflows.
  int64_t dx = x, dy = y, sx = srcX, sy = srcY, w = width, h = height;
  if (dx < 0) {
    sx -= dx;
    w += dx;
    dx = 0;
  }
  if (dy < 0) {
    sy -= dy;
    h += dy;
    dy = 0;
  }
  if (sx < 0) {
    dx -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    dy -= sy;
    h += sy;
    sy = 0;
  }
  w = std::min({w, int64_t{m_target->Width()} - dx, int64_t{src.width} - sx});
  h = std::min({h, int64_t{m_target->Height()} - dy, int64_t{src.height} - sy});
  if (w <= 0 || h <= 0) return true;
  const uint32_t invert = rop == kRopNotSrcCopy ? 0x00FFFFFFu : 0u;
  BeginDirect();
  for (int64_t j = 0; j < h; ++j) {
    const uint32_t* s = src.Row(static_cast<int>(sy + j)) + sx;
    uint32_t* d = m_target->Row(static_cast<int>(dy + j)) + dx;
    for (int64_t i = 0; i < w; ++i) d[i] = (s[i] ^ invert) & 0x00FFFFFFu;
  }
  EndDirect(static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(dx + w), static_cast<int>(dy + h));
  return true;
}

bool CSurfaceDC::StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                            int srcHeight, uint32_t rop) {
  if (src.IsEmpty() || (rop != kRopSrcCopy && rop != kRopNotSrcCopy)) return false;
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return false;
  // Opposite signs of a destination and a source extent mirror the picture.
  const bool mirrorX = (width < 0) != (srcWidth < 0);
  const bool mirrorY = (height < 0) != (srcHeight < 0);
  // 64 bits throughout: extents of any sign and size neither overflow nor
  // reach outside either picture.
  const int64_t dw = std::llabs(int64_t{width}), dh = std::llabs(int64_t{height});
  const int64_t sw = std::llabs(int64_t{srcWidth}), sh = std::llabs(int64_t{srcHeight});
  const int64_t dx0 = width < 0 ? int64_t{x} + width : x;
  const int64_t dy0 = height < 0 ? int64_t{y} + height : y;
  const int64_t sx0 = srcWidth < 0 ? int64_t{srcX} + srcWidth : srcX;
  const int64_t sy0 = srcHeight < 0 ? int64_t{srcY} + srcHeight : srcY;
  const int left = static_cast<int>(std::clamp<int64_t>(dx0, 0, m_target->Width()));
  const int top = static_cast<int>(std::clamp<int64_t>(dy0, 0, m_target->Height()));
  const int right = static_cast<int>(std::clamp<int64_t>(dx0 + dw, 0, m_target->Width()));
  const int bottom = static_cast<int>(std::clamp<int64_t>(dy0 + dh, 0, m_target->Height()));
  if (left >= right || top >= bottom) return true;
  const uint32_t invert = rop == kRopNotSrcCopy ? 0x00FFFFFFu : 0u;
  BeginDirect();
  for (int py = top; py < bottom; ++py) {
    int64_t j = ((2 * static_cast<int64_t>(py - dy0) + 1) * sh) / (2 * dh);
    if (mirrorY) j = sh - 1 - j;
    const int64_t sy = sy0 + j;
    if (sy < 0 || sy >= src.height) continue;
    const uint32_t* s = src.Row(static_cast<int>(sy));
    uint32_t* d = m_target->Row(py);
    for (int px = left; px < right; ++px) {
      int64_t i = ((2 * static_cast<int64_t>(px - dx0) + 1) * sw) / (2 * dw);
      if (mirrorX) i = sw - 1 - i;
      const int64_t sx = sx0 + i;
      if (sx < 0 || sx >= src.width) continue;
      d[px] = (s[sx] ^ invert) & 0x00FFFFFFu;
    }
  }
  EndDirect(left, top, right, bottom);
  return true;
}

}  // namespace display

}  // namespace qel

#include "tasks/layers/mouse/tests/support/RasterDisplay.h"

#include <cstring>

#include "display/SurfaceDC.h"

namespace qel {

namespace test {

// The display's own context, with a record of the figures drawn into it.
class RasterDisplay::ObservingDC final : public CDC {
 public:
  ObservingDC(std::shared_ptr<display::CRasterSurface> surface, int number, Frame* record)
      : m_dc(std::move(surface), number), m_record(record) {}

  int GetWidth() const override { return m_dc.GetWidth(); }
  int GetHeight() const override { return m_dc.GetHeight(); }
  void SetPen(COLORREF colour, int width) override {
    m_pen = colour;
    m_penWidth = width;
    m_dc.SetPen(colour, width);
  }
  void SetNullPen() override { m_dc.SetNullPen(); }
  void SetBrush(COLORREF colour) override {
    m_brush = colour;
    m_dc.SetBrush(colour);
  }
  void SetNullBrush() override {
    m_brush = kNoBrush;
    m_dc.SetNullBrush();
  }
  void FillSolidRect(int x, int y, int width, int height, COLORREF colour) override {
    m_dc.FillSolidRect(x, y, width, height, colour);
  }
  void Rectangle(int left, int top, int right, int bottom) override { m_dc.Rectangle(left, top, right, bottom); }
  void Ellipse(int left, int top, int right, int bottom) override {
    if (m_record) m_record->ellipses.push_back({m_pen, m_brush, QelRect{left, top, right, bottom}});
    m_dc.Ellipse(left, top, right, bottom);
  }
  void Polygon(const QelPoint* points, int count) override {
    if (m_record && points && count > 0) m_record->polygons.push_back({m_pen, m_brush, {points, points + count}});
    m_dc.Polygon(points, count);
  }
  void Polyline(const QelPoint* points, int count) override { m_dc.Polyline(points, count); }
  void MoveTo(int x, int y) override {
    m_at = QelPoint{x, y};
    m_dc.MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    if (m_record) m_record->lines.push_back({m_pen, m_penWidth, m_at, QelPoint{x, y}});
    m_at = QelPoint{x, y};
    m_dc.LineTo(x, y);
  }
  void Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override {
    if (m_record && xs == xe && ys == ye)
      m_record->ellipses.push_back({m_pen, kNoBrush, QelRect{left, top, right, bottom}});
    m_dc.Arc(left, top, right, bottom, xs, ys, xe, ye);
  }
  void ArcTo(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override {
    m_dc.ArcTo(left, top, right, bottom, xs, ys, xe, ye);
  }
  void Pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override {
    m_dc.Pie(left, top, right, bottom, xs, ys, xe, ye);
  }
  void SetPixel(int x, int y, COLORREF colour) override { m_dc.SetPixel(x, y, colour); }
  COLORREF GetPixel(int x, int y) const override { return m_dc.GetPixel(x, y); }
  void SetFont(const char* face, int height, int weight, bool italic) override {
    m_dc.SetFont(face, height, weight, italic);
  }
  void SetTextColor(COLORREF colour) override {
    m_text = colour;
    m_dc.SetTextColor(colour);
  }
  void SetBkColor(COLORREF colour) override { m_dc.SetBkColor(colour); }
  void SetBkMode(int mode) override { m_dc.SetBkMode(mode); }
  void SetTextAlign(uint32_t align) override { m_dc.SetTextAlign(align); }
  void TextOut(int x, int y, const char* text) override {
    if (m_record && text) m_record->texts.push_back({m_text, QelPoint{x, y}, text});
    m_dc.TextOut(x, y, text);
  }
  bool GetTextExtent(const char* text, int* width, int* height) override {
    return m_dc.GetTextExtent(text, width, height);
  }
  int DrawText(const char* text, const QelRect& rect, uint32_t format) override {
    if (m_record && text) m_record->texts.push_back({m_text, QelPoint{rect.left, rect.top}, text});
    return m_dc.DrawText(text, rect, format);
  }
  bool BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) override {
    return m_dc.BitBlt(x, y, width, height, src, srcX, srcY, rop);
  }
  bool StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                  int srcHeight, uint32_t rop) override {
    return m_dc.StretchBlt(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, rop);
  }

 private:
  display::CSurfaceDC m_dc;
  Frame* m_record;
  COLORREF m_pen = 0;
  int m_penWidth = 1;
  COLORREF m_brush = 0xFFFFFF;
  COLORREF m_text = 0;
  QelPoint m_at{0, 0};
};

RasterDisplay::RasterDisplay(int width, int height, const uint32_t* clock)
    : m_width(width), m_height(height), m_clock(clock) {}

RasterDisplay::~RasterDisplay() = default;

std::shared_ptr<display::CRasterSurface>& RasterDisplay::Surface(int n) {
  std::shared_ptr<display::CRasterSurface>& s = m_surfaces[n];
  if (!s) s = display::CRasterSurface::Create(m_width, m_height, 0, 0);
  return s;
}

bool RasterDisplay::GetWndRectClient(QelRect& rect) {
  rect = QelRect{0, 0, m_width, m_height};
  return true;
}

bool RasterDisplay::SurfaceGetSize(int n, int& width, int& height) {
  if (n < kSurfaceBack || n >= kSurfaceCount) return false;
  width = m_width;
  height = m_height;
  return true;
}

CDC* RasterDisplay::SurfaceGetDC(int n) {
  if (n < kSurfaceBack || n >= kSurfaceCount) return nullptr;
  return new ObservingDC(Surface(n), n, n == kSurfaceBack ? &m_drawing : nullptr);
}

bool RasterDisplay::SurfaceReleaseDC(int, CDC* dc) {
  delete dc;
  return dc != nullptr;
}

bool RasterDisplay::SurfaceClear(int n, COLORREF colour) {
  if (n < kSurfaceBack || n >= kSurfaceCount) return false;
  ObservingDC dc(Surface(n), n, nullptr);
  dc.FillSolidRect(0, 0, m_width, m_height, colour);
  if (n == kSurfaceBack) m_drawing = Frame{};
  return true;
}

void RasterDisplay::Copy(int from, int to) {
  const auto& source = Surface(from);
  const auto& target = Surface(to);
  cairo_surface_flush(source->Cairo());
  std::memcpy(cairo_image_surface_get_data(target->Cairo()), cairo_image_surface_get_data(source->Cairo()),
              static_cast<size_t>(source->Stride()) * static_cast<size_t>(m_height));
  cairo_surface_mark_dirty(target->Cairo());
}

bool RasterDisplay::SurfaceBltBack1(int n) {
  if (n < 0 || n >= kSurfaceCount || m_surfaces.count(n) == 0) return false;
  Copy(n, kSurfaceBack);
  m_drawing = Frame{};
  return true;
}

bool RasterDisplay::Present(bool) {
  Copy(kSurfaceBack, kSurfaceFront);
  m_shown = m_drawing;
  m_shown.at = m_clock ? *m_clock : 0;
  ++m_presents;
  if (m_onPresent) m_onPresent(m_shown);
  return true;
}

COLORREF RasterDisplay::FrontPixel(int x, int y) const {
  auto it = m_surfaces.find(kSurfaceFront);
  if (it == m_surfaces.end() || x < 0 || y < 0 || x >= m_width || y >= m_height) return kNoBrush;
  cairo_surface_t* s = it->second->Cairo();
  cairo_surface_flush(s);
  const uint8_t* row = cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
  uint32_t pixel;
  std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, sizeof pixel);
  return display::ColorrefFromPixel(pixel & 0xFFFFFF);
}

int RasterDisplay::BreakGetState() {
  if (m_breakState == kBreakOnScreen && m_clock && *m_clock - m_breakOpenedAt >= m_breakAnswerAfterMs) {
    m_breakState = m_breakAnswer;
  }
  return m_breakState;
}

intptr_t RasterDisplay::PostMessageA(int command, intptr_t) {
  if (command != kDispCmdOpenBreak || !m_breakOpens) return 0;
  ++m_breakOpened;
  m_breakTitles.push_back(m_breakTitle);
  m_breakOpenedAt = m_clock ? *m_clock : 0;
  m_breakState = kBreakOnScreen;
  return 1;
}

}  // namespace test

}  // namespace qel

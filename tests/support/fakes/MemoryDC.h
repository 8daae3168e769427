// A drawing context over a pixel array in memory, for tests: fills, pixels
// and pictures really draw; other operations are only logged.
#pragma once

#include <string>
#include <vector>

#include "include/qel/DrawContext.h"

namespace qel {

class MemoryDC final : public CDC {
 public:
  MemoryDC(int width, int height, COLORREF fill = 0);

  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void SetPen(COLORREF colour, int width) override;
  void SetNullPen() override { Log("SetNullPen"); }
  void SetBrush(COLORREF colour) override;
  void SetNullBrush() override { Log("SetNullBrush"); }
  void FillSolidRect(int x, int y, int width, int height, COLORREF colour) override;
  // Rectangles, ellipses and lines are logged with their coordinates
  // ("Rectangle l t r b", "LineTo x y").
  void Rectangle(int left, int top, int right, int bottom) override { LogBox("Rectangle", left, top, right, bottom); }
  void Ellipse(int left, int top, int right, int bottom) override { LogBox("Ellipse", left, top, right, bottom); }
  void Polygon(const QelPoint*, int) override { Log("Polygon"); }
  void Polyline(const QelPoint*, int) override { Log("Polyline"); }
  void MoveTo(int x, int y) override { Log("MoveTo " + std::to_string(x) + " " + std::to_string(y)); }
  void LineTo(int x, int y) override { Log("LineTo " + std::to_string(x) + " " + std::to_string(y)); }
  void Arc(int, int, int, int, int, int, int, int) override { Log("Arc"); }
  void ArcTo(int, int, int, int, int, int, int, int) override { Log("ArcTo"); }
  void Pie(int, int, int, int, int, int, int, int) override { Log("Pie"); }
  void SetPixel(int x, int y, COLORREF colour) override;
  COLORREF GetPixel(int x, int y) const override;
  void SetFont(const char*, int, int, bool) override { Log("SetFont"); }
  void SetTextColor(COLORREF) override { Log("SetTextColor"); }
  void SetBkColor(COLORREF) override { Log("SetBkColor"); }
  void SetBkMode(int) override { Log("SetBkMode"); }
  void SetTextAlign(uint32_t) override { Log("SetTextAlign"); }
  void TextOut(int x, int y, const char* text) override;
  // 8 x 16 pixels per character.
  bool GetTextExtent(const char* text, int* width, int* height) override;
  // Logs "DrawText <text>"; the height of one line (16) for a text, 0 for none.
  int DrawText(const char* text, const QelRect&, uint32_t) override;
  bool BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) override;
  // Nearest neighbour; a negative height runs upward from y (rows y, y-1, ...).
  bool StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                  int srcHeight, uint32_t rop) override;

  const std::vector<std::string>& Calls() const { return m_calls; }
  // Whether this very call is among the logged ones.
  bool Logged(const std::string& call) const;
  void ClearCalls() { m_calls.clear(); }
  void Fill(COLORREF colour);
  // Number of pixels of a colour.
  int Count(COLORREF colour) const;

 private:
  void Log(std::string call) { m_calls.push_back(std::move(call)); }
  void LogBox(const char* what, int left, int top, int right, int bottom) {
    Log(std::string(what) + " " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) + " " +
        std::to_string(bottom));
  }
  void Put(int x, int y, COLORREF c);

  int m_width;
  int m_height;
  std::vector<COLORREF> m_pixels;
  std::vector<std::string> m_calls;
};

}  // namespace qel

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
  void Rectangle(int, int, int, int) override { Log("Rectangle"); }
  void Ellipse(int, int, int, int) override { Log("Ellipse"); }
  void Polygon(const QelPoint*, int) override { Log("Polygon"); }
  void Polyline(const QelPoint*, int) override { Log("Polyline"); }
  void MoveTo(int, int) override { Log("MoveTo"); }
  void LineTo(int, int) override { Log("LineTo"); }
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
  void ClearCalls() { m_calls.clear(); }
  void Fill(COLORREF colour);
  // Number of pixels of a colour.
  int Count(COLORREF colour) const;

 private:
  void Log(std::string call) { m_calls.push_back(std::move(call)); }
  void Put(int x, int y, COLORREF c);

  int m_width;
  int m_height;
  std::vector<COLORREF> m_pixels;
  std::vector<std::string> m_calls;
};

}  // namespace qel

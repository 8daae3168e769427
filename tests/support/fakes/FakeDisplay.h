// A display for tests: numbered surfaces are memory contexts of one size;
// every call is logged and some can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/DisplayInterface.h"
#include "tests/support/fakes/MemoryDC.h"

namespace qel {

class FakeDisplay final : public IDDDisplay {
 public:
  FakeDisplay(int width = 320, int height = 240) : m_width(width), m_height(height) {}

  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override { return m_breakState; }
  void BreakSetState(int state) override { m_breakState = state; }
  void BreakSetTitle(const char*) override {}
  bool BreakCreate() override { return false; }
  long TaskDlgCreate(IQelDialog*, QelResModule, int, bool) override { return 0; }
  void SetCursor(bool show) override;
  long TaskDlgDestroy(IQelDialog*, QelResModule, int) override { return 0; }
  intptr_t PostMessageA(int, intptr_t) override { return 0; }
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}

  // The surface's context (made on first use).
  MemoryDC& Surface(int n);
  const std::vector<std::string>& Calls() const { return m_calls; }
  bool Called(const std::string& call) const;

  bool m_sizeFails = false;
  bool m_clearFails = false;
  bool m_bltFails = false;
  bool m_dcFails = false;
  int m_breakState = 0;
  int m_presents = 0;
  int m_cursorShown = -1;  // last SetCursor argument

 private:
  void Log(const std::string& call) { m_calls.push_back(call); }
  static bool Valid(int n) { return n >= kSurfaceBack && n < kSurfaceCount; }

  int m_width;
  int m_height;
  std::map<int, std::unique_ptr<MemoryDC>> m_surfaces;
  std::vector<std::string> m_calls;
};

}  // namespace qel

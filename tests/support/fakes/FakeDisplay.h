// A display for tests: numbered surfaces are memory contexts of one size;
// every call is logged and some can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fakes/MemoryDC.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

class FakeDisplay final : public IDDDisplay {
 public:
  FakeDisplay(int width = 320, int height = 240) : width_(width), height_(height) {}

  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override { return breakState; }
  void BreakSetState(int state) override { breakState = state; }
  void BreakSetTitle(const char*) override {}
  bool BreakCreate() override { return false; }
  long TaskDlgCreate(IQelDialog*, QelResModule, int, bool) override { return 0; }
  void SetCursor(bool show) override;
  long TaskDlgDestroy(IQelDialog*, QelResModule, int) override { return 0; }
  intptr_t PostMessageA(int, intptr_t) override { return 0; }
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}

  // The surface's context (made on first use).
  MemoryDC& Surface(int n);
  const std::vector<std::string>& Calls() const { return calls_; }
  bool Called(const std::string& call) const;

  bool sizeFails = false;
  bool clearFails = false;
  bool bltFails = false;
  bool dcFails = false;
  int breakState = 0;
  int presents = 0;
  int cursorShown = -1;  // last SetCursor argument

 private:
  void Log(const std::string& call) { calls_.push_back(call); }
  static bool Valid(int n) { return n >= kSurfaceBack && n < kSurfaceCount; }

  int width_;
  int height_;
  std::map<int, std::unique_ptr<MemoryDC>> surfaces_;
  std::vector<std::string> calls_;
};

}  // namespace qel

// The run's display as the trial state machine and the plug-in see it during
// a run: every slot goes to the host's display, except that the command to
// open the break dialog is carried out at once on the user-interface thread
// and answers whether the dialog opened. (Queued, the command would always
// answer "sent", and a break dialog that cannot open would leave the run
// waiting for an answer that never comes.)
#pragma once

#include "include/qel/DisplayInterface.h"

namespace qel {

class CDDDisplay;

class CRunDisplay final : public IDDDisplay {
 public:
  explicit CRunDisplay(CDDDisplay& display) : m_display(display) {}

  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override;
  void BreakSetState(int state) override;
  void BreakSetTitle(const char* title) override;
  bool BreakCreate() override;
  long TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId, bool cursor) override;
  void SetCursor(bool show) override;
  long TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) override;
  intptr_t PostMessageA(int command, intptr_t payload) override;
  void SetRestoreDisplay(QelRestoreCallback callback, void* context) override;

  CDDDisplay& Display() { return m_display; }

 private:
  CDDDisplay& m_display;
};

}  // namespace qel

#include "engine/rundlg/ui/RunDisplay.h"

#include "display/ui/DDDisplay.h"

namespace qel {

bool CRunDisplay::GetWndRectClient(QelRect& rect) { return display_.GetWndRectClient(rect); }
bool CRunDisplay::Present(bool show) { return display_.Present(show); }
bool CRunDisplay::SurfaceGetSize(int n, int& width, int& height) { return display_.SurfaceGetSize(n, width, height); }
CDC* CRunDisplay::SurfaceGetDC(int n) { return display_.SurfaceGetDC(n); }
bool CRunDisplay::SurfaceReleaseDC(int n, CDC* dc) { return display_.SurfaceReleaseDC(n, dc); }
bool CRunDisplay::SurfaceClear(int n, COLORREF colour) { return display_.SurfaceClear(n, colour); }
bool CRunDisplay::SurfaceBltBack1(int n) { return display_.SurfaceBltBack1(n); }
int CRunDisplay::BreakGetState() { return display_.BreakGetState(); }
void CRunDisplay::BreakSetState(int state) { display_.BreakSetState(state); }
void CRunDisplay::BreakSetTitle(const char* title) { display_.BreakSetTitle(title); }
bool CRunDisplay::BreakCreate() { return display_.BreakCreate(); }

long CRunDisplay::TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId, bool cursor) {
  return display_.TaskDlgCreate(dialog, module, templateId, cursor);
}

void CRunDisplay::SetCursor(bool show) { display_.SetCursor(show); }

long CRunDisplay::TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) {
  return display_.TaskDlgDestroy(dialog, module, templateId);
}

intptr_t CRunDisplay::PostMessageA(int command, intptr_t payload) {
  if (command == kDispCmdOpenBreak) return display_.SendMessageA(command, payload);
  return display_.PostMessageA(command, payload);
}

void CRunDisplay::SetRestoreDisplay(QelRestoreCallback callback, void* context) {
  display_.SetRestoreDisplay(callback, context);
}

}  // namespace qel

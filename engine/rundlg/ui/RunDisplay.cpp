#include "engine/rundlg/ui/RunDisplay.h"

#include "display/ui/DDDisplay.h"

namespace qel {

bool CRunDisplay::GetWndRectClient(QelRect& rect) { return m_display.GetWndRectClient(rect); }
bool CRunDisplay::Present(bool show) { return m_display.Present(show); }
bool CRunDisplay::SurfaceGetSize(int n, int& width, int& height) { return m_display.SurfaceGetSize(n, width, height); }
CDC* CRunDisplay::SurfaceGetDC(int n) { return m_display.SurfaceGetDC(n); }
bool CRunDisplay::SurfaceReleaseDC(int n, CDC* dc) { return m_display.SurfaceReleaseDC(n, dc); }
bool CRunDisplay::SurfaceClear(int n, COLORREF colour) { return m_display.SurfaceClear(n, colour); }
bool CRunDisplay::SurfaceBltBack1(int n) { return m_display.SurfaceBltBack1(n); }
int CRunDisplay::BreakGetState() { return m_display.BreakGetState(); }
void CRunDisplay::BreakSetState(int state) { m_display.BreakSetState(state); }
void CRunDisplay::BreakSetTitle(const char* title) { m_display.BreakSetTitle(title); }
bool CRunDisplay::BreakCreate() { return m_display.BreakCreate(); }

long CRunDisplay::TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId, bool cursor) {
  return m_display.TaskDlgCreate(dialog, module, templateId, cursor);
}

void CRunDisplay::SetCursor(bool show) { m_display.SetCursor(show); }

long CRunDisplay::TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) {
  return m_display.TaskDlgDestroy(dialog, module, templateId);
}

intptr_t CRunDisplay::PostMessageA(int command, intptr_t payload) {
  if (command == kDispCmdOpenBreak) return m_display.SendMessageA(command, payload);
  return m_display.PostMessageA(command, payload);
}

void CRunDisplay::SetRestoreDisplay(QelRestoreCallback callback, void* context) {
  m_display.SetRestoreDisplay(callback, context);
}

}  // namespace qel

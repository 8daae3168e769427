// The display object: break states, the break dialog, task dialogs and the command channel.
#include <wx/thread.h>
#include <wx/window.h>

#include "display/ui/DDDisplay.h"
#include "display/ui/DisplayCommandEvent.h"

namespace qel {

int CDDDisplay::BreakGetState() { return m_wnd.GetBreakDialog().GetState(); }

void CDDDisplay::BreakSetState(int state) {
  m_wnd.GetBreakDialog().SetState(state);
  // The cursor follows the state; windows are touched on their own thread only.
  if (!m_wnd.GetWindow()) return;
  if (wxIsMainThread()) {
    m_wnd.ApplyCursor();
  } else {
    m_wnd.CallAfter([this] { m_wnd.ApplyCursor(); });
  }
}

void CDDDisplay::BreakSetTitle(const char* title) { m_wnd.GetBreakDialog().SetTitle(title); }

const char* CDDDisplay::BreakGetTitle() const { return m_wnd.GetBreakDialog().GetTitle(); }

bool CDDDisplay::BreakCreate() {
  if (!wxIsMainThread()) return SendMessageA(kDispCmdOpenBreak, 0) != 0;
  return m_wnd.OpenBreak();
}

bool CDDDisplay::BreakCreate(CWndDD* owner) {
  CDlgDDBreak& dialog = m_wnd.GetBreakDialog();
  if (!(m_dwAttr & kDispAttrBreaks) || dialog.IsOpen() || !owner) return false;
  return dialog.Create(owner);
}

void CDDDisplay::BreakCancel() {
  if (!wxIsMainThread()) {
    RunOnUiThread(
        [this] {
          m_wnd.GetBreakDialog().Continue();
          return 0;
        },
        0);
    return;
  }
  m_wnd.GetBreakDialog().Continue();
}

bool CDDDisplay::IsStopped(bool acknowledge) {
  const int state = BreakGetState();
  if (acknowledge) BreakSetState(kBreakStopSeen);
  return state > kBreakContinue;
}

void CDDDisplay::SetCursor(bool show) {
  m_wnd.m_bCursorShow = show;
  if (!m_wnd.GetWindow()) return;
  if (wxIsMainThread()) {
    m_wnd.ApplyCursor();
  } else {
    m_wnd.CallAfter([this] { m_wnd.ApplyCursor(); });
  }
}

long CDDDisplay::TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId, bool cursor) {
  if (!m_wnd.GetWindow()) return 0;
  m_wnd.m_hInstTaskDlg = module;
  m_wnd.m_nTaskDlgId = templateId;
  if (ValidIndex(m_nSelected)) m_wnd.m_rcMonitor = m_displays[m_nSelected].monitorRect;
  m_wnd.m_bCursorShow = cursor;
  return static_cast<long>(SendMessageA(kDispCmdCreateTaskDialog, reinterpret_cast<intptr_t>(dialog)));
}

long CDDDisplay::TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) {
  m_wnd.m_hInstTaskDlg = module;
  m_wnd.m_nTaskDlgId = templateId;
  return static_cast<long>(SendMessageA(kDispCmdDestroyTaskDialog, reinterpret_cast<intptr_t>(dialog)));
}

intptr_t CDDDisplay::SendMessageA(int command, intptr_t payload) {
  if (!m_wnd.GetWindow()) return 0;
  if (wxIsMainThread()) return m_wnd.Command(command, payload);
  return RunOnUiThread([this, command, payload] { return m_wnd.GetWindow() ? m_wnd.Command(command, payload) : 0; }, 0);
}

intptr_t CDDDisplay::PostMessageA(int command, intptr_t payload) {
  if (!m_wnd.GetWindow()) return 0;
  wxQueueEvent(&m_wnd, new CDisplayCommandEvent(command, payload));
  return 1;
}

int CDDDisplay::DlgCreate(CDialogInst* dialog) {
  return static_cast<int>(PostMessageA(kDispCmdCreateDialog, reinterpret_cast<intptr_t>(dialog)));
}

int CDDDisplay::DlgDoModal(CDialogInst* dialog) { return dialog ? dialog->RunModal(dialog->m_pOwner) : 0; }

}  // namespace qel

#include "display/ui/WndDD.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <cairo.h>

#include "common/ui/WxText.h"
#include "display/DisplayGeometry.h"
#include "display/ui/DDDisplay.h"
#include "display/ui/DisplayCommandEvent.h"
#include "display/ui/DisplayMessage.h"
#include "display/ui/DlgDDWndProp.h"
#include "display/ui/XServerFlush.h"

namespace qel {

using namespace qel::display;

CWndDD::CWndDD(CDDDisplay* display) : m_pDisplay(display) {
  Bind(wxEVT_PAINT, &CWndDD::OnPaint, this);
  Bind(wxEVT_ERASE_BACKGROUND, &CWndDD::OnEraseBackground, this);
  Bind(wxEVT_KEY_DOWN, &CWndDD::OnKeyDown, this);
  Bind(wxEVT_SET_CURSOR, &CWndDD::OnSetCursor, this);
  Bind(wxEVT_MOTION, &CWndDD::OnMotion, this);
  Bind(wxEVT_LEAVE_WINDOW, &CWndDD::OnLeave, this);
  Bind(wxEVT_LEFT_DOWN, &CWndDD::OnButtonDown, this);
  Bind(wxEVT_RIGHT_DOWN, &CWndDD::OnButtonDown, this);
  Bind(wxEVT_MIDDLE_DOWN, &CWndDD::OnButtonDown, this);
  Bind(wxEVT_MOVE, &CWndDD::OnMove, this);
  Bind(wxEVT_CONTEXT_MENU, &CWndDD::OnContextMenu, this);
  Bind(wxEVT_MENU, &CWndDD::OnProperties, this, kIdProperties);
  Bind(wxEVT_DESTROY, &CWndDD::OnDestroy, this);
  Bind(QEL_EVT_DISPLAY_COMMAND, &CWndDD::OnDisplayCommand, this);
}

CWndDD::~CWndDD() {
  // The display frees its mode first; a window still held here is let go
  // without touching it when the window system is already gone.
  if (GetWindow() && wxTheApp) Release();
}

bool CWndDD::CreateOwn(const wxRect& rect, bool caption, bool topMost, const std::string& title) {
  // A captioned window keeps its size through fixed size hints: GTK shrinks
  // a frame marked not resizable to what its content asks for.
  long style = caption ? (wxCAPTION | wxRESIZE_BORDER | wxFRAME_NO_TASKBAR) : (wxBORDER_NONE | wxFRAME_NO_TASKBAR);
  if (topMost) style |= wxSTAY_ON_TOP;
  wxFrame* frame = new wxFrame();
  frame->SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (!frame->Create(nullptr, wxID_ANY, ToWx(title), rect.GetPosition(), rect.GetSize(), style)) {
    delete frame;
    return false;
  }
  if (caption) {
    frame->SetClientSize(rect.GetSize());
    frame->SetSizeHints(frame->GetSize(), frame->GetSize());
  }
  // The canvas takes the keys and is what the display draws into.
  wxWindow* canvas = new wxWindow();
  canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
  // Sized at once: the frame's own layout of its child follows only later.
  if (!canvas->Create(frame, wxID_ANY, wxPoint(0, 0), rect.GetSize(), wxWANTS_CHARS | wxBORDER_NONE)) {
    delete canvas;
    frame->Destroy();
    return false;
  }
  m_pFrame = frame;
  frame->Bind(wxEVT_MOVE, &CWndDD::OnMove, this);
  frame->Bind(wxEVT_CLOSE_WINDOW, &CWndDD::OnFrameClose, this);
  if (!AttachTo(canvas)) {
    frame->Unbind(wxEVT_MOVE, &CWndDD::OnMove, this);
    frame->Unbind(wxEVT_CLOSE_WINDOW, &CWndDD::OnFrameClose, this);
    m_pFrame = nullptr;
    frame->Destroy();
    return false;
  }
  frame->Show();
  frame->Raise();
  canvas->SetFocus();
  frame->Update();
  return true;
}

bool CWndDD::AttachTo(wxWindow* window) {
  if (!window || GetWindow()) return false;
  window->PushEventHandler(this);
  m_hWnd = window;
  return true;
}

void CWndDD::Detach() {
  wxWindow* window = m_hWnd.exchange(nullptr);
  // Taken out wherever it stands: the caller may have pushed handlers of
  // its own on top since, and none may be left pointing at us.
  if (window) window->RemoveEventHandler(this);
}

void CWndDD::Release() {
  CloseProperties();
  m_dlgBreak.DestroyWindow();
  if (m_dlgBreak.GetWindow()) m_dlgBreak.GetWindow()->Destroy();
  Detach();
  if (m_pFrame) {
    wxFrame* frame = m_pFrame;
    m_pFrame = nullptr;
    frame->Unbind(wxEVT_MOVE, &CWndDD::OnMove, this);
    frame->Unbind(wxEVT_CLOSE_WINDOW, &CWndDD::OnFrameClose, this);
    frame->Destroy();  // hidden now, deleted when the event loop is idle
  }
}

void CWndDD::PaintNow(bool wait) {
  wxWindow* window = GetWindow();
  if (!window) return;
  // In one request from shared memory, back when the server has drawn it;
  // otherwise through the toolkit's paint.
  if (m_pDisplay && m_pDisplay->PutFrontFrame()) return;
  window->Refresh(false);
  window->Update();
  FlushToXServer(wait);
}

void CWndDD::OnPaint(wxPaintEvent& event) {
  wxWindow* window = GetWindow();
  if (!window || event.GetEventObject() != window) {
    event.Skip();
    return;
  }
  wxPaintDC dc(window);
  SurfacePtr frame = m_pDisplay ? m_pDisplay->GetFrontFrame() : nullptr;
  cairo_t* cr = static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
  if (cr) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    if (frame) {
      cairo_surface_flush(frame->Cairo());
      cairo_set_source_surface(cr, frame->Cairo(), 0, 0);
      cairo_paint(cr);
    }
    cairo_restore(cr);
  } else {
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
  }
  // Nothing more: the front frame is never lost, so it is already the whole
  // picture. Redrawing here (RestoreDisplay) would write into the back
  // buffer a worker thread may be drawing and show it half done.
}

void CWndDD::OnEraseBackground(wxEraseEvent& event) {
  if (event.GetEventObject() != GetWindow()) event.Skip();
}

bool CWndDD::RestoreDisplay() { return m_pDisplay && m_pDisplay->RestoreDisplay(); }

void CWndDD::OnKeyDown(wxKeyEvent& event) {
  if (event.GetEventObject() != GetWindow()) {
    event.Skip();
    return;
  }
  Beep();
  if (event.GetKeyCode() == WXK_SPACE && m_bSpaceBreaks && m_pDisplay && m_hInstResource && OpenBreak()) {
    Beep();
    return;  // consumed
  }
  event.Skip();
}

bool CWndDD::OpenBreak() {
  if (!m_pDisplay || !m_hInstResource || !m_bBreakEnabled || !GetWindow()) return false;
  QelScopedResourceModule module(m_hInstResource);
  m_dlgBreak.SetText(m_pDisplay->m_strBreakText);
  return m_pDisplay->BreakCreate(this);
}

void CWndDD::ApplyCursor() {
  wxWindow* window = GetWindow();
  if (!window) return;
  if (!m_bFullScreen) return;  // a window keeps the cursor it has
  const bool show = m_bCursorShow || m_dlgBreak.GetState() == kBreakOnScreen;
  window->SetCursor(wxCursor(show ? wxCURSOR_ARROW : wxCURSOR_BLANK));
}

void CWndDD::OnSetCursor(wxSetCursorEvent& event) {
  if (!m_bFullScreen || event.GetEventObject() != GetWindow()) {
    event.Skip();
    return;
  }
  const bool show = m_bCursorShow || m_dlgBreak.GetState() == kBreakOnScreen;
  event.SetCursor(wxCursor(show ? wxCURSOR_ARROW : wxCURSOR_BLANK));
}

void CWndDD::OnMotion(wxMouseEvent& event) {
  m_bMouseTracking = true;  // the window system reports the leave by itself
  event.Skip();
}

void CWndDD::OnLeave(wxMouseEvent& event) {
  m_bMouseTracking = false;
  event.Skip();
}

void CWndDD::OnButtonDown(wxMouseEvent& event) {
  // A click that would activate the display is swallowed when activation
  // by a click is not allowed (full screen).
  wxWindow* window = GetWindow();
  wxTopLevelWindow* top = window ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(window)) : nullptr;
  if (!m_bClickActivate && top && !top->IsActive()) return;
  event.Skip();
}

void CWndDD::OnMove(wxMoveEvent& event) {
  event.Skip();
  if (m_pDisplay && GetWindow()) m_pDisplay->UpdateBounds();
}

void CWndDD::OnContextMenu(wxContextMenuEvent& event) {
  wxWindow* window = GetWindow();
  // While a task runs on the display it offers no menu: the mouse's right
  // button may be the run's right response button.
  const bool taskRuns = !m_bSpaceBreaks;
  if (!window || m_pDlgProp || !m_bContextMenu || taskRuns) {
    event.Skip();
    return;
  }
  wxPoint point = event.GetPosition();
  if (point == wxDefaultPosition) point = wxGetMousePosition();
  m_ptContext = point;
  wxMenu menu;
  menu.Append(kIdProperties, "Properties");
  window->PopupMenu(&menu, window->ScreenToClient(point));
}

void CWndDD::OnProperties(wxCommandEvent&) { OpenProperties(); }

void CWndDD::OpenProperties() {
  if (!m_hInstResource || !GetWindow()) return;
  QelScopedResourceModule module(m_hInstResource);
  if (!m_pDlgProp) {
    CDlgDDWndProp* dialog = new CDlgDDWndProp(this, &m_ptContext);
    if (!dialog->Create()) {
      delete dialog;
      return;
    }
    m_pDlgProp = dialog;
  }
  m_pDlgProp->Show();
}

void CWndDD::CloseProperties() {
  if (!m_pDlgProp) return;
  CDlgDDWndProp* dialog = m_pDlgProp;
  m_pDlgProp = nullptr;
  dialog->Destroy();
}

void CWndDD::OnDestroy(wxWindowDestroyEvent& event) {
  event.Skip();
  if (event.GetEventObject() != GetWindow()) return;
  // The window goes away under us (its parent was closed, the program
  // ends): forget it and every dialog on it, and let it go.
  m_pDlgProp = nullptr;
  m_dlgBreak.DestroyWindow();
  Detach();
  if (m_pFrame) {
    m_pFrame->Unbind(wxEVT_MOVE, &CWndDD::OnMove, this);
    m_pFrame->Unbind(wxEVT_CLOSE_WINDOW, &CWndDD::OnFrameClose, this);
    m_pFrame = nullptr;
  }
}

void CWndDD::OnFrameClose(wxCloseEvent& event) {
  // The display window has no close box: only Free closes it.
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}

void CWndDD::OnDisplayCommand(CDisplayCommandEvent& event) {
  event.SetResult(GetWindow() ? Command(event.GetCommand(), event.GetPayload()) : 0);
}

intptr_t CWndDD::Command(int command, intptr_t payload) {
  wxWindow* window = GetWindow();
  if (!window) return 0;
  switch (command) {
    case kDispCmdOpenBreak:
      return OpenBreak() ? 1 : 0;
    case kDispCmdContinue:
      m_dlgBreak.Continue();
      return 0;
    case kDispCmdRestore:
      RestoreDisplay();
      return 0;
    case kDispCmdCreateDialog: {
      CDialogInst* dialog = reinterpret_cast<CDialogInst*>(payload);
      if (!dialog || !dialog->m_hInstResource) return 0;
      QelScopedResourceModule module(dialog->m_hInstResource);
      dialog->m_pOwner = window;
      if (!dialog->CreateModeless(window)) return 0;
      if (wxWindow* w = static_cast<wxWindow*>(dialog->GetWindow())) w->Show();
      return 1;
    }
    case kDispCmdModalDialog: {
      IQelDialog* dialog = reinterpret_cast<IQelDialog*>(payload);
      return dialog ? dialog->RunModal(window) : 0;
    }
    case kDispCmdCreateTaskDialog:
      return CreateTaskDialog(reinterpret_cast<IQelDialog*>(payload));
    case kDispCmdDestroyTaskDialog: {
      IQelDialog* dialog = reinterpret_cast<IQelDialog*>(payload);
      if (!dialog) return 0;
      QelScopedResourceModule module(m_hInstTaskDlg);
      return dialog->DestroyWindow() ? 1 : 0;
    }
    default:
      return 0;
  }
}

long CWndDD::CreateTaskDialog(IQelDialog* dialog) {
  wxWindow* window = GetWindow();
  if (!dialog || !m_hInstTaskDlg || !window) return 0;
  QelScopedResourceModule module(m_hInstTaskDlg);
  if (!dialog->CreateModeless(window)) return 0;
  wxWindow* w = static_cast<wxWindow*>(dialog->GetWindow());
  if (!w) return 0;
  const wxSize size = w->GetSize();
  const QelPoint origin = TaskDialogOrigin(m_rcClient, QelPoint{m_rcMonitor.left, m_rcMonitor.top}, size.x, size.y);
  w->Move(origin.x, origin.y);
  w->Show();
  const QelPoint cursor = TaskDialogCursor(origin, size.x, size.y);
  window->WarpPointer(cursor.x - window->GetScreenPosition().x, cursor.y - window->GetScreenPosition().y);
  ApplyCursor();
  return 1;
}

}  // namespace qel

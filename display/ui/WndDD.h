// The display window: the event handling that makes a window the testee's
// display. It is pushed onto the window the display draws into (a canvas
// of its own frame, or a caller's window), so it handles that window's
// paint, key, cursor, mouse and context-menu events, and it carries the
// command channel, the break dialog and the properties dialog.
#pragma once

#include <wx/event.h>
#include <wx/gdicmn.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "display/ui/DlgDDBreak.h"
#include "display/ui/ScreenExport.h"
#include "include/qel/DrawContext.h"
#include "include/qel/Resources.h"

class wxFrame;
class wxWindow;

namespace qel {

class CDDDisplay;
class CDlgDDWndProp;
class CDisplayCommandEvent;
class IQelDialog;

class QEL_SCREEN_API CWndDD : public wxEvtHandler {
 public:
  // The context menu's "Properties" command; menu item ids stay below
  // 0x7FFF, the toolkit refuses larger ones.
  static constexpr int kIdProperties = 0x700B;

  explicit CWndDD(CDDDisplay* display);
  ~CWndDD() override;

  // The window drawn into (null while no mode is active).
  wxWindow* GetWindow() const { return m_hWnd.load(); }
  wxFrame* GetFrame() const { return m_pFrame; }
  CDDDisplay* GetDisplay() const { return m_pDisplay; }

  // Makes a frame of its own (borderless, or captioned with the given
  // client size) with a canvas to draw into; false when it cannot.
  bool CreateOwn(const wxRect& rect, bool caption, bool topMost, const std::string& title);
  // Takes over a caller's window; it is given back unchanged by Release.
  bool AttachTo(wxWindow* window);
  // Gives a caller's window back or destroys the own frame.
  void Release();

  // Runs a command of the channel on the user-interface thread.
  intptr_t Command(int command, intptr_t payload);
  // The open-break command: opens the break dialog when breaks are allowed and a dialog
  // resource module is set.
  bool OpenBreak();
  // Repaints the window from the display's front frame now and hands it to
  // the X server: through shared memory when it can, waiting until the
  // server has drawn it; otherwise through the toolkit, waiting for the
  // server with `wait`.
  void PaintNow(bool wait);
  // Shows or hides the mouse cursor by the flags and the break state.
  void ApplyCursor();
  virtual bool RestoreDisplay();

  CDlgDDBreak& GetBreakDialog() { return m_dlgBreak; }
  const CDlgDDBreak& GetBreakDialog() const { return m_dlgBreak; }
  CDlgDDWndProp* GetPropertiesDialog() const { return m_pDlgProp; }
  void ForgetPropertiesDialog() { m_pDlgProp = nullptr; }
  void OpenProperties();
  void CloseProperties();

  // Flags and areas (set by the display after each mode creation).
  bool m_bFullScreen = false;
  QelResModule m_hInstTaskDlg = nullptr;
  int m_nTaskDlgId = 0;
  wxPoint m_ptContext;
  QelResModule m_hInstResource = nullptr;
  bool m_bBreakEnabled = false;
  bool m_bSpaceBreaks = true;  // the Space key opens the break dialog (not while a task runs)
  bool m_bContextMenu = true;
  bool m_bClickActivate = true;
  bool m_bCursorShow = false;
  bool m_bMouseTracking = false;
  QelRect m_rcClient;
  QelRect m_rcMonitor;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnEraseBackground(wxEraseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnSetCursor(wxSetCursorEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnButtonDown(wxMouseEvent& event);
  void OnMove(wxMoveEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnProperties(wxCommandEvent& event);
  void OnDestroy(wxWindowDestroyEvent& event);
  void OnFrameClose(wxCloseEvent& event);
  void OnDisplayCommand(CDisplayCommandEvent& event);
  long CreateTaskDialog(IQelDialog* dialog);
  void Detach();

  CDDDisplay* m_pDisplay;
  CDlgDDWndProp* m_pDlgProp = nullptr;
  CDlgDDBreak m_dlgBreak;
  std::atomic<wxWindow*> m_hWnd{nullptr};
  wxFrame* m_pFrame = nullptr;  // own frame; null when drawing into a caller's window
};

}  // namespace qel

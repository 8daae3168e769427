// The properties dialog of a live display: monitor, areas, memory,
// capabilities, the surfaces and the last error. Modeless; at most one per
// display window, opened from its "Properties" context menu.
#pragma once

#include <wx/dialog.h>

#include <string>

#include "display/ui/ScreenExport.h"

class wxListCtrl;
class wxStaticBox;

namespace qel {

class CDDDisplay;
class CWndDD;

class QEL_SCREEN_API CDlgDDWndProp : public wxDialog {
 public:
  // Control ids.
  enum : int {
    kIdSurfaces = 3002,
    kIdGuid = 1204,
    kIdWindowRect = 1206,
    kIdMonitorRect = 1208,
    kIdWindowClient = 1209,
    kIdDisplayClient = 1212,
    kIdDisplayScreen = 1213,
    kIdLastError = 3004,
    kIdMemNonlocal = 3005,
    kIdMemLocal = 3006,
    kIdCaps = 3007,
  };

  CDlgDDWndProp(CWndDD* window, const wxPoint* position);

  // Creates the dialog over the display window; false without a window.
  bool Create();
  bool Create(CWndDD* window, const wxPoint* position);

  // One surfaces row; false when surface n does not exist.
  bool SetListItem(int row, int n);
  // Sets a control's text when the control exists.
  void SetDlgItemTextA(int id, const std::string& text);

  wxStaticBox* GetMonitorGroup() const { return m_monitorGroup; }
  wxStaticBox* GetWindowGroup() const { return m_windowGroup; }

 private:
  void BuildControls();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnMove(wxMoveEvent& event);
  void OnClose(wxCommandEvent& event);
  void OnCloseWindow(wxCloseEvent& event);
  void Close();

  wxListCtrl* m_listSurfaces = nullptr;
  std::string m_strGuid;
  std::string m_strMonitor;
  std::string m_strWindow;
  std::string m_strWindowClient;
  std::string m_strDisplayClient;
  std::string m_strDisplayScreen;
  std::string m_strLastError;
  std::string m_strCaps;
  std::string m_strMemLocal;
  std::string m_strMemNonlocal;
  CWndDD* m_pWndDD;
  CDDDisplay* m_pDisplay;
  const wxPoint* m_pPosition;
  bool m_bCreated = false;
  wxStaticBox* m_monitorGroup = nullptr;
  wxStaticBox* m_windowGroup = nullptr;
};

}  // namespace qel

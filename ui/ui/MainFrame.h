// The program's one top-level window: the toolbar, the menus (the Project
// menu trimmed to the program's mode), the status bar and a splitter with
// the project tree on the left and the main view on the right. It relays
// the login and print notifications to the main view, keeps the "Large
// icons" item, and stores and restores its placement and pane size through
// the window state it is given (the application reads and writes it).
#pragma once

#include <wx/docview.h>

#include "app/settings/QelSettings.h"

class wxBitmap;
class wxSplitterWindow;

namespace qel {

class CQelNotifyEvent;
class CQelViewTab;

// A picture a window hands to the frame for printing (notify codes 41 to
// 43): the picture and the part of it to print. Lives for the sent call.
struct QelPrintRequest {
  const wxBitmap* picture = nullptr;
  wxRect area;
};

// A frame that knows its first activation.
class CPersistentFrame : public wxDocParentFrame {
 public:
  CPersistentFrame(wxDocManager* manager, const wxString& title);
  bool IsFirstActivation() const { return m_bFirstActivation; }

 protected:
  bool m_bFirstActivation = true;
};

class CMainFrame : public CPersistentFrame {
 public:
  static constexpr int kMinPaneSize = 10;

  // state: the application's window state, read at the first activation
  // and written when the frame goes (not owned; it outlives the frame).
  CMainFrame(wxDocManager* manager, QelWindowState* state);
  ~CMainFrame() override;

  // Shows the frame with the stored placement the first time.
  void ActivateFrame();

  CQelViewTab* GetMainView() const { return m_pView; }
  wxWindow* GetTreePane() const { return m_pTree; }
  wxSplitterWindow* GetSplitter() const { return m_pSplitter; }

  // Stores the placement into the window state (done when the frame closes).
  void SavePlacement();

 private:
  void CreateToolbar();
  void CreateMenus();
  void OnNotify(CQelNotifyEvent& event);
  void OnLargeIcons(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnActivate(wxActivateEvent& event);

  QelWindowState* m_pState;
  wxSplitterWindow* m_pSplitter = nullptr;
  wxWindow* m_pTree = nullptr;
  CQelViewTab* m_pView = nullptr;
};

// The left pane: the program installs the project tree's factory; without
// one the pane is empty.
using TreePaneFactory = wxWindow* (*)(wxWindow* parent);
void SetTreePaneFactory(TreePaneFactory factory);

}  // namespace qel

#include "ui/ui/MainFrame.h"

#include <wx/artprov.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <algorithm>

#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DlgAbout.h"
#include "ui/ui/MainWindows.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

TreePaneFactory g_treeFactory = nullptr;
constexpr const char* kFrameTitle = "Qel Task Battery";
constexpr int kStatusPanes = 4;
// The smallest frame that shows the toolbar, the view's controls and every
// tab; smaller screens give their whole work area.
constexpr int kMinFrameWidth = 960;
constexpr int kMinFrameHeight = 640;

// The framework's commands under wx's own ids.
int WxCommandId(int command) {
  switch (command) {
    case kCmdFileNew:
      return wxID_NEW;
    case kCmdFileOpen:
      return wxID_OPEN;
    case kCmdFileSave:
      return wxID_SAVE;
    case kCmdFilePrint:
      return wxID_PRINT;
    case kCmdFilePrintPreview:
      return wxID_PREVIEW;
    case kCmdAppAbout:
      return wxID_ABOUT;
    case kCmdContextHelp:
      return wxID_CONTEXT_HELP;
    default:
      return MenuId(command);
  }
}

wxArtID ToolIcon(int command) {
  switch (command) {
    case kCmdFileNew:
      return wxART_NEW;
    case kCmdFileOpen:
      return wxART_FILE_OPEN;
    case kCmdFileSave:
      return wxART_FILE_SAVE;
    case kCmdFilePrint:
      return wxART_PRINT;
    case kCmdFilePrintPreview:
      return wxART_FIND;
    case kCmdAppAbout:
      return wxART_INFORMATION;
    case kCmdContextHelp:
      return wxART_HELP;
    case kCmdProjectNew:
      return wxART_NEW_DIR;
    case kCmdProjectConvert:
      return wxART_REDO;
    case kCmdSystemUsers:
      return wxART_HELP_SETTINGS;
    case kCmdAddLoggedUser:
      return wxART_PLUS;
    case kCmdLoginProjectUser:
      return wxART_GO_FORWARD;
    default:
      return wxART_LIST_VIEW;
  }
}

}  // namespace

void SetTreePaneFactory(TreePaneFactory factory) { g_treeFactory = factory; }

CPersistentFrame::CPersistentFrame(wxDocManager* manager, const wxString& title)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, title) {}

CMainFrame::CMainFrame(wxDocManager* manager, QelWindowState* state)
    : CPersistentFrame(manager, kFrameTitle), m_pState(state) {
  SetMainFrameWindow(this);
  CreateMenus();
  CreateToolbar();
  CreateStatusBar(kStatusPanes);
  const int widths[kStatusPanes] = {-1, 50, 50, 80};
  SetStatusWidths(kStatusPanes, widths);
  SetStatusText("CAP", 1);
  SetStatusText("NUM", 2);
  SetStatusText("SCRL", 3);

  m_pSplitter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_3D);
  m_pSplitter->SetMinimumPaneSize(kMinPaneSize);
  m_pTree = g_treeFactory ? g_treeFactory(m_pSplitter) : nullptr;
  if (!m_pTree) m_pTree = new wxPanel(m_pSplitter, wxID_ANY);
  m_pView = new CQelViewTab(m_pSplitter);
  SetMainViewWindow(m_pView);
  m_pView->SetTreeWindow(m_pTree);
  m_pView->SetLoggedUserText(GetCurrentUserId());
  const int pane = m_pState ? m_pState->rect.pane1 : 100;
  m_pSplitter->SplitVertically(m_pTree, m_pView, pane > kMinPaneSize ? pane : kMinPaneSize);
  SetTitle(kFrameTitle);

  Bind(QEL_EVT_NOTIFY, &CMainFrame::OnNotify, this);
  Bind(wxEVT_MENU, &CMainFrame::OnLargeIcons, this, MenuId(kCmdLargeIcons));
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  Bind(wxEVT_ACTIVATE, &CMainFrame::OnActivate, this);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) {
    CDlgAbout about(this);
    about.ShowModal();
  }, wxID_ABOUT);
  // Commands the view rules reach it whichever window has the focus.
  for (int command = kCmdSystemConfig; command <= kCmdFontSetup; ++command) {
    if (command == kCmdLargeIcons || command == kCmdFontSetup) continue;
    const int id = MenuId(command);
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
      if (!m_pView->GetEventHandler()->ProcessEventLocally(event)) event.Skip();
    }, id);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
      if (!m_pView->GetEventHandler()->ProcessEventLocally(event)) event.Skip();
    }, id);
  }
}

CMainFrame::~CMainFrame() {
  if (GetMainFrameWindow() == this) SetMainFrameWindow(nullptr);
  if (GetMainViewWindow() == m_pView) SetMainViewWindow(nullptr);
}

void CMainFrame::CreateMenus() {
  auto* file = new wxMenu;
  file->Append(wxID_NEW, "&New Model\tCtrl+N", "Create a new Qel model");
  file->Append(wxID_OPEN, "&Open Model...\tCtrl+O", "Open an existing Qel model");
  file->Append(wxID_SAVE, "&Save Model\tCtrl+S", "Save the active Qel model");
  file->Append(wxID_SAVEAS, "Save Model &As...", "Save the active Qel model with a new name");
  file->AppendSeparator();
  file->Append(wxID_PRINT, "&Print Model...\tCtrl+P", "Print the active Qel model");
  file->Append(wxID_PREVIEW, "Print Model Pre&view", "Display full pages");
  file->Append(wxID_PAGE_SETUP, "Pa&ge Setup...", "Change the printing margins and paper");
  file->Append(MenuId(kCmdFontSetup), "Font Setup...", "Change the printing font");
  file->AppendSeparator();
  file->Append(wxID_EXIT, "E&xit", "Quit the program");
  if (wxDocManager* manager = GetDocumentManager()) {
    manager->FileHistoryUseMenu(file);
    manager->FileHistoryAddFilesToMenu(file);
  }

  auto* view = new wxMenu;
  view->AppendCheckItem(MenuId(kCmdLargeIcons), "&Large icons", "Show the project tree with large icons");

  auto* testee = new wxMenu;
  testee->Append(MenuId(kCmdTesteeNew), "New...", "Enter a new testee");
  testee->Append(MenuId(kCmdTesteeNewCode), "New code...", "Enter a new testee code");

  auto* project = new wxMenu;
  for (const QelCommandEntry& entry : ProjectMenuEntries(kCfrMode)) {
    if (entry.command == 0) {
      project->AppendSeparator();
    } else {
      project->Append(MenuId(entry.command), entry.menuText, entry.prompt ? entry.prompt : "");
    }
  }

  auto* system = new wxMenu;
  system->Append(MenuId(kCmdSystemConfig), "&Config...", "Configure the response device, sound, display and options");
  if (kCfrMode) system->Append(MenuId(kCmdSystemUsers), "Users...", "Update Qel Users");

  auto* help = new wxMenu;
  help->Append(wxID_HELP_CONTENTS, "&Help Topics", "List the help topics");
  help->Append(wxID_ABOUT, "&About Qel...", "Display program information, version number and copyright");

  auto* bar = new wxMenuBar;
  bar->Append(file, "&File");
  bar->Append(view, "&View");
  bar->Append(testee, "&Testee");
  bar->Append(project, "&Project");
  bar->Append(system, "&System");
  bar->Append(help, "&Help");
  SetMenuBar(bar);
}

void CMainFrame::CreateToolbar() {
  wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
  for (const QelCommandEntry& entry : ToolbarEntries(kCfrMode)) {
    if (entry.command == 0) {
      bar->AddSeparator();
      continue;
    }
    bar->AddTool(WxCommandId(entry.command), entry.tooltip,
                 wxArtProvider::GetBitmapBundle(ToolIcon(entry.command), wxART_TOOLBAR), entry.tooltip,
                 wxITEM_NORMAL);
    bar->SetToolLongHelp(WxCommandId(entry.command), entry.prompt);
  }
  bar->Realize();
}

void CMainFrame::ActivateFrame() {
  if (m_bFirstActivation) {
    m_bFirstActivation = false;
    const int display = wxDisplay::GetFromWindow(this);
    const wxRect work = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    // Large enough for every page's controls (the view's best size and the
    // frame's bars), at most the work area.
    const wxSize content = m_pSplitter->GetBestSize() + (GetSize() - GetClientSize());
    SetMinSize(wxSize(std::min(std::max(kMinFrameWidth, content.x), work.width),
                      std::min(std::max(kMinFrameHeight, content.y), work.height)));
    if (m_pState) {
      const QelWindowRect& r = m_pState->rect;
      SetSize(r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (m_pState->max) Maximize(true);
    }
    // The grown frame stays on the screen.
    wxRect rect = GetRect();
    rect.x = std::max(work.x, std::min(rect.x, work.GetRight() + 1 - rect.width));
    rect.y = std::max(work.y, std::min(rect.y, work.GetBottom() + 1 - rect.height));
    if (rect.GetPosition() != GetPosition()) Move(rect.GetPosition());
    Show(true);
    if (m_pState && m_pState->icon) Iconize(true);
  }
  CQelDoc* doc = GetDocumentManager() ? wxDynamicCast(GetDocumentManager()->GetCurrentDocument(), CQelDoc) : nullptr;
  if (wxMenuBar* bar = GetMenuBar()) bar->Check(MenuId(kCmdLargeIcons), doc && doc->GetLargeIcons());
}

void CMainFrame::OnActivate(wxActivateEvent& event) {
  if (event.GetActive() && !m_bFirstActivation) ActivateFrame();
  event.Skip();
}

void CMainFrame::SavePlacement() {
  if (!m_pState) return;
  m_pState->rect.pane1 = m_pSplitter->GetSashPosition();
  m_pState->rect.pane2 = m_pSplitter->GetSize().y;
  const bool minimized = IsIconized();
  const bool maximized = IsMaximized();
  m_pState->icon = minimized ? 1 : 0;
  m_pState->max = maximized ? 1 : 0;
  if (!minimized && !maximized) {
    const wxRect rect = GetRect();
    m_pState->rect.left = rect.x;
    m_pState->rect.top = rect.y;
    m_pState->rect.right = rect.x + rect.width;
    m_pState->rect.bottom = rect.y + rect.height;
  }
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  SavePlacement();
  event.Skip();
}

void CMainFrame::OnLargeIcons(wxCommandEvent& event) {
  CQelDoc* doc = GetDocumentManager() ? wxDynamicCast(GetDocumentManager()->GetCurrentDocument(), CQelDoc) : nullptr;
  if (!doc) return;
  doc->SetLargeIcons(event.IsChecked());
  if (m_pTree) PostNotify(m_pTree, kNotifyRebuildTreeIcons);
}

void CMainFrame::OnNotify(CQelNotifyEvent& event) {
  intptr_t result = 0;
  switch (event.GetCode()) {
    case kNotifyLoginChanged:
      result = SendNotify(m_pView, kNotifyLoginChanged, event.GetPayload());
      break;
    case kNotifyPrint:
    case kNotifyPrintDirect:
    case kNotifyPrintPreview: {
      CQelDoc* doc =
          GetDocumentManager() ? wxDynamicCast(GetDocumentManager()->GetCurrentDocument(), CQelDoc) : nullptr;
      const auto* request = reinterpret_cast<const QelPrintRequest*>(event.GetPayload());
      if (doc && request) doc->SetPrintSource(request->picture, request->area);
      result = SendNotify(m_pView, event.GetCode(), event.GetPayload());
      if (doc) doc->SetPrintSource(nullptr, wxRect());
      break;
    }
    case kNotifyRefreshViews:
      result = SendNotify(m_pView, kNotifyRefreshViews, event.GetPayload());
      break;
    default:
      break;
  }
  event.SetResult(result);
}

}  // namespace qel

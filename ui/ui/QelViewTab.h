// The main view: the right pane of the main frame. It shows the working
// project (its path in a combo box, its format in the caption), the
// logged-in user, and the tabs over the seven pages; it handles the
// Project, Testee and System commands, relays refresh notifications
// between the pages, prints what the document names, and opens the help
// dialog for its pages.
//
// CQelView is the document's view of the doc/view framework: it ties the
// document to this window and makes the printouts.
#pragma once

#include <wx/docview.h>
#include <wx/panel.h>

#include <array>
#include <string>

#include "ui/MainWindowRules.h"

class wxButton;
class wxComboBox;
class wxNotebook;
class wxStaticBitmap;
class wxStaticBox;
class wxStaticText;
class wxBookCtrlEvent;

namespace qel {

class IDocProject;

class CDlgTab;
class CQelDoc;
class CQelNotifyEvent;

class CQelViewTab : public wxPanel {
 public:
  explicit CQelViewTab(wxWindow* parent);
  ~CQelViewTab() override;

  // The first update: links the document, makes the tabs and places the pages.
  void OnInitialUpdate(CQelDoc* doc);
  // The document goes: the view and its pages forget it (until the next one comes).
  void DetachDocument(CQelDoc* doc);

  void RefreshAll();
  void UpdateControls();
  bool OpenWorkingProject(bool browse);
  void ShowPage(int index);
  void HidePage(int index);
  void ShowProjectPathInCombo();
  void FocusTabs();
  // Shows the help dialog of the current page.
  void ShowHelp();
  // Logs in when nobody is logged in, else logs out; true when logged in afterwards.
  bool ChangeLogin();
  // Logs in a user of the project (the user dialog's project form), adding
  // the user to the workstation's list when the operator asked; true when
  // the user is logged in.
  bool LoginProjectUser(IDocProject* project);
  // Makes the logged-in user one of the project's users; true when added.
  bool AddLoggedUserToProject(IDocProject* project);
  // "User view": the logged-in user's record; "View users": the working
  // project's users; the comparison of its users with the workstation's
  // (an audited project only). Each does nothing without what it shows.
  void ShowLoggedUser();
  void ShowProjectUsers();
  void CompareUsers();

  MainViewState State() const;
  int GetCurrentPage() const { return m_currentPage; }
  CDlgTab* GetPage(int index) const;
  wxNotebook* GetTabs() const { return m_pTabs; }
  CQelDoc* GetDocument() const { return m_pDoc; }
  void SetTreeWindow(wxWindow* tree);
  wxWindow* GetTreeWindow() const { return m_pTree; }
  void SetLoggedUserText(const std::string& text) { m_loggedUser = text; }
  const std::string& GetLoggedUserText() const { return m_loggedUser; }
  std::string GetCaptionText() const { return m_caption; }

 private:
  void CreateControls();
  void OnNotify(CQelNotifyEvent& event);
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnTabsKey(wxKeyEvent& event);
  void OnCommand(wxCommandEvent& event);
  void OnUpdateCommand(wxUpdateUIEvent& event);
  void OnButton(wxCommandEvent& event);
  void OnPathChosen(wxCommandEvent& event);
  void PlacePage(CDlgTab* page);
  void OnSize(wxSizeEvent& event);

  std::array<CDlgTab*, 7> m_pages{};
  int m_currentPage = 0;
  bool m_bFirstUpdate = true;
  CQelDoc* m_pDoc = nullptr;
  std::string m_caption = "Working project";
  std::string m_loggedUser;
  std::string m_workingPath;
  bool m_cfrProject = false;
  wxWindow* m_pTree = nullptr;

  wxComboBox* m_pPathCombo = nullptr;
  wxButton* m_pBrowse = nullptr;
  wxButton* m_pRefresh = nullptr;
  wxButton* m_pUserView = nullptr;
  wxButton* m_pLogin = nullptr;
  wxButton* m_pViewUsers = nullptr;
  wxButton* m_pHelp = nullptr;
  wxStaticText* m_pLoggedUser = nullptr;
  wxStaticBitmap* m_pUserIcon = nullptr;
  wxStaticBox* m_pCaptionBox = nullptr;
  wxNotebook* m_pTabs = nullptr;
};

// The main view while it lives; null before and after.
CQelViewTab* GetMainView();

class CQelView : public wxView {
 public:
  bool OnCreate(wxDocument* doc, long flags) override;
  void OnDraw(wxDC*) override {}
  void OnUpdate(wxView*, wxObject*) override {}
  bool OnClose(bool deleteWindow) override;
  wxPrintout* OnCreatePrintout() override;
  // The frame's caption: the model's name, then the program's.
  void OnChangeFilename() override;

 private:
  wxDECLARE_DYNAMIC_CLASS(CQelView);
};

}  // namespace qel

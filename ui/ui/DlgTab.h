// The base of the main view's seven pages: a child window inside the main
// view's tabs that keeps the links to the view, the document and the
// project object, the page's current testee, model and task, tells whether
// the project may be used, and carries the page side of the refresh
// protocol (notify code 112 with the refresh flags).
#pragma once

#include <wx/panel.h>

#include <string>

namespace qel {

class CQelDoc;
class CQelViewTab;
class CQelNotifyEvent;
class IDocProject;

// Refresh flags of notify code 112.
enum QelRefreshFlags : int {
  kRefreshUsers = 1,
  kRefreshTestees = 2,
  kRefreshTesteeCodes = 4,
  kRefreshModels = 8,
  kRefreshScores = 32,
};

// The pages, in page order (tab index = page index; the Import page has no tab).
enum QelMainPage : int {
  kPageAssessments = 0,
  kPageTestees = 1,
  kPageModels = 2,
  kPageData = 3,
  kPageExport = 4,
  kPageProjects = 5,
  kPageImport = 6,
  kMainPageCount = 7,
};

class CDlgTab : public wxPanel {
 public:
  explicit CDlgTab(int templateId);
  ~CDlgTab() override;

  // Makes the page as a child of parent; each page makes its own controls.
  virtual bool CreatePage(wxWindow* parent);
  // Links the page to the view, the document and its project, and makes it
  // inside the tabs.
  bool Place(CQelDoc* doc, CQelViewTab* view, wxWindow* tabs);
  // A new document (the model's file was renewed or opened); the project stays.
  void SetDocument(CQelDoc* doc);

  // False without a project object; in an open CFR project a user must be
  // logged in.
  bool IsProjectReady() const;
  // Sends code 112 with the flags to the view, which passes it to every page.
  void NotifyView(int flags);

  // Reloads the page's choosers and lists, then UpdateControls.
  virtual void Refresh();
  // Enabling, visibility and captions of the page's controls.
  virtual void UpdateControls();

  int GetTemplateId() const { return m_templateId; }
  CQelViewTab* GetOwnerView() const { return m_pView; }
  CQelDoc* GetDocument() const { return m_pDoc; }
  IDocProject* GetProject() const { return m_pProject; }

 protected:
  // Escape inside a page: the focus goes to the view's tabs.
  void OnEscape();
  // Code 13 with a testee filter: the view refreshes and the tree filters.
  virtual void OnNotify(CQelNotifyEvent& event);

  CQelViewTab* m_pView = nullptr;
  CQelDoc* m_pDoc = nullptr;
  IDocProject* m_pProject = nullptr;
  std::string m_testeeId;
  std::string m_modelId;
  std::string m_taskId;
  int m_testeeCount = 0;
  int m_modelCount = 0;
  int m_taskCount = 0;
  int m_taskIndex = -1;

 private:
  void OnCharHook(wxKeyEvent& event);
  void OnNotifyEvent(CQelNotifyEvent& event) { OnNotify(event); }

  int m_templateId;
};

// The pages the program shows: a factory makes page i (0-6) for the view;
// the program installs the pages' own factory. Without one a page is the
// base page, which shows nothing.
using TabPageFactory = CDlgTab* (*)(int page);
void SetTabPageFactory(TabPageFactory factory);
CDlgTab* MakeTabPage(int page);

}  // namespace qel

#include "ui/ui/DlgTab.h"

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {
TabPageFactory g_pageFactory = nullptr;
}  // namespace

void SetTabPageFactory(TabPageFactory factory) { g_pageFactory = factory; }

CDlgTab* MakeTabPage(int page) {
  if (g_pageFactory) {
    if (CDlgTab* made = g_pageFactory(page)) return made;
  }
  return new CDlgTab(0);
}

CDlgTab::CDlgTab(int templateId) : m_templateId(templateId) {}

CDlgTab::~CDlgTab() = default;

bool CDlgTab::CreatePage(wxWindow* parent) {
  if (!wxPanel::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)) return false;
  Bind(wxEVT_CHAR_HOOK, &CDlgTab::OnCharHook, this);
  Bind(QEL_EVT_NOTIFY, &CDlgTab::OnNotifyEvent, this);
  return true;
}

bool CDlgTab::Place(CQelDoc* doc, CQelViewTab* view, wxWindow* tabs) {
  m_pView = view;
  m_pDoc = doc;
  m_pProject = doc ? doc->GetProject() : nullptr;
  return CreatePage(tabs);
}

void CDlgTab::SetDocument(CQelDoc* doc) {
  m_pDoc = doc;
  m_pProject = doc ? doc->GetProject() : nullptr;
}

bool CDlgTab::IsProjectReady() const {
  if (!m_pProject) return false;
  if (m_pProject->IsOpenCfr()) return IsUserLoggedIn();
  return true;
}

void CDlgTab::NotifyView(int flags) {
  if (m_pView) SendNotify(m_pView, kNotifyRefreshViews, flags);
}

void CDlgTab::Refresh() { UpdateControls(); }

void CDlgTab::UpdateControls() {}

void CDlgTab::OnEscape() {
  if (m_pView) m_pView->FocusTabs();
}

void CDlgTab::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE) {
    OnEscape();
    return;
  }
  event.Skip();
}

void CDlgTab::OnNotify(CQelNotifyEvent& event) {
  if (event.GetCode() == kNotifyFilterTestees && m_pView) {
    m_pView->RefreshAll();
    if (wxWindow* tree = m_pView->GetTreeWindow()) PostNotify(tree, kNotifyFilterTestees, event.GetPayload());
  }
  event.SetResult(0);
}

}  // namespace qel

#include "ui/ui/LeftView.h"

#include <wx/imaglist.h>
#include <wx/utils.h>

#include "common/ui/WxText.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/AppImageLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

CLeftView* g_treeWindow = nullptr;

constexpr const char* kToolTipNoProject = "After opening a project it's content will be shown as a tree in this window.";
constexpr const char* kToolTipProject =
    "Here is a view of content of project: \"%s\".\r\nThis tree view can be filtered not for all testees in the "
    "project but only for selected testee by clicking \r\n'<- Filter tree' button in the 'Assessments' or 'Testees' "
    "Tabs \r\nor \r\n'<- Filter tree (by marked)' \r\nor \r\n'<- Filter tree (selected)' buttons in the 'Find "
    "testee' dialog.";
constexpr const char* kToolTipRefresh =
    "\r\nFull content of project can be refreshed by clicking \r\n'<- Refresh full project tree' button in the right "
    "view window.";

wxTreeItemId Id(void* item) { return wxTreeItemId(item); }

}  // namespace

// ---- the control as the nodes use it ----------------------------------------------------------------

class CLeftView::TreeItems final : public IProjectTreeItems {
 public:
  explicit TreeItems(wxTreeCtrl& tree) : m_tree(tree) {}

  void* InsertItem(void* parent, bool first, const std::string& text, int image, bool hasChildren) override {
    // An item made with its text is measured when it is first drawn, not now.
    const int shown = Shown(image);
    wxTreeItemId item;
    if (!parent)
      item = m_tree.GetRootItem().IsOk() ? m_tree.GetRootItem() : m_tree.AddRoot(ToWx(text), shown, shown);
    else if (first)
      item = m_tree.PrependItem(Id(parent), ToWx(text), shown, shown);
    else
      item = m_tree.AppendItem(Id(parent), ToWx(text), shown, shown);
    if (hasChildren) m_tree.SetItemHasChildren(item, true);
    return item.GetID();
  }
  void SetItem(void* item, const std::string& text, int image, bool hasChildren) override {
    // The control measures an item at each change: only changes are made.
    const wxTreeItemId id = Id(item);
    const wxString wxText = ToWx(text);
    if (m_tree.GetItemText(id) != wxText) m_tree.SetItemText(id, wxText);
    const int shown = Shown(image);
    if (m_tree.GetItemImage(id, wxTreeItemIcon_Normal) != shown) {
      m_tree.SetItemImage(id, shown, wxTreeItemIcon_Normal);
      m_tree.SetItemImage(id, shown, wxTreeItemIcon_Selected);
    }
    if (m_tree.ItemHasChildren(id) != hasChildren) m_tree.SetItemHasChildren(id, hasChildren);
  }
  void DeleteItem(void* item) override { m_tree.Delete(Id(item)); }
  void DeleteChildren(void* item) override { m_tree.DeleteChildren(Id(item)); }
  void DeleteAllItems() override { m_tree.DeleteAllItems(); }
  int Shown(int image) const {
    wxImageList* icons = m_tree.GetImageList();
    return icons && image >= 0 && image < icons->GetImageCount() ? image : -1;
  }
  void Expand(void* item, bool expand) override {
    if (expand)
      m_tree.Expand(Id(item));
    else
      m_tree.Collapse(Id(item));
  }
  bool IsExpanded(void* item) const override { return m_tree.IsExpanded(Id(item)); }
  void SelectItem(void* item) override {
    m_tree.EnsureVisible(Id(item));
    m_tree.SelectItem(Id(item));
  }

 private:
  wxTreeCtrl& m_tree;
};


CLeftView* GetTreeWindow() { return g_treeWindow; }

CLeftView::CLeftView(wxWindow* parent, wxWindowID id)
    : wxTreeCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_FULL_ROW_HIGHLIGHT | wxTR_SINGLE | wxBORDER_SUNKEN) {
  if (wxImageList* icons = GetAppSmallImageList()) SetImageList(icons);
  m_items = std::make_unique<TreeItems>(*this);
  m_tree.m_context.items = m_items.get();
  if (!g_treeWindow) g_treeWindow = this;
  Bind(wxEVT_TREE_ITEM_EXPANDING, [this](wxTreeEvent& event) {
    wxBusyCursor wait;
    m_tree.OnExpanding(event.GetItem().GetID(), true);
    event.Skip();
  });
  Bind(wxEVT_TREE_ITEM_COLLAPSING, [this](wxTreeEvent& event) {
    m_tree.OnExpanding(event.GetItem().GetID(), false);
    event.Skip();
  });
  Bind(wxEVT_TREE_ITEM_ACTIVATED, [this](wxTreeEvent& event) {
    OpenItem(event.GetItem());
    event.Skip();  // the control expands or collapses as usual
  });
  Bind(QEL_EVT_NOTIFY, [this](CQelNotifyEvent& event) { event.SetResult(OnNotifyCode(event.GetCode(), event.GetPayload())); });
  BuildRoot();
}

CLeftView::~CLeftView() {
  // The nodes forget their items before the control goes.
  m_tree.m_context.items = nullptr;
  if (g_treeWindow == this) g_treeWindow = nullptr;
}

void CLeftView::SetProject(CProjectData* cache, const std::string& path) {
  m_tree.m_context.cache = cache;
  m_strPath = cache ? path : std::string();
  m_filter = CTesteeFilter();
  BuildRoot();
  Refresh(kTreeAll, &m_filter);
}

void CLeftView::ShowProjectAt(const std::string& path) {
  SetProject(m_tree.m_context.cache, path);
}

void CLeftView::BuildRoot() {
  wxBusyCursor wait;
  m_tree.m_context.cfrMode = CfrMode();
  m_tree.BuildRoot(m_strPath);
  UpdateToolTip();
}

bool CLeftView::Refresh(uint32_t mask, const CTesteeFilter* filter) {
  wxBusyCursor wait;
  m_tree.m_context.cfrMode = CfrMode();
  const bool outdated = m_tree.Refresh(mask, filter, m_strPath);
  UpdateToolTip();
  return outdated;
}

bool CLeftView::RefreshLabels(uint32_t mask) { return m_tree.RefreshLabels(mask); }

intptr_t CLeftView::OnNotifyCode(int code, intptr_t payload) {
  const auto* notice = reinterpret_cast<const QelAssessmentNotice*>(payload);
  switch (code) {
    case kTreeRefreshUsers:
    case kTreeRefreshUsers2:
      Refresh(kTreeUsers, &m_filter);
      break;
    case kTreeRefreshCodes:
    case kTreeRefreshCodes2:
      Refresh(kTreeCodes, &m_filter);
      break;
    case kTreeRefreshModels:
    case kTreeRefreshModels2:
      Refresh(kTreeModels, &m_filter);
      break;
    case kTreeRefreshTestees:
      Refresh(kTreeTestees, &m_filter);
      break;
    case kTreeRefreshScores:
      Refresh(kTreeScores, &m_filter);
      break;
    case kTreeFullTree:
      m_filter = CTesteeFilter();
      m_tree.m_fullTree = true;
      Refresh(kTreeAll, &m_filter);
      break;
    case kTreeRebuild:
      BuildRoot();
      Refresh(kTreeAll, &m_filter);
      break;
    case kTreeFilter:
    case kTreeFilterTestees:
      if (!payload) break;
      m_filter = *reinterpret_cast<const CTesteeFilter*>(payload);
      m_tree.m_fullTree = false;
      Refresh(code == kTreeFilter ? kTreeAll : (kTreeTestees | kTreeScores), &m_filter);
      break;
    case kTreeRelabelTestees:
      return RefreshLabels(kTreeTestees) ? 1 : 0;
    case kTreeRelabelScores:
      return RefreshLabels(kTreeScores) ? 1 : 0;
    case kTreeSelectTestee:
      if (notice) m_tree.SelectTestee(notice->testeeCode);
      break;
    case kTreeSelectModel:
      if (notice) m_tree.SelectModel(notice->modelName);
      break;
    case kTreeSelectTask:
      if (notice) m_tree.SelectTask(notice->modelName, notice->taskCode);
      break;
    case kTreeSelectScore:
      if (notice) m_tree.SelectScoreSet(notice->testeeCode, notice->modelName, notice->taskCode, notice->assessment);
      break;
    default:
      break;
  }
  return 0;
}

void CLeftView::OpenItem(const wxTreeItemId& item) {
  // Plain mode has no login: there the operator may act without one.
  const bool may = m_pState ? OperatorMayAct(m_pState->IsLoggedIn(), m_pState->IsCfrMode(), m_pState->IsRunInProgress())
                            : true;
  if (!may || !m_pActions || !m_tree.m_context.cache || !item.IsOk()) return;
  CProjectTreeNode::ItemInfo info;
  switch (m_tree.m_root.GetItemInfo(item.GetID(), true, &info)) {
    case CProjectTreeNode::kUser:
      m_pActions->ViewUser(info.user);
      break;
    case CProjectTreeNode::kCode:
      m_pActions->ViewTesteeCode(info.testee);
      break;
    case CProjectTreeNode::kTestee:
      m_pActions->ViewTestee(info.testee);
      break;
    case CProjectTreeNode::kTask:
      m_pActions->ViewTask(info.model, info.task);
      break;
    case CProjectTreeNode::kScoreSet:
      if (info.number != 0) m_pActions->ViewScore(info.testee, info.model, info.task, info.number);
      break;
    default:
      break;
  }
}

std::string CLeftView::GetToolTipText() const {
  if (!m_tree.m_context.cache) return kToolTipNoProject;
  std::string text(kToolTipProject);
  text.replace(text.find("%s"), 2, m_strPath);
  if (!m_tree.m_fullTree) text += kToolTipRefresh;
  return text;
}

void CLeftView::UpdateToolTip() { SetToolTip(ToWx(GetToolTipText())); }

}  // namespace qel

#include "admin/ui/DlgModelsAvailable.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <vector>

#include "admin/AdminProject.h"
#include "admin/ui/AdminDialogSupport.h"
#include "admin/ui/AdminListKinds.h"
#include "app/model/ExpModel.h"
#include "app/text/DateTimeText.h"
#include "common/ui/WxText.h"
#include "project/ProjectData.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

const char* const kCaptions[] = {"No.", "Model", "Tasks", "Not available", "Version", "User", "Date"};
const int kWidths[] = {40, 160, 50, 90, 80, 90, 90};

const CControlTip kTips[] = {
    {CDlgModelsAvailable::kIdList, "Models stored in the project"},
    {wxID_OK, "Open the selected model in the model editor"},
    {wxID_CANCEL, "Close this window"},
};

}  // namespace

CDlgModelsAvailable::CDlgModelsAvailable(wxWindow* parent, IAdminProject* project, ModelEditorRunner editor)
    : wxDialog(parent, wxID_ANY, "Models available", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_pProject(project),
      m_editor(std::move(editor)) {
  m_pList = new CListCtrlQel(this, kIdList, wxDefaultPosition, wxSize(560, 220));
  SetListKind(*m_pList, kListKindModels);
  m_pList->m_keyList.m_pOwner = this;

  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(new wxStaticText(this, wxID_ANY, "Total models:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  bottom->Add(new wxStaticText(this, kIdCount, "0", wxDefaultPosition, wxSize(40, -1)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  bottom->Add(new wxStaticText(this, kIdEmpty, "NO MODELS AVAILABLE!"), 0, wxALIGN_CENTER_VERTICAL);
  bottom->AddStretchSpacer();
  bottom->Add(new wxButton(this, wxID_OK, "View"), 0, wxRIGHT, 8);
  bottom->Add(new wxButton(this, wxID_CANCEL, "Close"), 0);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_pList, 1, wxEXPAND | wxALL, 8);
  top->Add(bottom, 0, wxEXPAND | wxALL, 8);
  SetSizer(top);

  FillList();
  // Wide enough for every column.
  int columns = 0;
  for (int c = 0; c < m_pList->GetColumnCount(); ++c) columns += m_pList->GetColumnWidth(c);
  m_pList->SetMinSize(wxSize(std::max(columns + 30, 560), 220));
  FindWindow(kIdCount)->SetLabel(wxString::Format("%d", m_rowCount));
  FindWindow(kIdEmpty)->Show(m_rowCount < 1);
  SetTitle(ProjectCaption(project, kModeText));
  FindWindow(wxID_OK)->Enable(false);
  SetToolTips(this, kTips, std::size(kTips));
  Fit();

  Bind(QEL_EVT_NOTIFY, &CDlgModelsAvailable::OnNotify, this);
  Bind(wxEVT_BUTTON, &CDlgModelsAvailable::OnView, this, wxID_OK);
}

CDlgModelsAvailable::~CDlgModelsAvailable() = default;

void CDlgModelsAvailable::FillList() {
  m_pList->SetColumns(kCaptions, kWidths, static_cast<int>(std::size(kCaptions)), false);
  if (!m_pProject) return;
  std::vector<std::string> names, versionTexts, users;
  std::vector<int32_t> taskCounts;
  std::vector<uint32_t> unavailable;
  std::vector<QelDateTime> dates;
  m_pProject->GetData().GetModelRows(names, taskCounts, &unavailable, nullptr, &versionTexts, &users, &dates);
  for (size_t i = 0; i < names.size(); ++i) {
    const int row = static_cast<int>(i);
    if (!m_pList->InsertRow(row, names[i].c_str(), false)) continue;
    m_pList->SetItem(row, 1, ToWx(names[i]));
    m_pList->SetItem(row, 2, wxString::Format("%d", taskCounts[i]));
    m_pList->SetItem(row, 3, wxString::Format("%u", unavailable[i]));
    m_pList->SetItem(row, 4, ToWx(versionTexts[i]));
    m_pList->SetItem(row, 5, ToWx(users[i]));
    m_pList->SetItem(row, 6, ToWx(FormatDateDots(dates[i])));
  }
  m_rowCount = static_cast<int>(names.size());
  m_pList->AutoSizeColumns();
}

void CDlgModelsAvailable::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  if (event.GetCode() == m_pList->m_nEventCodes[CListCtrlQel::kEventSelected]) {
    m_chosen = m_pList->GetKey(row);
    FindWindow(wxID_OK)->Enable(m_pList->GetSelectedRow() >= 0 && !m_chosen.empty());
  } else if (event.GetCode() == m_pList->m_nEventCodes[CListCtrlQel::kEventDblClk]) {
    if (row < 0 || row >= m_pList->GetItemCount()) return;
    m_chosen = m_pList->GetKey(row);
    ViewChosen();
  }
}

bool CDlgModelsAvailable::ViewChosen() {
  if (!m_pProject || m_chosen.empty()) return false;
  auto model = std::make_unique<CExpModel>();
  if (!m_pProject->ReadModel(m_chosen, model.get())) return false;
  if (!m_editor) return false;
  m_editor(this, *model);
  return true;
}

void CDlgModelsAvailable::OnView(wxCommandEvent&) { ViewChosen(); }

}  // namespace qel

#include "editors/ui/DlgTaskParVar.h"

#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "common/ui/WxText.h"
#include "editors/VariablesRows.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {
const char* const kColumns[] = {"No.", "Group", "Name", "Fmt", "Col", "Attr", "Label"};
const int kWidths[] = {-40, 60, 60, -60, -60, 60, 160};
constexpr int kColumnCount = 7;
constexpr int kKindMean = 1;
constexpr int kKindSd = 2;
constexpr int kGraphMargin = 30;
}  // namespace

CDlgTaskParVar::CDlgTaskParVar(wxWindow* parent, const EditorServices& services) : CDlgTaskParPage(parent, services) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_list = new CListCtrlQel(this, kIdList, wxDefaultPosition, wxSize(560, 260));
  m_list->SetColumns(kColumns, kWidths, kColumnCount, false);
  m_list->SetSingleStyle(wxLC_SINGLE_SEL);
  m_list->m_keyList.m_pOwner = this;
  m_list->m_nEventCodes[CListCtrlQel::kEventSelected] = kCodeRowSelected;
  top->Add(m_list, 1, wxEXPAND | wxALL, 4);
  m_graph = new wxWindow(this, kIdGraph, wxDefaultPosition, wxSize(560, 260), wxBORDER_SUNKEN);
  m_graph->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_graph->Bind(wxEVT_PAINT, &CDlgTaskParVar::OnPaintGraph, this);
  m_graph->Hide();
  top->Add(m_graph, 1, wxEXPAND | wxALL, 4);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  m_znorm = new wxCheckBox(this, kIdZnorm, "Znorm");
  row->Add(m_znorm, 0, wxRIGHT, 12);
  row->Add(new wxStaticText(this, kIdCount, "Variables: 0", wxDefaultPosition, wxSize(120, -1)), 0, wxALIGN_CENTER_VERTICAL);
  top->Add(row, 0, wxALL, 4);
  SetSizer(top);
  m_znorm->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { SetGraph(e.IsChecked()); });
  m_list->SetToolTip("List of descriptions of all variables available");
  m_graph->SetToolTip("Graph of norm value for selected Z-variable");
  m_znorm->SetToolTip("Show norm values for selected Z-variable");
  FindWindow(kIdCount)->SetToolTip("Total number of variables available");
}

void CDlgTaskParVar::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  UpdateButtons();
}

void CDlgTaskParVar::Fill(bool refill) {
  if (!m_task) {
    m_filledTask = nullptr;
    m_list->DeleteAllRows();
    SetText(kIdCount, VariableCountText(0));
    return;
  }
  m_list->Enable(!m_graphShown);
  m_list->Show(!m_graphShown);
  m_graph->Show(m_graphShown);
  if (m_graphShown) {
    m_graph->Refresh();
  } else if (refill) {
    m_filledTask = m_task;
    m_list->DeleteAllRows();
    const std::vector<VariableRow> rows = BuildVariableRows(*m_task);
    for (size_t i = 0; i < rows.size(); ++i) {
      const VariableRow& r = rows[i];
      const int at = static_cast<int>(i);
      if (!m_list->InsertRowWithImage(at, r.name.c_str(), r.code, false)) continue;
      const std::string cells[kColumnCount] = {r.number, r.group, r.name, r.format, r.column, r.attributes, r.label};
      for (int c = 0; c < kColumnCount; ++c) m_list->SetItem(at, c, ToWx(cells[c]));
    }
    m_list->AutoSizeColumns();
    if (m_selected >= m_list->GetItemCount()) m_selected = -1;
    if (m_selected >= 0) m_list->EnsureRowVisible(m_selected, true);
  }
  SetText(kIdCount, VariableCountText(m_list->GetItemCount()));
  Layout();
}

bool CDlgTaskParVar::SelectedHasZScore() const {
  return m_task && m_selected >= 0 && m_selected < m_list->GetItemCount() && m_task->HasZScore(m_selected);
}

void CDlgTaskParVar::UpdateButtons() {
  EnableControl(kIdZnorm, SelectedHasZScore());
  m_znorm->SetValue(m_graphShown);
}

void CDlgTaskParVar::SelectRow(int row) {
  if (row < 0 || row >= m_list->GetItemCount()) return;
  m_selected = row;
  UpdateButtons();
}

void CDlgTaskParVar::OpenGraph(int row) {
  if (!m_task || row < 0 || row >= m_list->GetItemCount() || !m_task->HasZScore(row)) return;
  m_selected = row;
  SetGraph(true);
}

void CDlgTaskParVar::SetGraph(bool on) {
  m_graphShown = on && SelectedHasZScore();
  Fill(false);
  UpdateButtons();
}

void CDlgTaskParVar::OnPageNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  if (event.GetCode() == kCodeRowSelected) {
    SelectRow(row);
  } else if (event.GetCode() == m_list->m_nEventCodes[CListCtrlQel::kEventDblClk]) {
    OpenGraph(row);
  } else {
    CDlgTaskParPage::OnPageNotify(event);
  }
}

void CDlgTaskParVar::OnPageShown() {
  if (m_selected >= 0 && m_selected < m_list->GetItemCount()) m_list->SelectRow(m_selected);
}

void CDlgTaskParVar::OnPaintGraph(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(m_graph);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  if (!SelectedHasZScore()) return;
  int position = 0;
  if (!m_task->FindZVariable(m_selected, &position)) return;
  const wxSize size = m_graph->GetClientSize();
  const int left = kGraphMargin, right = size.x - kGraphMargin / 2, top = kGraphMargin / 2, bottom = size.y - kGraphMargin;
  if (right <= left || bottom <= top) return;
  // Mean and SD at every year.
  struct Point {
    double age, mean, sd;
  };
  std::vector<Point> points;
  for (int age = kAgeLow; age <= kAgeHigh; ++age) {
    double mean = kNoValue, sd = kNoValue;
    m_task->GetVariableValue(position, &mean, 0.0, age, kKindMean, false);
    m_task->GetVariableValue(position, &sd, 0.0, age, kKindSd, m_task->UsesSdFloor(m_task->GetZSourceIndex(m_selected)));
    if (mean != kNoValue) points.push_back({static_cast<double>(age), mean, sd == kNoValue ? 0.0 : sd});
  }
  dc.SetPen(*wxBLACK_PEN);
  dc.DrawLine(left, bottom, right, bottom);
  dc.DrawLine(left, top, left, bottom);
  dc.SetFont(wxFont(wxFontInfo(8)));
  for (int d = 0; d <= kAgeDivisions; ++d) {
    const int x = left + (right - left) * d / kAgeDivisions;
    dc.DrawLine(x, bottom, x, bottom + 4);
    dc.DrawText(wxString::Format("%d", kAgeLow + (kAgeHigh - kAgeLow) * d / kAgeDivisions), x - 6, bottom + 5);
  }
  dc.DrawText(ToWx(m_task->GetScoreVariableLabel(m_task->GetZSourceIndex(m_selected))), left + 4, top);
  if (points.empty()) return;
  double low = points[0].mean - points[0].sd, high = points[0].mean + points[0].sd;
  for (const Point& p : points) {
    low = std::min(low, p.mean - p.sd);
    high = std::max(high, p.mean + p.sd);
  }
  if (high <= low) high = low + 1.0;
  auto x = [&](double age) { return left + static_cast<int>((right - left) * (age - kAgeLow) / (kAgeHigh - kAgeLow)); };
  auto y = [&](double v) { return bottom - static_cast<int>(std::lround((bottom - top) * (v - low) / (high - low))); };
  dc.DrawText(wxString::Format("%.1f", high), 2, top);
  dc.DrawText(wxString::Format("%.1f", low), 2, bottom - 12);
  for (int line = -1; line <= 1; ++line) {
    dc.SetPen(wxPen(line == 0 ? *wxBLUE : *wxLIGHT_GREY, line == 0 ? 2 : 1));
    for (size_t i = 1; i < points.size(); ++i) {
      const Point& a = points[i - 1];
      const Point& b = points[i];
      dc.DrawLine(x(a.age), y(a.mean + line * a.sd), x(b.age), y(b.mean + line * b.sd));
    }
  }
}

}  // namespace qel

#include "scores/ui/DlgScore.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>

#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "common/Prompt.h"
#include "project/RunProject.h"
#include "scores/ScoreHelp.h"
#include "scores/ui/DlgScoreExport.h"
#include "scores/ui/DlgScoreList.h"
#include "scores/ui/DlgTaskParSpecTpGr.h"
#include "scores/ui/ScoreGraphsDraw.h"
#include "scores/ui/ScoreSheetPage.h"
#include "ui/ui/DlgHelp.h"

namespace qel {

namespace {

constexpr int kListWidth = 560;
constexpr int kListHeight = 360;
constexpr int kTappingTaskId = 35;
constexpr int kHelpPercent = 100;
const char* const kViewCaptions[5] = {"B-Score", "Z-Score", "Z-Norm", "D-Score", "C-Score"};
const char* const kListTips[5] = {"List of basic score variables", "Z-score bars of marked variables",
                                  "Norm value curve of selected z-variable", "List of series score variables",
                                  "List of scores changes"};

wxString W(const std::string& s) { return wxString::FromUTF8(s); }

bool IsTableView(ScoreView v) { return v == ScoreView::kBasic || v == ScoreView::kSeries || v == ScoreView::kChanges; }

}  // namespace

CDlgScore::CDlgScore(wxWindow* parent, std::unique_ptr<CScoreDocument> document)
    : wxDialog(parent, wxID_ANY, "Score", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_doc(std::move(document)) {
  Build();
  FillList();
  UpdateControls();
  if (m_save->IsShown()) {
    m_save->SetFocus();
  } else {
    m_close->SetFocus();
  }
}

CDlgScore::~CDlgScore() = default;

bool CDlgScore::NoTesteeName() const { return m_noTesteeName && m_noTesteeName->GetValue(); }

void CDlgScore::Build() {
  const CScoreDocument& d = *m_doc;
  auto* top = new wxBoxSizer(wxVERTICAL);

  // Identification.
  auto* ids = new wxFlexGridSizer(4, wxSize(8, 2));
  auto add = [&](const std::string& caption, const std::string& value, const char* tip) {
    auto* c = new wxStaticText(this, wxID_ANY, W(caption));
    auto* v = new wxStaticText(this, wxID_ANY, W(value.empty() ? std::string(" ") : value));
    c->SetToolTip(tip);
    v->SetToolTip(tip);
    ids->Add(c, 0, wxALIGN_CENTER_VERTICAL);
    ids->Add(v, 0, wxALIGN_CENTER_VERTICAL);
    return v;
  };
  const bool p = !d.m_projectPath.empty();
  const bool t = !d.m_testee.empty();
  if (p) add("Project", d.m_projectPath, "Project file path for this score");
  if (p && t) add("Testee", d.m_testee, "Testee Id for this score");
  add("Model", d.m_model, "Model Id for this score");
  add("Task", d.m_taskId + "  " + d.m_taskName, "Task Id for this score");
  if (p && !d.IsPractice()) add("AssNo", std::to_string(d.m_assessment), "No. of assessment for this score");
  add(d.VersionText(), "", "Version of task for this score");
  add("Tested:", d.m_testTimeText, "Date of assessment");
  if (p && !d.IsPractice()) add("Date:", d.m_savedDateText, "Date of assessment");
  if (p && t) {
    add("Testee's name", d.m_firstName + " " + d.m_surname, "Testee Id for this score");
    add("Birthdate", d.m_birthDateText + (d.BirthDateDiffers() ? "  (differs from the testee's)" : ""),
        "Birthdate of testee");
    add("Sex / hand", d.m_sexText + " / " + d.m_handednessText, "Testee's sex");
    add("Testee's age, years", d.m_ageText, "Age of testee in years");
  }
  if (!d.m_testerId.empty()) {
    add(p ? "Tester is: (CFR compliant project)" : "Tester is:",
        d.m_testerId + ", " + d.m_testerFirstName + " " + d.m_testerSurname, "Tester");
  }
  if (!d.m_durationText.empty()) add(d.m_durationText, "", "Duration of the assessment");
  m_countText = add("Variables:", d.Sheet().CountText(), "Number of variables 'displayed'/'total'");
  top->Add(ids, 0, wxALL | wxEXPAND, 6);

  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  auto* listBox = new wxBoxSizer(wxVERTICAL);
  m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(kListWidth, kListHeight),
                          wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
  m_list->EnableCheckBoxes(true);
  m_graph = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kListWidth, kListHeight));
  m_graph->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_graph->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { PaintGraph(); });
  m_graph->Hide();
  listBox->Add(m_list, 1, wxEXPAND);
  listBox->Add(m_graph, 1, wxEXPAND);
  middle->Add(listBox, 1, wxEXPAND | wxALL, 4);

  auto* side = new wxBoxSizer(wxVERTICAL);
  for (int v = 0; v < 5; ++v) {
    m_views[v] = new wxRadioButton(this, wxID_ANY, kViewCaptions[v], wxDefaultPosition, wxDefaultSize,
                                   v == 0 ? wxRB_GROUP : 0);
    m_views[v]->Bind(wxEVT_RADIOBUTTON, [this, v](wxCommandEvent&) { ShowView(static_cast<ScoreView>(v)); });
    side->Add(m_views[v], 0, wxBOTTOM, 2);
  }
  m_views[0]->SetToolTip("Basic performance scores list");
  m_views[1]->SetToolTip("Z-score values of marked task performance scores");
  m_views[2]->SetToolTip("Norm mean value for selected performance score");
  m_views[3]->SetToolTip("Detailed scores list for task series");
  m_views[4]->SetToolTip("List of scores changes");
  m_groupList = new wxCheckBox(this, wxID_ANY, "Group list");
  m_longList = new wxCheckBox(this, wxID_ANY, "Long list");
  m_fullList = new wxCheckBox(this, wxID_ANY, "Full list");
  m_groupList->SetToolTip("Grouped view (spreadsheet) of basic performance scores");
  m_longList->SetToolTip(
      "View additional values (median RT, log(RT), RT of slowest 25% of correct responses, RT of fastest 25% of "
      "correct responses)");
  m_fullList->SetToolTip("All possible scores for this task will be shown");
  for (wxCheckBox* c : {m_groupList, m_longList, m_fullList}) {
    c->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
      SetListOption(m_groupList->GetValue(), m_longList->GetValue(), m_fullList->GetValue());
    });
    side->Add(c, 0, wxTOP, 4);
  }
  auto* mark = new wxStaticBoxSizer(wxVERTICAL, this, "Mark Z-vars");
  m_markBox = mark->GetStaticBox();
  m_detailed = new wxCheckBox(mark->GetStaticBox(), wxID_ANY, "Detailed");
  m_summary = new wxCheckBox(mark->GetStaticBox(), wxID_ANY, "Summary");
  m_detailed->SetToolTip("Mark all z-scores excluding the summary z-scores");
  m_summary->SetToolTip("Mark summary z-scores only");
  m_detailed->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { SetMarks(true, false); });
  m_summary->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { SetMarks(false, true); });
  mark->Add(m_detailed);
  mark->Add(m_summary);
  side->Add(mark, 0, wxTOP | wxEXPAND, 6);

  auto* ages = new wxStaticBoxSizer(wxHORIZONTAL, this, "Age range");
  m_ageBox = ages->GetStaticBox();
  m_ageLow = new wxStaticText(ages->GetStaticBox(), wxID_ANY, "0", wxDefaultPosition, wxSize(24, -1));
  m_ageLowSpin = new wxSpinButton(ages->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_ageHigh = new wxStaticText(ages->GetStaticBox(), wxID_ANY, "80", wxDefaultPosition, wxSize(24, -1));
  m_ageHighSpin = new wxSpinButton(ages->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_ageLow->SetToolTip("Low age limit of Z-norm graph");
  m_ageHigh->SetToolTip("High age limit of Z-norm graph");
  m_ageLowSpin->SetToolTip("Select low age limit of Z-norm graph");
  m_ageHighSpin->SetToolTip("Select high age limit of Z-norm graph");
  for (wxSpinButton* s : {m_ageLowSpin, m_ageHighSpin}) {
    s->SetRange(-1, 1);
    s->SetValue(0);
  }
  // The up arrow lowers "From" and "To" (the list runs from young to old downwards).
  m_ageLowSpin->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& e) { StepAgeLow(1); e.Veto(); });
  m_ageLowSpin->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& e) { StepAgeLow(-1); e.Veto(); });
  m_ageHighSpin->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& e) { StepAgeHigh(1); e.Veto(); });
  m_ageHighSpin->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& e) { StepAgeHigh(-1); e.Veto(); });
  ages->Add(new wxStaticText(ages->GetStaticBox(), wxID_ANY, "From"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  ages->Add(m_ageLow, 0, wxALIGN_CENTER_VERTICAL);
  ages->Add(m_ageLowSpin, 0, wxRIGHT, 6);
  ages->Add(new wxStaticText(ages->GetStaticBox(), wxID_ANY, "To"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  ages->Add(m_ageHigh, 0, wxALIGN_CENTER_VERTICAL);
  ages->Add(m_ageHighSpin);
  side->Add(ages, 0, wxTOP | wxEXPAND, 6);

  m_changeNo = new wxStaticText(this, wxID_ANY, " ");
  m_changeNo->SetToolTip("N of score change displayed");
  side->Add(m_changeNo, 0, wxTOP, 6);
  middle->Add(side, 0, wxALL, 6);
  top->Add(middle, 1, wxEXPAND);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_noTesteeName = new wxCheckBox(this, wxID_ANY, "No testee name");
  m_noTesteeName->SetToolTip("Exclude testee name from the exported/printed data");
  m_export = new wxButton(this, wxID_ANY, "Export");
  m_export->SetToolTip("Export this data to file for use in other programs");
  m_print = new wxButton(this, wxID_ANY, "Print");
  m_print->SetToolTip("Print this data");
  m_quality = new wxButton(this, wxID_ANY, "Quality check");
  m_quality->SetToolTip("View quality of responses data");
  m_changes = new wxButton(this, wxID_ANY, "<- ChangesList");
  m_changes->SetToolTip("View list of changes available for this assessment");
  m_help = new wxButton(this, wxID_ANY, "Help");
  m_help->SetToolTip("Some explanations for this dialog");
  m_save = new wxButton(this, wxID_ANY, "Save");
  m_save->SetToolTip("Save data into the Qel database (Qel project)");
  m_close = new wxButton(this, wxID_ANY, "Close");
  m_close->SetToolTip("Close this window");
  buttons->Add(m_noTesteeName, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  for (wxButton* b : {m_export, m_print, m_quality, m_changes}) buttons->Add(b, 0, wxRIGHT, 4);
  buttons->AddStretchSpacer();
  buttons->Add(m_help, 0, wxRIGHT, 4);
  buttons->Add(m_save, 0, wxRIGHT, 4);
  buttons->Add(m_close);
  top->Add(buttons, 0, wxALL | wxEXPAND, 6);
  SetSizerAndFit(top);

  m_export->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); });
  m_print->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPrint(); });
  m_quality->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnQualityCheck(); });
  m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnHelp(); });
  m_changes->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnChangesList(); });
  m_save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); });
  m_close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CloseAsked(); });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { CloseAsked(); });
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_ESCAPE) {
      CloseAsked();
      return;
    }
    e.Skip();
  });
  m_noTesteeName->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateControls(); });
  m_list->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
    e.Skip();
    StretchLastColumn();
  });
  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { SelectRow(static_cast<int>(e.GetIndex())); });
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) {
    SelectRow(static_cast<int>(e.GetIndex()));
    const int var = m_doc->Sheet().CurrentVariable();
    if (var >= 0 && m_doc->Sheet().HasZScore(var)) ShowView(ScoreView::kZNorm);
  });
  auto checked = [this](wxListEvent& e, bool on) {
    if (m_filling) return;
    if (!CheckRow(static_cast<int>(e.GetIndex()), on)) {
      m_filling = true;
      m_list->CheckItem(e.GetIndex(), !on);
      m_filling = false;
    }
  };
  m_list->Bind(wxEVT_LIST_ITEM_CHECKED, [checked](wxListEvent& e) { checked(e, true); });
  m_list->Bind(wxEVT_LIST_ITEM_UNCHECKED, [checked](wxListEvent& e) { checked(e, false); });
}

void CDlgScore::FillList() {
  const CScoreSheet& sheet = m_doc->Sheet();
  m_filling = true;
  m_list->Freeze();
  m_list->ClearAll();
  const auto& columns = sheet.Columns();
  for (size_t c = 0; c < columns.size(); ++c) {
    m_list->AppendColumn(W(columns[c].heading), columns[c].right ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT,
                         columns[c].width);
  }
  const bool checks = m_view != ScoreView::kChanges;
  m_list->EnableCheckBoxes(checks);
  long r = 0;
  for (const ScoreRow& row : sheet.Rows()) {
    const long item = m_list->InsertItem(r, W(row.cells.empty() ? std::string() : row.cells[0]));
    for (size_t c = 1; c < row.cells.size(); ++c) m_list->SetItem(item, static_cast<long>(c), W(row.cells[c]));
    m_list->SetItemData(item, row.key);
    if (checks && row.check == kCheckOn) m_list->CheckItem(item, true);
    if (row.check == kCheckNoValue) m_list->SetItemTextColour(item, *wxLIGHT_GREY);
    ++r;
  }
  StretchLastColumn();
  m_list->Thaw();
  m_filling = false;
  std::string caption = m_doc->Caption();
  SetTitle(W(caption));
  m_countText->SetLabel(W(sheet.CountText()));
}

void CDlgScore::StretchLastColumn() {
  // The last column (the variables' labels) takes the room the others leave.
  const int last = m_list->GetColumnCount() - 1;
  if (last < 0) return;
  int others = 0;
  for (int c = 0; c < last; ++c) others += m_list->GetColumnWidth(c);
  const int room = m_list->GetClientSize().x - others;
  const auto& columns = m_doc->Sheet().Columns();
  const int own = last < static_cast<int>(columns.size()) ? columns[static_cast<size_t>(last)].width : 0;
  m_list->SetColumnWidth(last, std::max(own, room));
}

void CDlgScore::ShowView(ScoreView view) {
  if (view == m_view) return;
  const ScoreView before = m_view;
  m_view = view;
  CScoreSheet& sheet = m_doc->Sheet();
  if (view == ScoreView::kChanges) {
    if (!m_doc->LoadChange()) {
      m_view = before;
      UpdateControls();
      return;
    }
    FillList();
  } else if (view == ScoreView::kBasic || view == ScoreView::kSeries) {
    if (before != ScoreView::kBasic || view != ScoreView::kBasic) {
      sheet.Fill(view);
      sheet.MarkAll(true, true, m_detailed->GetValue(), m_summary->GetValue());
      FillList();
    }
  }
  const bool graph = !IsTableView(view);
  m_list->Show(!graph);
  m_graph->Show(graph);
  Layout();
  m_graph->Refresh();
  UpdateControls();
}

void CDlgScore::SetListOption(bool groupList, bool longList, bool fullList) {
  CScoreSheet& sheet = m_doc->Sheet();
  sheet.Options() = {groupList, longList, fullList};
  m_groupList->SetValue(groupList);
  m_longList->SetValue(longList);
  m_fullList->SetValue(fullList);
  if (m_view == ScoreView::kChanges) {
    m_doc->LoadChange();
  } else {
    sheet.Fill(m_view == ScoreView::kSeries ? ScoreView::kSeries : ScoreView::kBasic);
    sheet.MarkAll(true, true, m_detailed->GetValue(), m_summary->GetValue());
  }
  FillList();
  UpdateControls();
}

void CDlgScore::SetMarks(bool detailed, bool summary) {
  m_doc->Sheet().MarkAll(detailed, summary, m_detailed->GetValue(), m_summary->GetValue());
  FillList();
  UpdateControls();
}

bool CDlgScore::CheckRow(int row, bool checked) {
  if (row < 0 || row >= m_list->GetItemCount()) return false;
  const int key = static_cast<int>(m_list->GetItemData(row));
  if (key <= 0) return false;
  const bool ok = m_doc->Sheet().SetChecked(key - 1, checked);
  UpdateControls();
  return ok;
}

void CDlgScore::SelectRow(int row) {
  if (row < 0 || row >= m_list->GetItemCount()) return;
  const int key = static_cast<int>(m_list->GetItemData(row));
  m_doc->Sheet().SelectVariable(key - 1);
  UpdateControls();
}

void CDlgScore::StepAgeLow(int step) {
  if (StepNormAgeLow(NormGraphAgeRange(), step)) m_graph->Refresh();
  UpdateControls();
}

void CDlgScore::StepAgeHigh(int step) {
  if (StepNormAgeHigh(NormGraphAgeRange(), step)) m_graph->Refresh();
  UpdateControls();
}

void CDlgScore::CloseAsked() {
  if (!m_doc->MaySave()) {
    EndModal(wxID_CANCEL);
    return;
  }
  if (m_view != ScoreView::kBasic && m_view != ScoreView::kChanges) ShowView(ScoreView::kBasic);
  const int answer = ShowPrompt("Save this score into database?", "Score",
                                kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3);
  if (answer == kAnswerYes) EndModal(wxID_OK);
  if (answer == kAnswerNo) EndModal(wxID_CANCEL);
}

void CDlgScore::UpdateControls() {
  const CScoreDocument& d = *m_doc;
  const CScoreSheet& sheet = d.Sheet();
  const bool practice = d.IsPractice();
  const bool b = m_view == ScoreView::kBasic || m_view == ScoreView::kSeries;
  const int current = sheet.CurrentVariable();
  const bool currentZ = current >= 0 && sheet.HasZScore(current);
  for (int v = 0; v < 3; ++v) m_views[v]->Show(!practice);
  m_views[1]->Enable(m_view == ScoreView::kZ || (b && sheet.AnyChecked()));
  m_views[2]->Enable(m_view == ScoreView::kZNorm || (b && !m_groupList->GetValue() && currentZ));
  m_views[3]->Show(!practice && sheet.GetCounts().series > 0);
  m_views[4]->Show(d.ChangesAvailable());
  m_views[4]->Enable(d.ChangesAvailable() && (b || m_view == ScoreView::kChanges));
  m_views[static_cast<int>(m_view)]->SetValue(true);
  m_longList->Show(b && sheet.GetCounts().longList > 0);
  m_groupList->Show((b || m_view == ScoreView::kChanges) && sheet.GetCounts().grouped > 0);
  m_fullList->Show(b && sheet.GetCounts().fullList > 0);
  const bool marks = b && !m_groupList->GetValue() && !practice;
  m_markBox->Show(marks);
  m_detailed->Show(marks);
  m_summary->Show(marks);
  m_detailed->Enable(sheet.AnyDetailedValue());
  m_summary->Enable(sheet.AnySummaryValue());
  const bool ages = m_view == ScoreView::kZNorm;
  m_ageBox->Show(ages);
  for (wxWindow* w : std::initializer_list<wxWindow*>{m_ageLow, m_ageHigh, m_ageLowSpin, m_ageHighSpin}) w->Show(ages);
  const NormAgeRange& range = NormGraphAgeRange();
  m_ageLow->SetLabel(std::to_string(range.low));
  m_ageHigh->SetLabel(std::to_string(range.high));
  const bool out = !practice && d.TaskAvailable();
  m_export->Show(out);
  m_print->Show(out);
  m_noTesteeName->Show(out);
  m_quality->Show(d.Task() && d.Task()->TaskId == kTappingTaskId);
  m_save->Show(d.MaySave() && m_view == ScoreView::kBasic);
  const bool changeList = !d.MaySave() && d.m_user.cfrMode && d.IsCfr() && m_view == ScoreView::kChanges &&
                          d.Versions().size() > 2;
  m_changeNo->Show(changeList);
  m_changes->Show(changeList && GetScoreVersionsDialog() != nullptr);
  m_changeNo->SetLabel(W(d.ChangeNoText()));
  m_list->SetToolTip(kListTips[static_cast<int>(m_view)]);
  m_graph->SetToolTip(kListTips[static_cast<int>(m_view)]);
  Layout();
}

void CDlgScore::PaintGraph() {
  wxPaintDC dc(m_graph);
  const wxRect rect(wxPoint(0, 0), m_graph->GetClientSize());
  const CScoreSheet& sheet = m_doc->Sheet();
  if (m_view == ScoreView::kZNorm && m_doc->Task() && sheet.CurrentVariable() >= 0) {
    const NormCurveInput in = ReadNormCurveInput(*m_doc->Task(), sheet.CurrentVariable(), m_doc->m_age,
                                                 sheet.CurrentTval(), sheet.CurrentZ());
    DrawNormCurve(dc, rect, in, NormGraphAgeRange(), rect.height, nullptr);
  } else {
    DrawZScoreBars(dc, rect, sheet.MarkedBars(), rect.height, nullptr);
  }
}

std::string CDlgScore::ToolTipOf(const wxWindow* control) const {
  if (!control) return std::string();
  return control->GetToolTipText().ToStdString(wxConvUTF8);
}

void CDlgScore::OnExport() {
  const bool graph = !IsTableView(m_view);
  CDlgScoreExport dialog(this, *this, graph);
  dialog.SetTarget(graph ? m_graphPath : m_tablePath, graph ? m_graphType : m_tableType);
  if (dialog.ShowModal() != wxID_OK) return;
  (graph ? m_graphPath : m_tablePath) = dialog.GetPath();
  (graph ? m_graphType : m_tableType) = dialog.GetType();
}

void CDlgScore::OnPrint() {
  CDlgScoreList table(this, {m_doc.get(), m_view, NoTesteeName(), ScoreHeaderData::Mode::kPrinted}, std::string(),
                      true);
  table.ShowModal();
}

void CDlgScore::OnQualityCheck() {
  const ITaskRunData* runData = m_doc->RunData();
  if (!m_doc->Task() || !runData) return;
  CDlgTaskParSpecTpGr graph(this, m_doc->Task(), runData);
  graph.ShowModal();
}

std::vector<uint32_t> CDlgScore::HelpTextIds() const {
  ScoreHelpParts parts;
  parts.basicShown = m_views[0]->IsShown();
  parts.zShown = m_views[1]->IsShown();
  parts.zNormShown = m_views[2]->IsShown();
  parts.zNormEnabled = m_views[2]->IsEnabled();
  parts.view = static_cast<int>(m_view);
  parts.longListShown = m_longList->IsShown();
  parts.groupListShown = m_groupList->IsShown();
  parts.fullListShown = m_fullList->IsShown();
  parts.markShown = m_markBox->IsShown();
  parts.ageRangeShown = m_ageBox->IsShown();
  parts.exportShown = m_export->IsShown() && m_print->IsShown();
  return ScoreHelpTextIds(parts, g_Language);
}

void CDlgScore::OnHelp() {
  const std::string rtf = BuildScoreHelp(HelpTextIds(), [](uint32_t id) { return LoadProgramText(id); });
  CDlgHelp help(rtf.c_str(), "Score Help", this, kHelpPercent);
  help.ShowModal();
}

void CDlgScore::OnChangesList() {
  IScoreVersionsDialog* versions = GetScoreVersionsDialog();
  CScoreDocument& d = *m_doc;
  if (!versions || d.m_projectPath.empty()) return;
  ScoreVersionsRequest request;
  request.parent = this;
  request.projectPath = d.m_projectPath;
  request.projectName = d.m_projectName;
  request.testee = d.m_testee;
  request.model = d.m_model;
  request.task = d.m_taskId;
  request.assessment = d.m_assessment;
  request.selected = d.SelectedVersion();
  const int chosen = versions->ChooseVersion(request);
  if (chosen < 0 || chosen >= static_cast<int>(d.Versions().size())) return;
  const int before = d.SelectedVersion();
  d.SelectVersion(chosen);
  // The oldest version has none before it: the view stays as it was.
  if (!d.LoadChange()) {
    d.SelectVersion(before);
  } else {
    FillList();
  }
  UpdateControls();
}

int CScoreDialogFactory::RunScoreDialog(const ScoreDialogRequest& request) {
  CScoreDocument::Computed computed;
  computed.runData = request.runData;
  computed.store = m_store ? m_store : dynamic_cast<IScoreStore*>(request.project);
  computed.testee = request.testeeCode;
  computed.model = request.modelName;
  computed.task = request.task;
  computed.partFilter = request.part;
  computed.maySave = request.savable;
  computed.practice = request.practice;
  CDlgScore dialog(request.parent, std::make_unique<CScoreDocument>(computed, m_user));
  return dialog.ShowModal() == wxID_OK ? kScoreDialogOk : wxID_CANCEL;
}

}  // namespace qel

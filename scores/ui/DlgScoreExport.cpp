#include "scores/ui/DlgScoreExport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "common/Prompt.h"
#include "scores/ScoreStore.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreList.h"
#include "scores/ui/ScoreGraphsDraw.h"
#include "scores/ui/ScoreSheetPage.h"
#include "ui/ui/ChooserFit.h"

namespace qel {

namespace {

constexpr int kPreviewWidth = 360;
constexpr int kPreviewHeight = 200;
constexpr int kBitmapWidth = 900;
constexpr int kGraphBitmapHeight = 600;
constexpr int kMaxVariablesForTables = 240;
const char* const kTypeCaptions[5] = {"Table view (bitmap)", "Table view (text)", "Text (\"|\" between values)",
                                      "Excel  97-2000  (<= 240 vars)", "Dbase  IV  (<= 240 vars)"};

wxString W(const std::string& s) { return wxString::FromUTF8(s); }

std::string WithExtension(const std::string& path, const std::string& extension) {
  if (extension.empty()) return path;
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
  return stem + extension;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

CDlgScoreExport::CDlgScoreExport(wxWindow* parent, CDlgScore& score, bool graph)
    : wxDialog(parent, wxID_ANY, "Export to external file"), m_score(&score), m_graph(graph) {
  m_task = score.Document().m_taskId;
  m_options.noTesteeName = score.NoTesteeName();
  m_options.testerColumns = !score.Document().m_testerId.empty() && score.Document().m_user.cfrMode;
  m_type = graph ? ScoreExportType::kTableBitmap : ScoreExportType::kText;
  Build();
}

CDlgScoreExport::CDlgScoreExport(wxWindow* parent, IScoreStore& store, std::vector<std::string> testees,
                                 std::string model, std::string task)
    : wxDialog(parent, wxID_ANY, "Export to external file"),
      m_store(&store), m_testees(std::move(testees)), m_model(std::move(model)), m_task(std::move(task)) {
  m_options.testerColumns = store.IsCfr();
  Build();
}

void CDlgScoreExport::Build() {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* ids = new wxFlexGridSizer(2, wxSize(8, 2));
  auto add = [&](const char* caption, const std::string& value, const char* tip) {
    auto* c = new wxStaticText(this, wxID_ANY, caption);
    auto* v = new wxStaticText(this, wxID_ANY, W(value.empty() ? std::string(" ") : value));
    c->SetToolTip(tip);
    v->SetToolTip(tip);
    ids->Add(c);
    ids->Add(v);
  };
  if (m_score) {
    const CScoreDocument& d = m_score->Document();
    add("Project", d.m_projectPath, d.m_projectPath.empty() ? "Project not defined" : "Project file path for this score");
    add("Testee", d.m_testee, d.m_testee.empty() ? "Testee not defined" : "Testee Id for this score");
    add("Model", d.m_model, "Model Id for this score");
    add("Task", d.m_taskId, "Task Id for this score");
    if (!d.m_projectPath.empty() && !d.IsPractice()) {
      add("AssNo", std::to_string(d.m_assessment), "No. of assessment for this score");
    }
  } else {
    add("Project", m_store->GetPath(), "Project file path for this score");
    add("Testee", m_testees.size() == 1 ? m_testees[0] : "<<" + std::to_string(m_testees.size()) + " in list>>",
        "Testee Id for this score");
    add("Model", m_model, "Model Id for this score");
    add("Task", m_task, "Task Id for this score");
    add("AssNo", "<<All available>>", "No. of assessment for this score");
  }
  top->Add(ids, 0, wxALL, 8);

  const bool tableViews = m_score && !m_graph;
  int variables = 0;
  if (m_score) {
    variables = m_score->Document().Sheet().VariableCount();
  } else {
    ScoreExportSource source;
    source.store = m_store;
    source.model = m_model;
    source.task = m_task;
    variables = source.VariableCount();
  }
  for (int t = 0; t < 5; ++t) {
    const char* caption = (m_graph && t == 0) ? "Bitmap image (.bmp)" : kTypeCaptions[t];
    m_types[t] = new wxRadioButton(this, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, t == 0 ? wxRB_GROUP : 0);
    m_types[t]->Bind(wxEVT_RADIOBUTTON, [this, t](wxCommandEvent&) { SetType(static_cast<ScoreExportType>(t)); });
    const bool shown = m_graph ? t == 0 : (t >= 2 || tableViews);
    m_types[t]->Show(shown);
    top->Add(m_types[t], 0, wxLEFT | wxRIGHT | wxTOP, 4);
  }
  m_types[2]->SetToolTip("Select export to text file");
  m_types[3]->SetToolTip("Select export to Excel file");
  m_types[4]->SetToolTip("Select export to DBase file");
  m_types[3]->Enable(variables <= kMaxVariablesForTables);
  m_types[4]->Enable(variables <= kMaxVariablesForTables);
  m_dataOnly = new wxCheckBox(this, wxID_ANY, "Data only (no heading)");
  m_append = new wxCheckBox(this, wxID_ANY, "Append data to file");
  m_noName = new wxCheckBox(this, wxID_ANY, "No testee name");
  m_noName->SetToolTip("Exclude testee name from the exported/printed data");
  m_withTemplate = new wxCheckBox(this, wxID_ANY, "Template with graph");
  m_dataOnly->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    m_options.dataOnly = m_dataOnly->GetValue();
    if (!m_options.dataOnly) m_options.append = false;
    UpdateControls();
  });
  m_append->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    m_options.append = m_append->GetValue();
    if (m_options.append) m_options.dataOnly = true;
    UpdateControls();
  });
  m_noName->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { m_options.noTesteeName = m_noName->GetValue(); });
  m_withTemplate->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { m_template = m_withTemplate->GetValue(); });
  for (wxCheckBox* c : {m_dataOnly, m_append, m_noName, m_withTemplate}) top->Add(c, 0, wxLEFT | wxTOP, 4);
  m_noName->Enable(!m_score);
  m_name = new wxStaticText(this, wxID_ANY, " ");
  top->Add(m_name, 0, wxALL, 6);
  m_preview = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kPreviewWidth, kPreviewHeight));
  m_preview->SetToolTip("Z-score bars of marked variables");
  m_preview->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
    wxPaintDC dc(m_preview);
    const wxRect rect(wxPoint(0, 0), m_preview->GetClientSize());
    ScoreSheetPrint sheet{&m_score->Document(), m_score->GetView(), m_options.noTesteeName,
                          ScoreHeaderData::Mode::kShown};
    DrawScoreSheetPage(dc, rect, sheet, 0);
  });
  m_preview->Show(m_score && m_graph);
  top->Add(m_preview, 0, wxALL, 6);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* save = new wxButton(this, wxID_ANY, "Save");
  save->SetToolTip("Save data into file");
  auto* close = new wxButton(this, wxID_CANCEL, "Close");
  close->SetToolTip("Close this window without saving");
  save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSave(); });
  buttons->Add(save, 0, wxRIGHT, 6);
  buttons->Add(close);
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 8);
  SetSizerAndFit(top);
  UpdateControls();
}

void CDlgScoreExport::SetTarget(const std::string& path, int type) {
  m_path = path;
  if (type >= 0 && type <= static_cast<int>(ScoreExportType::kDbase)) SetType(static_cast<ScoreExportType>(type));
}

void CDlgScoreExport::SetType(ScoreExportType type) {
  const int t = static_cast<int>(type);
  if (!m_types[t]->IsShown() || !m_types[t]->IsEnabled()) type = m_graph ? ScoreExportType::kTableBitmap : ScoreExportType::kText;
  m_type = type;
  UpdateControls();
}

void CDlgScoreExport::SetOptions(const ScoreExportOptions& options) {
  m_options = options;
  UpdateControls();
}

void CDlgScoreExport::SetTemplates(IScoreTemplates* templates, std::string language) {
  m_templates = templates;
  m_language = std::move(language);
}

std::string CDlgScoreExport::DefaultName() const {
  const bool normCurve = m_score && m_score->GetView() == ScoreView::kZNorm;
  const bool series = m_score && m_score->GetView() == ScoreView::kSeries;
  return ExportDefaultName(m_type, m_graph, normCurve, series, static_cast<int>(std::max<size_t>(1, m_testees.size())),
                           m_task);
}

void CDlgScoreExport::UpdateControls() {
  if (!m_path.empty()) m_path = WithExtension(m_path, ExportExtension(m_type, m_graph));
  m_types[static_cast<int>(m_type)]->SetValue(true);
  const bool text = m_type == ScoreExportType::kText;
  m_dataOnly->Show(!m_graph);
  m_append->Show(!m_graph);
  m_noName->Show(!m_graph);
  m_withTemplate->Show(!m_graph);
  m_dataOnly->Enable(text);
  m_append->Enable(text);
  m_withTemplate->Enable(m_score && m_type == ScoreExportType::kExcel);
  m_dataOnly->SetValue(m_options.dataOnly);
  m_append->SetValue(m_options.append);
  m_noName->SetValue(m_options.noTesteeName);
  m_name->SetLabel(W(DefaultName() + ExportExtension(m_type, m_graph)));
  if (m_preview->IsShown()) m_preview->Refresh();
  Layout();
}

void CDlgScoreExport::OnSave() {
  const std::string tooLong = CheckExportTitle(m_path, m_type, m_graph);
  if (!tooLong.empty()) ShowPrompt(tooLong, "Qel", kPromptOk | kPromptIconStop);
  const std::string extension = ExportExtension(m_type, m_graph);
  for (;;) {
    wxFileDialog files(this, "Export to external file", "", W(DefaultName() + extension),
                       W("*" + extension), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    KeepOnScreen(files);
    if (files.ShowModal() != wxID_OK) return;
    const std::string path = files.GetPath().ToStdString(wxConvUTF8);
    const std::string message = CheckExportTitle(path, m_type, m_graph);
    if (!message.empty()) {
      ShowPrompt(message, "Qel", kPromptOk | kPromptIconStop);
      continue;
    }
    if (ExportTo(path)) EndModal(wxID_OK);
    return;
  }
}

bool CDlgScoreExport::ExportTo(const std::string& chosen) {
  const std::string path = WithExtension(chosen, ExportExtension(m_type, m_graph));
  bool ok = false;
  if (m_graph || m_type == ScoreExportType::kTableBitmap) {
    ok = m_score && SaveBitmap(EndsWith(chosen, ".png") ? chosen : path);
  } else if (m_type == ScoreExportType::kTableText) {
    ok = m_score && SaveTableText(path);
  } else if (m_type == ScoreExportType::kExcel && m_template && m_score) {
    ok = ExportScoreTemplate(path, m_score->Document(), m_options, m_templates, m_language);
  } else {
    ScoreExportSource source;
    if (m_score) {
      source.score = &m_score->Document();
    } else {
      source.store = m_store;
      source.testees = m_testees;
      source.model = m_model;
      source.task = m_task;
    }
    ok = ExportScoreTable(m_type, path, source, m_options);
  }
  if (ok) m_path = path;
  return ok;
}

bool CDlgScoreExport::SaveTableText(const std::string& path) const {
  const CScoreDocument& d = m_score->Document();
  const CScoreSheet& sheet = d.Sheet();
  const ScoreHeaderData headers = d.Headers(ScoreHeaderData::Mode::kExported, m_options.noTesteeName);
  std::vector<size_t> widths(sheet.Columns().size(), 0);
  for (size_t c = 0; c < widths.size(); ++c) {
    widths[c] = sheet.Columns()[c].heading.size();
    for (const ScoreRow& r : sheet.Rows()) {
      if (c < r.cells.size()) widths[c] = std::max(widths[c], r.cells[c].size());
    }
  }
  auto line = [&](const std::vector<std::string>& cells) {
    std::string out;
    for (size_t c = 0; c < widths.size(); ++c) {
      const std::string cell = c < cells.size() ? cells[c] : std::string();
      const std::string pad(widths[c] - std::min(widths[c], cell.size()), ' ');
      out += sheet.Columns()[c].right ? pad + cell : cell + pad;
      if (c + 1 < widths.size()) out += "  ";
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out + "\r\n";
  };
  std::string text = FormatTesteeHeader(headers) + "\r\n";
  std::vector<std::string> headings;
  for (const ScoreColumn& c : sheet.Columns()) headings.push_back(c.heading);
  text += line(headings);
  for (const ScoreRow& r : sheet.Rows()) text += line(r.cells);
  text += FormatTaskHeader(headers) + "\r\n";
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::remove(temp.c_str());
      ShowPrompt("Cannot write the file:\n" + path, "Qel", kPromptOk | kPromptIconStop);
      return false;
    }
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool CDlgScoreExport::SaveBitmap(const std::string& path) const {
  const ScoreSheetPrint sheet{&m_score->Document(), m_score->GetView(), m_options.noTesteeName,
                              ScoreHeaderData::Mode::kExported};
  CDlgScoreList table(const_cast<CDlgScoreExport*>(this), sheet, path, false);
  if (m_saveWithoutAsking) return table.SavePicture();
  return table.ShowModal() == wxID_OK;
}

}  // namespace qel

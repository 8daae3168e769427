// "Export to external file": writes the shown score (a table view, a score
// table or a graph) or the stored scores of a list of testees to a file the
// operator chooses: a bitmap, aligned text, text with "|" between values,
// an Excel workbook (also from the task's template) or a dBase table.
#pragma once

#include <string>
#include <vector>

#include <wx/dialog.h>

#include "scores/ScoreExport.h"

class wxCheckBox;
class wxRadioButton;
class wxStaticText;
class wxPanel;

namespace qel {

class CDlgScore;
class IScoreStore;

class CDlgScoreExport : public wxDialog {
 public:
  // One score of the score dialog: its table view (graph false) or its graph.
  CDlgScoreExport(wxWindow* parent, CDlgScore& score, bool graph);
  // The stored scores of the testees for one model and task.
  CDlgScoreExport(wxWindow* parent, IScoreStore& store, std::vector<std::string> testees, std::string model,
                  std::string task);

  void SetTarget(const std::string& path, int type);
  void SetType(ScoreExportType type);
  void SetOptions(const ScoreExportOptions& options);
  void SetTemplates(IScoreTemplates* templates, std::string language);
  const std::string& GetPath() const { return m_path; }
  const ScoreExportOptions& GetOptions() const { return m_options; }
  int GetType() const { return static_cast<int>(m_type); }
  std::string DefaultName() const;
  // Writes the file (the extension of the type replaces the path's); the
  // operator is told what went wrong. True when written.
  bool ExportTo(const std::string& path);
  // A bitmap is saved at once, without showing the "Table to save" dialog
  // first (for the program's tests and scripted exports).
  void SaveBitmapsWithoutAsking(bool on) { m_saveWithoutAsking = on; }

 private:
  void Build();
  void UpdateControls();
  void OnSave();
  bool SaveTableText(const std::string& path) const;
  bool SaveBitmap(const std::string& path) const;

  CDlgScore* m_score = nullptr;
  IScoreStore* m_store = nullptr;
  std::vector<std::string> m_testees;
  std::string m_model, m_task;
  bool m_graph = false;
  std::string m_path;
  ScoreExportType m_type = ScoreExportType::kText;
  ScoreExportOptions m_options;
  bool m_template = false;
  bool m_saveWithoutAsking = false;
  IScoreTemplates* m_templates = nullptr;
  std::string m_language = "Default";
  wxRadioButton* m_types[5] = {};
  wxCheckBox* m_dataOnly = nullptr;
  wxCheckBox* m_append = nullptr;
  wxCheckBox* m_noName = nullptr;
  wxCheckBox* m_withTemplate = nullptr;
  wxStaticText* m_name = nullptr;
  wxPanel* m_preview = nullptr;
};

}  // namespace qel

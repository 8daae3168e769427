// The Data, Export and Import pages' services over the program's project
// object: its cache, the score dialog of a stored score, the testee search,
// the raw response export and the score export of a list of testees. The
// lists of assessments and of score versions are the page services' history
// dialogs, which the program's wiring installs here.
#pragma once

#include <functional>

#include "include/qel/DateTime.h"
#include "ui/ui/DataPageServices.h"

namespace qel {

class CQelProject;

class CProgramDataPages final : public IDataPageServices {
 public:
  // A list dialog over the working project, filtered by testee, model and
  // task (an empty text: every one).
  using ListDialog = std::function<void(wxWindow* parent, const DataPageScore& filter)>;
  void SetAssessmentsDialog(ListDialog dialog) { m_assessments = std::move(dialog); }
  void SetScoreHistoryDialog(ListDialog dialog) { m_scoreHistory = std::move(dialog); }

  const CProjectData* GetProjectData() override;
  IAdminProject* GetProject() override;
  void ShowSavedScore(wxWindow* parent, const DataPageScore& score) override;
  bool SearchTestee(wxWindow* parent, IAdminProject* project, CListCtrlQel* markList,
                    const CTesteeSearchOptions& options, std::string* selected) override;
  void ShowAssessments(wxWindow* parent, const DataPageScore& filter) override;
  void ShowScoreHistory(wxWindow* parent, const DataPageScore& filter) override;
  bool ExportRawResponses(const std::string& path, const DataPageScore& score) override;
  bool ExportScores(wxWindow* parent, const std::vector<std::string>& testees, const std::string& model,
                    const std::string& task, ScoreExportSettings* settings) override;

  // The score dialog on a stored score of project as the logged-in user sees
  // it, read through the score store; asOf: a saved version (null: the one
  // that stands). Nothing is saved from it.
  static void ViewStoredScore(wxWindow* parent, CQelProject& project, const DataPageScore& score,
                              const QelDateTime* asOf);

 private:
  // The program's project object when a project is open; null otherwise.
  static CQelProject* OpenProject();

  ListDialog m_assessments;
  ListDialog m_scoreHistory;
};

}  // namespace qel

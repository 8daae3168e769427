// The program's page services: the Testees page's dialogs over the
// program's project object. The testee and testee-code dialogs validate and
// collect; their records are then written here through the project object
// as the logged-in user. The search and the history dialogs read the open
// project.
#pragma once

#include <functional>
#include <string>

#include "include/qel/DateTime.h"
#include "ui/ui/PageServices.h"

namespace qel {

class CProgramProject;
class CQelProject;
class IHistoryProject;
struct CScoreChoice;

class CProgramPageServices final : public IPageServices {
 public:
  // The project object the services work on (null: none); by default the
  // program's own.
  using ProjectSource = std::function<CProgramProject*()>;
  explicit CProgramPageServices(ProjectSource source = nullptr);

  const CProjectData* GetProjectData() override;
  bool EditTesteeCode(wxWindow* parent, std::string* code, bool* usersAdded) override;
  bool EditTestee(wxWindow* parent, std::string* testee, bool* usersAdded, bool* datesChanged) override;
  bool SearchTestee(wxWindow* parent, CListCtrlQel* markList, std::string* selected) override;
  void ShowTesteeHistory(wxWindow* parent) override;
  void ShowTesteeChanges(wxWindow* parent, const std::string& testee) override;
  void ShowAssessments(wxWindow* parent, bool history, const std::string& testee, const std::string& model,
                       const std::string& task) override;
  void ShowScores(wxWindow* parent, bool history, const std::string& testee, const std::string& model,
                  const std::string& task) override;

  // Opens a stored score (or a saved version of it) in the score dialog;
  // without one the score history's "View" opens nothing.
  using ScoreViewer = std::function<void(wxWindow* parent, const CScoreChoice& score, const QelDateTime* asOf)>;
  void SetScoreViewer(ScoreViewer viewer) { m_scoreViewer = std::move(viewer); }

  // The history dialogs on any project (the project dialog's own one too);
  // the pages' commands above open them on the open project.
  static void ShowTesteesOf(wxWindow* parent, IHistoryProject& project, bool history);
  static void ShowAssessmentsOf(wxWindow* parent, IHistoryProject& project, bool history, const std::string& testee,
                                const std::string& model, const std::string& task);
  static void ShowScoresOf(wxWindow* parent, IHistoryProject& project, bool history, const std::string& testee,
                           const std::string& model, const std::string& task, const ScoreViewer& viewer);

 private:
  // The project object when a project is open; else null.
  CProgramProject* OpenProject() const;

  ProjectSource m_source;
  ScoreViewer m_scoreViewer;
};

}  // namespace qel

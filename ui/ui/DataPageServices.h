// What the Data, Export and Import pages of the main view need of the
// program beyond the page base: the open project's cache and read view, the
// stored score in the score dialog, the testee search, the lists of
// assessments and of score versions, the raw response export and the score
// export of a list of testees. The program installs one over its project
// object; without one the pages list nothing and their actions do nothing.
#pragma once

#include <string>
#include <vector>

#include "admin/TesteeSearch.h"
#include "ui/DataPageRules.h"

class wxWindow;

namespace qel {

class CListCtrlQel;
class CProjectData;
class IAdminProject;

// The score export's settings that the Export page keeps between two exports.
struct ScoreExportSettings {
  std::string path;            // the target; empty: the dialog proposes one
  int type = 2;                // text with "|" between the values
  bool noTesteeName = false;
};

class IDataPageServices {
 public:
  virtual ~IDataPageServices() = default;

  // The working project's cache; null when no project is open.
  virtual const CProjectData* GetProjectData() = 0;
  // The working project as the search dialog reads it; null when none.
  virtual IAdminProject* GetProject() = 0;

  // The score dialog on the stored score as it stands (nothing to save).
  virtual void ShowSavedScore(wxWindow* parent, const DataPageScore& score) = 0;
  // The testee search on project; markList's rows of the marked testees are
  // checked on OK. True on OK with *selected the chosen testee.
  virtual bool SearchTestee(wxWindow* parent, IAdminProject* project, CListCtrlQel* markList,
                            const CTesteeSearchOptions& options, std::string* selected) = 0;
  // The stored assessments, and the saved versions of the stored scores, of
  // the testee, model and task (an empty text: every one).
  virtual void ShowAssessments(wxWindow* parent, const DataPageScore& filter) = 0;
  virtual void ShowScoreHistory(wxWindow* parent, const DataPageScore& filter) = 0;
  // Writes the raw responses of the score to path; false (the operator told
  // why) when no file was written.
  virtual bool ExportRawResponses(const std::string& path, const DataPageScore& score) = 0;
  // The score export dialog for the stored scores of the testees, starting
  // from *settings; true on OK, with *settings as the dialog left them.
  virtual bool ExportScores(wxWindow* parent, const std::vector<std::string>& testees, const std::string& model,
                            const std::string& task, ScoreExportSettings* settings) = 0;
};

void SetDataPageServices(IDataPageServices* services);
IDataPageServices* GetDataPageServices();

}  // namespace qel

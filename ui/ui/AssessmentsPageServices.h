// What the Assessments page needs of the program beyond the page base: the
// open project's cache and records, the runs of the run engine, and the
// dialogs it opens. The program installs one over its project object and
// its run dialog; without one the page lists nothing and its actions do
// nothing.
#pragma once

#include <cstdint>
#include <string>

class wxWindow;

namespace qel {

class CExpModel;
class CExpModelTask;
class CProjectData;
class CTesteeInfo;

class IAssessmentsPageServices {
 public:
  virtual ~IAssessmentsPageServices() = default;

  // The open project's cache; null when no project is open.
  virtual const CProjectData* GetProjectData() = 0;
  // Reads the model with its tasks bound to the loaded plug-ins; false when
  // it cannot be read (reported by the project object).
  virtual bool ReadModel(const std::string& model, CExpModel* out) = 0;
  virtual bool ReadTestee(const std::string& testee, CTesteeInfo* out) = 0;
  // Each task's stored-assessment counts for the testee, then a new
  // assessment of its current part selected.
  virtual bool CheckModelAssessments(const std::string& testee, const std::string& model, CExpModel* expModel) = 0;

  // Runs of the task on the program's run dialog, whose notify window hears
  // the run's start (131) and end (132). Signals and practice runs know no
  // testee record; a test run takes the testee's birth date for the age and
  // stores into the project once the operator confirms its score. False
  // when a run is in progress or the run did not start.
  virtual bool IsRunInProgress() = 0;
  virtual bool RunSignals(CExpModelTask* task, const std::string& testee, const std::string& model,
                          wxWindow* notify) = 0;
  virtual bool RunPractice(CExpModelTask* task, const std::string& testee, const std::string& model,
                           wxWindow* notify) = 0;
  virtual bool RunTest(CExpModelTask* task, const CTesteeInfo& testee, const std::string& model,
                       wxWindow* notify) = 0;
  // Ends a run in progress (nothing when none runs).
  virtual void AbortRun() = 0;

  // The testee dialog for a new testee; on OK the project object writes it.
  // True when written: *testee is its name and *usersAdded tells whether the
  // logged-in user joined the project's users.
  virtual bool NewTestee(wxWindow* parent, std::string* testee, bool* usersAdded) = 0;
  // The testee search (tree-filter buttons, marking and single selection
  // on); true on OK with *selected the chosen testee.
  virtual bool SearchTestee(wxWindow* parent, std::string* selected) = 0;
  // The testee dialog showing the record.
  virtual void ViewTestee(wxWindow* parent, const CTesteeInfo& testee) = 0;
  // The model editor on a copy of the stored model, without run buttons.
  virtual void ViewModel(wxWindow* parent, const std::string& model) = 0;
  // The score dialog of the stored score as it stands, its list of one part
  // (0: every part), the addition after its caption; nothing can be saved
  // from it.
  virtual void ShowScore(wxWindow* parent, const std::string& testee, const std::string& model,
                         const std::string& task, uint32_t assessment, int part, const std::string& addition) = 0;

  // What a rebuilt score that was written changed.
  struct RebuiltScore {
    bool usersAdded = false;  // the logged-in user joined the project's users
    int outdatedBefore = 0;   // the testee's outdated scores before and after the write
    int outdatedAfter = 0;
  };
  // Recomputes the stored score of the task's current assessment from its
  // stored responses through the task's plug-in (the testee's birth date
  // giving the age), shows it for saving and, when the operator saves it,
  // writes it as the logged-in user. False, with nothing written, when the
  // score or the responses cannot be read, the current part has no stored
  // trials, the plug-in fails, the operator does not save or the write fails.
  virtual bool RebuildScore(wxWindow* parent, const CTesteeInfo& testee, const std::string& model,
                            CExpModelTask* task, RebuiltScore* out) = 0;
};

void SetAssessmentsPageServices(IAssessmentsPageServices* services);
IAssessmentsPageServices* GetAssessmentsPageServices();

}  // namespace qel

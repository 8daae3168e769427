// The Assessments page's way into the program: the program's project object
// for records, the editors' runner (a hidden run dialog for each run, on the
// program's task host and run data) for the runs, and the testee,
// testee-search and model dialogs. The parts are looked up when used (the
// program makes its host and run data after the services are installed);
// tests hand in their own.
#pragma once

#include <functional>
#include <memory>

#include "include/qel/DateTime.h"
#include "ui/ui/AssessmentsPageServices.h"

namespace qel {

class CEditorRunner;
class CProgramProject;
class CTaskHost;
class CTaskRunData;

class CProgramAssessments final : public IAssessmentsPageServices {
 public:
  struct Sources {
    std::function<CProgramProject*()> project;  // the project object (null: none)
    std::function<CTaskRunData*()> runData;      // the program's run data (null: none yet)
    std::function<CTaskHost*()> host;            // the program's task host (null: none yet)
  };
  // The program's own: its project object, run data and host.
  static Sources ProgramSources();

  explicit CProgramAssessments(Sources sources);
  ~CProgramAssessments() override;
  CProgramAssessments(const CProgramAssessments&) = delete;
  CProgramAssessments& operator=(const CProgramAssessments&) = delete;

  const CProjectData* GetProjectData() override;
  bool ReadModel(const std::string& model, CExpModel* out) override;
  bool ReadTestee(const std::string& testee, CTesteeInfo* out) override;
  bool CheckModelAssessments(const std::string& testee, const std::string& model, CExpModel* expModel) override;

  bool IsRunInProgress() override;
  bool RunSignals(CExpModelTask* task, const std::string& testee, const std::string& model,
                  wxWindow* notify) override;
  bool RunPractice(CExpModelTask* task, const std::string& testee, const std::string& model,
                   wxWindow* notify) override;
  bool RunTest(CExpModelTask* task, const CTesteeInfo& testee, const std::string& model, wxWindow* notify) override;
  void AbortRun() override;

  bool NewTestee(wxWindow* parent, std::string* testee, bool* usersAdded) override;
  bool SearchTestee(wxWindow* parent, std::string* selected) override;
  void ViewTestee(wxWindow* parent, const CTesteeInfo& testee) override;
  void ViewModel(wxWindow* parent, const std::string& model) override;
  void ShowScore(wxWindow* parent, const std::string& testee, const std::string& model, const std::string& task,
                 uint32_t assessment, int part, const std::string& addition) override;
  bool RebuildScore(wxWindow* parent, const CTesteeInfo& testee, const std::string& model, CExpModelTask* task,
                    RebuiltScore* out) override;

  // The model editor, modally, on a model read by the caller, with the
  // program's task plug-ins, run data and host; canRun: its runs are offered.
  void RunModelEditor(wxWindow* parent, CExpModel& model, bool canRun);

 private:
  // The open project object; null when none or no project is open.
  CProgramProject* OpenProject();
  // The runner, made on first use over the program's host and run data;
  // null before they exist.
  CEditorRunner* Runner();

  Sources m_sources;
  std::unique_ptr<CEditorRunner> m_runner;
  // The testee record of the test run in progress (its birth date gives the age).
  QelTesteeRecord m_testeeRecord;
};

}  // namespace qel

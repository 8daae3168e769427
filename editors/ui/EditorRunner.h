// The editors' and the Assessments page's runs on the program's run
// dialog: a hidden run dialog made for each run, which goes with its run
// (or with this object), with the program's task host and run data. The
// window that starts a run is its notify window.
#pragma once

#include "editors/EditorRuns.h"

namespace qel {

class CDlgRun;
class CTaskHost;
class CTaskRunData;
class IRunProject;
struct QelTesteeRecord;

class CEditorRunner : public IEditorRuns {
 public:
  CEditorRunner(CTaskHost& host, CTaskRunData& runData);
  ~CEditorRunner();
  CEditorRunner(const CEditorRunner&) = delete;
  CEditorRunner& operator=(const CEditorRunner&) = delete;

  bool IsRunActive() const override;
  bool RunSignals(CExpModelTask* task, const std::string& modelName, wxWindow* notify) override;
  bool RunPractice(CExpModelTask* task, const std::string& modelName, wxWindow* notify) override;
  void AbortRun() override;
  // Runs stored under (or, for signals and practice, named after) the
  // project's testee and model. Signals and practice runs know no testee
  // record; a test run takes the testee's (birth date: the age), which must
  // live until the run ends.
  bool RunSignalsFor(CExpModelTask* task, IRunProject* project, const std::string& testee, const std::string& model,
                     wxWindow* notify);
  bool RunPracticeFor(CExpModelTask* task, IRunProject* project, const std::string& testee,
                      const std::string& model, wxWindow* notify);
  bool RunTestFor(CExpModelTask* task, IRunProject* project, const std::string& testee,
                  const QelTesteeRecord* record, const std::string& model, wxWindow* notify);
  // The voice key's capture device for runs.
  void SetCaptureDevice(int index) { m_captureDevice = index; }
  CDlgRun* Dialog() const { return m_dialog; }

 private:
  bool Prepare(CExpModelTask* task, wxWindow* notify, const QelTesteeRecord* testee = nullptr);

  CTaskHost& m_host;
  CTaskRunData& m_runData;
  CDlgRun* m_dialog = nullptr;
  int m_captureDevice = -1;
};

}  // namespace qel

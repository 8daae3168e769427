// The editors' runs on the program's run dialog: a hidden run dialog made
// for each run, which goes with its run (or with this object), with the program's
// task host and run data. The window that starts a run is its notify window.
#pragma once

#include "editors/EditorRuns.h"

namespace qel {

class CDlgRun;
class CTaskHost;
class CTaskRunData;

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
  // The voice key's capture device for runs.
  void SetCaptureDevice(int index) { m_captureDevice = index; }
  CDlgRun* Dialog() const { return m_dialog; }

 private:
  bool Prepare(CExpModelTask* task, wxWindow* notify);

  CTaskHost& m_host;
  CTaskRunData& m_runData;
  CDlgRun* m_dialog = nullptr;
  int m_captureDevice = -1;
};

}  // namespace qel

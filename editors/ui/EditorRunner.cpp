#include "editors/ui/EditorRunner.h"

#include <wx/window.h>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/rundlg/ui/DlgRun.h"

namespace qel {

CEditorRunner::CEditorRunner(CTaskHost& host, CTaskRunData& runData) : m_host(host), m_runData(runData) {}

CEditorRunner::~CEditorRunner() {
  if (!m_dialog) return;
  m_dialog->AbortRun();
  m_dialog->SetNotifyWindow(nullptr);
  m_dialog->Destroy();
}

bool CEditorRunner::IsRunActive() const { return m_dialog && m_dialog->IsRunActive(); }

bool CEditorRunner::Prepare(CExpModelTask* task, wxWindow* notify, const QelTesteeRecord* testee) {
  if (!task || IsRunActive()) return false;
  m_runData.SetTask(task);
  m_runData.testee = testee;
  if (!m_dialog) {
    // A hidden run dialog goes with its run: a new one for each run.
    m_dialog = new CDlgRun(nullptr, m_host, m_runData);
    m_dialog->Bind(wxEVT_DESTROY, [this, dialog = m_dialog](wxWindowDestroyEvent& event) {
      if (event.GetEventObject() == dialog && m_dialog == dialog) m_dialog = nullptr;
      event.Skip();
    });
  }
  m_dialog->SetCaptureDevice(m_captureDevice);
  m_dialog->SetTask(task);
  m_dialog->SetNotifyWindow(notify);
  m_dialog->SetTitle(false);
  return true;
}

bool CEditorRunner::RunSignals(CExpModelTask* task, const std::string& modelName, wxWindow* notify) {
  return Prepare(task, notify) && m_dialog->RunSignals(nullptr, nullptr, modelName.c_str());
}

bool CEditorRunner::RunPractice(CExpModelTask* task, const std::string& modelName, wxWindow* notify) {
  return Prepare(task, notify) && m_dialog->RunPractice(nullptr, nullptr, modelName.c_str());
}

bool CEditorRunner::RunSignalsFor(CExpModelTask* task, IRunProject* project, const std::string& testee,
                                  const std::string& model, wxWindow* notify) {
  return Prepare(task, notify) && m_dialog->RunSignals(project, testee.c_str(), model.c_str());
}

bool CEditorRunner::RunPracticeFor(CExpModelTask* task, IRunProject* project, const std::string& testee,
                                   const std::string& model, wxWindow* notify) {
  return Prepare(task, notify) && m_dialog->RunPractice(project, testee.c_str(), model.c_str());
}

bool CEditorRunner::RunTestFor(CExpModelTask* task, IRunProject* project, const std::string& testee,
                               const QelTesteeRecord* record, const std::string& model, wxWindow* notify) {
  if (!project || testee.empty() || model.empty()) return false;
  return Prepare(task, notify, record) && m_dialog->RunTest(project, testee.c_str(), model.c_str());
}

void CEditorRunner::AbortRun() {
  if (m_dialog && m_dialog->IsRunInProgress()) m_dialog->AbortRun();
}

}  // namespace qel

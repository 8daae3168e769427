#include "engine/rundlg/tests/RunDlgTestSupport.h"

#include <wx/app.h>

#include <cstring>
#include <memory>

#include "engine/rundlg/ui/HostRunDevices.h"
#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

CTaskHost& Host() {
  static CTaskHost* host = new CTaskHost;  // lives as long as the program, as in the program
  return *host;
}

CTaskRunData& RunData() {
  static CTaskRunData* data = new CTaskRunData;
  return *data;
}

void Pump() {
  for (int i = 0; i < 3; ++i) wxTheApp->ProcessPendingEvents();
}

namespace {

std::unique_ptr<PluginScript> g_script;

}  // namespace

PluginScript& TheScript() {
  if (!g_script) ResetScript();
  return *g_script;
}

void ResetScript() {
  auto script = std::make_unique<PluginScript>();
  script->clock = [] { return Host().GetRunTimeMs(); };
  script->host = &Host();
  qel::test::SetActivePluginScript(script.get());
  g_script = std::move(script);
}

void MakeScriptTask(CExpModelTask& task, ITaskLibrary* library) {
  task.Clear();
  library->partCount = 1;
  task.library = library;
  task.TaskIdStr = "SC";
  task.TaskName = "Scripted";
  task.w = qel::test::ScriptedTaskWords();
  task.w.TaskVersion = 2;
  task.currentPart = 0;
  task.currentAssessment = 1;
}

bool RecordingDevices::CreateFullScreen(int displayIndex) {
  m_log.push_back("fullscreen");
  if (m_failAt == "fullscreen") return false;
  if (!m_realDisplay) return true;
  return OpenRunFullScreen(Host(), displayIndex);
}

void RecordingDevices::FreeDisplay() {
  m_log.push_back("-display");
  Host().FreeDisplay();
}

bool FakeProject::ReadResponses(const std::string&, const std::string&, CExpModelTask& task, uint32_t, int, int) {
  ++m_reads;
  if (!m_readOk) return false;
  task.trialCounts[task.currentPart] = m_storedTrials;
  return true;
}

bool FakeProject::WriteResponses(const std::string& testee, const std::string& model, CExpModelTask& task,
                                 const CTaskRunData& runData, int variableCount, const QelDateTime&, bool* added,
                                 bool* newVariablesRow) {
  m_writes.push_back({testee, model, task.TaskIdStr, task.currentPart, task.currentAssessment, variableCount,
                      runData.category[task.currentPart][0]});
  if (added) *added = m_userAdded;
  if (newVariablesRow) *newVariablesRow = m_newRow;
  return m_writeOk;
}

ScoreRecorder::ScoreRecorder() { qel::SetScoreDialogFactory(this); }
ScoreRecorder::~ScoreRecorder() { qel::SetScoreDialogFactory(nullptr); }

int ScoreRecorder::RunScoreDialog(const ScoreDialogRequest& request) {
  const int part = request.part - 1;
  m_seen.push_back({request, request.runData ? request.runData->variableCount : -1,
                    request.runData ? request.runData->values[0] : 0.0,
                    request.task && part >= 0 && part < kMaxParts ? request.task->trialCounts[part] : 0});
  return m_answer;
}

}  // namespace test

}  // namespace qel

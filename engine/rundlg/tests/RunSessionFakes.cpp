#include "engine/rundlg/tests/RunSessionFakes.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace qel {

namespace test {

void MakeScriptTask(CExpModelTask& task, ITaskLibrary* library) {
  task.Clear();
  library->partCount = 1;
  task.library = library;
  task.TaskIdStr = "SC";
  task.TaskName = "Scripted";
  task.w = ScriptedTaskWords();
  task.w.TaskVersion = 2;
  task.currentPart = 0;
  task.currentAssessment = 1;
}

const std::vector<std::string>& RunReleases() {
  static const std::vector<std::string> releases{"-mouse", "-keyboard", "-response", "-input",
                                                 "-sound", "-voicekey", "-display"};
  return releases;
}

PortFile::PortFile() {
  char name[] = "/tmp/qel-run-port-XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  m_path = name;
}

PortFile::~PortFile() { unlink(m_path.c_str()); }

std::vector<uint8_t> PortFile::Bytes() const {
  std::ifstream in(m_path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool StepUntil(ManualTickSource& source, const std::function<void()>& pump, const std::function<bool()>& done,
               uint32_t limitMs) {
  for (uint32_t i = 0; i < limitMs; ++i) {
    if (done()) return true;
    source.RunMs(1);
    pump();
  }
  return done();
}

bool RecordingDevices::Step(const char* name) {
  m_log.push_back(name);
  if (m_onStep) m_onStep(name);
  return m_failAt != name;
}

bool RecordingDevices::CreateFullScreen(int displayIndex) {
  if (!Step("fullscreen")) return false;
  return !m_fullScreen || m_fullScreen(displayIndex);
}

void RecordingDevices::FreeDisplay() {
  Step("-display");
  if (m_freeDisplay) m_freeDisplay();
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

int ScoreRecorder::RunScoreDialog(const ScoreDialogRequest& request) {
  const int part = request.part - 1;
  m_seen.push_back({request, request.runData ? request.runData->variableCount : -1,
                    request.runData ? request.runData->values[0] : 0.0,
                    request.task && part >= 0 && part < kMaxParts ? request.task->trialCounts[part] : 0});
  return m_answer;
}

}  // namespace test

}  // namespace qel

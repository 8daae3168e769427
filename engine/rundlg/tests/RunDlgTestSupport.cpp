#include "RunDlgTestSupport.h"

#include <wx/app.h>

#include <cstring>
#include <memory>

#include "engine/rundlg/HostRunDevices.h"
#include "qel/TaskEntry.h"

namespace rundlgtest {

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

std::unique_ptr<Script> g_script = std::make_unique<Script>();

bool Answer(int32_t* out, int32_t value) {
  if (out) *out = value;
  return true;
}

}  // namespace

Script& TheScript() { return *g_script; }
void ResetScript() { g_script = std::make_unique<Script>(); }

int Script::Count(uint32_t command) {
  std::lock_guard<std::mutex> lock(mutex);
  int n = 0;
  for (const uint32_t c : commands) n += c == command ? 1 : 0;
  return n;
}

extern "C" bool ScriptedEntry(uint32_t command, intptr_t a, intptr_t /*b*/, intptr_t /*c*/, int32_t* out) {
  Script& s = *g_script;
  CTaskHost& host = Host();
  const uint32_t now = host.GetRunTimeMs();
  if (command != kCmdGetResponse && command != kCmdIsTrialEnded) {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.commands.push_back(command);
  }
  switch (command) {
    case kCmdSetupRun: {
      if (!s.prepareResult) return false;
      const size_t n = std::min<size_t>(s.trials.size(), kMaxTrialCodes);
      for (size_t i = 0; i < n; ++i) {
        std::memset(host.trialList[i], 0, kTrialCodeSize);
        std::strncpy(host.trialList[i], s.trials[i].c_str(), kTrialCodeSize - 1);
      }
      host.trialCount = static_cast<uint32_t>(s.trials.size());
      return true;
    }
    case kCmdBeginRun:
    case kCmdEndRun:
    case kCmdShowWarning:
    case kCmdHideSignal:
    case kCmdFeedbackOn:
    case kCmdFeedbackOff:
      return true;
    case kCmdShowSignal:
      s.shown = true;
      s.shownAt = now;
      return true;
    case kCmdBreakBegin:
    case kCmdBreakEnd:
      return Answer(out, 0);
    case kCmdWarningInterval: return Answer(out, 500);
    case kCmdGetResponse: {
      const int n = s.sequence.load();
      int32_t bits = 0;
      if (n >= 0 && static_cast<size_t>(n) < s.answers.size() && s.shown.load()) {
        const TrialAnswer& t = s.answers[n];
        const uint32_t since = now - s.shownAt.load();
        if (t.rtMs >= 0 && since >= static_cast<uint32_t>(t.rtMs) && since < t.rtMs + t.holdMs) bits = t.bits;
      }
      return Answer(out, bits);
    }
    case kCmdIsTrialEnded:
    case kCmdOnResponse:
    case kCmdOnNoResponse:
    case kCmdOnResponseRelease:
    case kCmdExtraResponseCount:
      return Answer(out, 0);
    case kCmdSetTrial: {
      ++s.sequence;
      s.shown = false;
      const char* code = reinterpret_cast<const char*>(a);
      return code && code[0] == 'T';
    }
    case kCmdCorrectResponse: return Answer(out, 1);
    case kCmdComputeVariables: {
      if (s.variables < 0) return false;
      auto* data = reinterpret_cast<ITaskRunData*>(a);
      data->SetValue(0, 42.0, true);
      data->resultWord = s.resultWord;
      host.breakFlag = s.breakFlagAtEnd;
      return Answer(out, s.variables);
    }
    case kCmdRunSelfTimed: return s.selfTimed ? s.selfTimed() : false;
    case kCmdDemonstrate: return s.signals ? s.signals() : false;
    default:
      return false;
  }
}

void MakeScriptTask(CExpModelTask& task, ITaskLibrary* library) {
  task.Clear();
  library->partCount = 1;
  task.library = library;
  task.TaskIdStr = "SC";
  task.TaskName = "Scripted";
  QelTaskWords& w = task.w;
  w = QelTaskWords{};
  w.TaskType = 1;
  w.TaskVersion = 2;
  w.TaskIntrAfterTrials = 1000;
  w.TaskSDType = 1;
  w.TaskSDLow = w.TaskSDHigh = 200;
  w.TaskVRLow = 100;
  w.TaskVRHigh = 1500;
  w.TaskIntType = 1;
  w.TaskIntLow = w.TaskIntHigh = 1000;
  task.currentPart = 0;
  task.currentAssessment = 1;
}

bool RecordingDevices::CreateFullScreen(int displayIndex) {
  log.push_back("fullscreen");
  if (failAt == "fullscreen") return false;
  if (!realDisplay) return true;
  return OpenRunFullScreen(Host(), displayIndex);
}

void RecordingDevices::FreeDisplay() {
  log.push_back("-display");
  Host().FreeDisplay();
}

bool FakeProject::ReadResponses(const std::string&, const std::string&, CExpModelTask& task, uint32_t, int, int) {
  ++reads;
  if (!readOk) return false;
  task.trialCounts[task.currentPart] = storedTrials;
  return true;
}

bool FakeProject::WriteResponses(const std::string& testee, const std::string& model, CExpModelTask& task,
                                 const CTaskRunData& runData, int variableCount, const QelDateTime&, bool* added,
                                 bool* newVariablesRow) {
  writes.push_back({testee, model, task.TaskIdStr, task.currentPart, task.currentAssessment, variableCount,
                    runData.category[task.currentPart][0]});
  if (added) *added = userAdded;
  if (newVariablesRow) *newVariablesRow = newRow;
  return writeOk;
}

ScoreRecorder::ScoreRecorder() { qel::SetScoreDialogFactory(this); }
ScoreRecorder::~ScoreRecorder() { qel::SetScoreDialogFactory(nullptr); }

int ScoreRecorder::RunScoreDialog(const ScoreDialogRequest& request) {
  const int part = request.part - 1;
  seen.push_back({request, request.runData ? request.runData->variableCount : -1,
                  request.runData ? request.runData->values[0] : 0.0,
                  request.task && part >= 0 && part < kMaxParts ? request.task->trialCounts[part] : 0});
  return answer;
}

}  // namespace rundlgtest

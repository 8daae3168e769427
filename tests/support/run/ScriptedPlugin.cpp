#include "tests/support/run/ScriptedPlugin.h"

#include <algorithm>
#include <cstring>

#include "include/qel/TaskEntry.h"
#include "include/qel/TaskRunDataInterface.h"

namespace qel {

namespace test {

namespace {

std::atomic<PluginScript*> g_script{nullptr};

std::string CodeAt(intptr_t p) {
  const char* code = reinterpret_cast<const char*>(p);
  return code ? std::string(code, strnlen(code, kTrialCodeSize)) : std::string();
}

bool Answer(int32_t* out, int32_t value) {
  if (out) *out = value;
  return true;
}

bool PublishTrialList(PluginScript& s) {
  if (!s.prepareResult || !s.host) return false;
  const size_t n = std::min<size_t>(s.codes.size(), kMaxTrialCodes);
  for (size_t i = 0; i < n; ++i) {
    std::memset(s.host->trialList[i], 0, kTrialCodeSize);
    std::strncpy(s.host->trialList[i], s.codes[i].c_str(), kTrialCodeSize - 1);
  }
  s.host->trialCount = static_cast<uint32_t>(s.codes.size());
  return true;
}

int32_t ResponseBits(const PluginScript& s, uint32_t now) {
  const TrialScript& t = s.Current();
  if (!s.shown.load() || t.rtMs < 0) return 0;
  const uint32_t since = now - s.shownAt.load();
  return since >= static_cast<uint32_t>(t.rtMs) && since < static_cast<uint32_t>(t.rtMs) + t.holdMs ? t.bits : 0;
}

bool ComputeVariables(PluginScript& s, intptr_t runData, int32_t* out) {
  if (s.variables < 0) return false;
  auto* data = reinterpret_cast<ITaskRunData*>(runData);
  if (data) {
    data->SetValue(0, 42.0, true);
    data->resultWord = s.resultWord;
  }
  if (s.host) s.host->breakFlag = s.breakFlagAtEnd;
  return Answer(out, s.variables);
}

}  // namespace

void SetActivePluginScript(PluginScript* script) { g_script.store(script); }

QelTaskWords ScriptedTaskWords() {
  QelTaskWords w{};
  w.TaskType = kResponseSingle;
  w.TaskIntrAfterTrials = 1000;
  w.TaskSDType = kSignalDurationFixed;
  w.TaskSDLow = w.TaskSDHigh = 200;
  w.TaskVRLow = 100;
  w.TaskVRHigh = 1500;
  w.TaskIntType = kIntervalFixed;
  w.TaskIntLow = w.TaskIntHigh = 1000;
  return w;
}

const TrialScript& PluginScript::Current() const {
  const int n = sequence.load();
  if (n >= 0 && static_cast<size_t>(n) < trials.size()) return trials[n];
  return otherTrials;
}

std::vector<PluginCall> PluginScript::Calls(uint32_t command) const {
  std::vector<PluginCall> found;
  std::lock_guard<std::mutex> lock(callsMutex);
  for (const PluginCall& c : calls) {
    if (c.command == command) found.push_back(c);
  }
  return found;
}

std::vector<uint32_t> PluginScript::Commands() const {
  std::vector<uint32_t> commands;
  std::lock_guard<std::mutex> lock(callsMutex);
  for (const PluginCall& c : calls) commands.push_back(c.command);
  return commands;
}

int PluginScript::Count(uint32_t command) const { return static_cast<int>(Calls(command).size()); }

extern "C" bool ScriptedTaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t /*c*/, int32_t* out) {
  PluginScript* s = g_script.load();
  if (!s) return false;
  const uint32_t now = s->clock ? s->clock() : 0;
  if (command != kCmdGetResponse && command != kCmdIsTrialEnded) {
    PluginCall call{command, a, b, now, {}};
    if (command == kCmdShowSignal || command == kCmdSetTrial || command == kCmdCorrectResponse) call.code = CodeAt(a);
    std::lock_guard<std::mutex> lock(s->callsMutex);
    s->calls.push_back(call);
  }
  switch (command) {
    case kCmdSetupRun:
      return PublishTrialList(*s);
    case kCmdBeginRun:
    case kCmdEndRun:
    case kCmdShowWarning:
    case kCmdHideSignal:
    case kCmdFeedbackOn:
    case kCmdFeedbackOff:
      return true;
    case kCmdShowSignal:
      if (!s->showSignal) return false;
      s->shown = true;
      s->shownAt = now;
      return true;
    case kCmdBreakBegin:
      return Answer(out, s->stepBack);
    case kCmdBreakEnd:
      return Answer(out, s->resumeDelay);
    case kCmdWarningInterval:
      return Answer(out, s->startDelay);
    case kCmdGetResponse:
      s->polls.fetch_add(1, std::memory_order_relaxed);
      return Answer(out, s->poll ? s->poll() : ResponseBits(*s, now));
    case kCmdIsTrialEnded:
      return Answer(out, s->trialEnded ? s->trialEnded(now) : 0);
    case kCmdOnResponse:
      return Answer(out, s->onResponse ? s->onResponse(static_cast<int32_t>(a), static_cast<int32_t>(b)) : 0);
    case kCmdOnNoResponse:
      return Answer(out, s->onTimeout ? s->onTimeout() : 0);
    case kCmdOnResponseRelease:
      return Answer(out, 0);
    case kCmdExtraResponseCount:
      return Answer(out, s->extraResponses);
    case kCmdSetTrial: {
      ++s->sequence;
      s->shown = false;
      const char* code = reinterpret_cast<const char*>(a);
      return code && code[0] == 'T';
    }
    case kCmdCorrectResponse: {
      // The digit after the first letter ("T1" -> 1); 0 without one.
      const char* code = reinterpret_cast<const char*>(a);
      return Answer(out, code && code[0] && code[1] >= '0' && code[1] <= '9' ? code[1] - '0' : 0);
    }
    case kCmdClassifyResponse:
      if (!s->classify) return false;
      return s->classify(static_cast<int32_t>(a), static_cast<int32_t>(b), out);
    case kCmdComputeVariables:
      return ComputeVariables(*s, a, out);
    case kCmdRunSelfTimed:
      return s->selfTimed ? s->selfTimed() : false;
    case kCmdDemonstrate:
      return s->signals ? s->signals() : false;
    default:
      return false;
  }
}

}  // namespace test

}  // namespace qel

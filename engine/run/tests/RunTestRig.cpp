#include "engine/run/tests/RunTestRig.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "include/qel/TaskEntry.h"
#include "include/qel/TrialCodes.h"

namespace qel {

namespace test {

void QueueSink::PostRunEvent(int32_t code, intptr_t lParam) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.emplace_back(code, lParam);
  }
  m_ready.notify_one();
}

bool QueueSink::Pop(int32_t* code, intptr_t* lParam) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_queue.empty()) return false;
  *code = m_queue.front().first;
  *lParam = m_queue.front().second;
  m_queue.pop_front();
  return true;
}

bool QueueSink::WaitPop(int32_t* code, intptr_t* lParam, int timeoutMs) {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (!m_ready.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_queue.empty(); })) return false;
  *code = m_queue.front().first;
  *lParam = m_queue.front().second;
  m_queue.pop_front();
  return true;
}

size_t QueueSink::Size() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_queue.size();
}

intptr_t TestDisplay::PostMessageA(int command, intptr_t) {
  if (command != kDispCmdOpenBreak || !m_breaksAllowed) return 0;
  ++m_opened;
  m_state.store(kBreakOnScreen);
  return 1;
}

RunRig::RunRig(IRunStamps* stamps, IRunPresentGate* gate) : m_host(std::make_unique<TestHost>()), m_runData(std::make_unique<CTaskRunData>()) {
  m_script.clock = [this] { return m_timer.GetElapsedMs(); };
  m_script.host = m_host.get();
  qel::test::SetActivePluginScript(&m_script);
  m_host->display = &m_display;
  m_task.library = &m_library;
  m_task.TaskName = "Scripted";
  m_task.w = qel::test::ScriptedTaskWords();

  char name[] = "/tmp/qel-run-port-XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  m_portPath = name;
  m_port.SetSignalSync(true);
  m_port.SetPath(m_portPath);

  RunMachineDevices devices;
  devices.clock = &m_timer;
  devices.events = &m_sink;
  devices.keyboard = &m_keyboard;
  devices.voiceKey = &m_voiceKey;
  devices.port = &m_port;
  devices.stamps = stamps;
  devices.presentGate = gate;
  m_machine = std::make_unique<CRunMachine>(devices);
}

RunRig::~RunRig() {
  m_machine->Stop();
  m_timer.Stop();
  m_port.Close();
  if (!m_portPath.empty()) unlink(m_portPath.c_str());
  qel::test::SetActivePluginScript(nullptr);
}

void RunRig::SetTrials(const std::vector<std::string>& codes, uint32_t count) {
  for (size_t i = 0; i < codes.size() && i < static_cast<size_t>(kMaxTrialCodes); ++i) {
    std::memset(m_host->trialList[i], 0, kTrialCodeSize);
    std::strncpy(m_host->trialList[i], codes[i].c_str(), kTrialCodeSize - 1);
  }
  m_host->trialCount = count == UINT32_MAX ? static_cast<uint32_t>(codes.size()) : count;
}

void RunRig::SetSecondList(const std::vector<std::string>& codes) {
  m_secondList.assign(codes.size() * kTrialCodeSize, '\0');
  for (size_t i = 0; i < codes.size(); ++i) {
    std::strncpy(&m_secondList[i * kTrialCodeSize], codes[i].c_str(), kTrialCodeSize - 1);
  }
  m_library.secondList = reinterpret_cast<const char(*)[kTrialCodeSize]>(m_secondList.data());
  m_library.secondListCount = static_cast<uint32_t>(codes.size());
  m_host->secondList = m_library.secondList;
  m_host->secondCount = m_library.secondListCount;
}

bool RunRig::Start(bool practice, int partIndex) {
  m_part = partIndex;
  m_port.Open();  // without SignalSync (or a port) the run goes on without signals
  if (!m_timer.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(m_machine.get()))) return false;
  RunPartSetup setup;
  setup.task = &m_task;
  setup.host = m_host.get();
  setup.runData = m_runData.get();
  setup.part = partIndex;
  setup.practice = practice;
  setup.seed = 12345;
  return m_machine->StartPart(setup);
}

void RunRig::Pump() {
  int32_t code;
  intptr_t lParam;
  while (m_sink.Pop(&code, &lParam)) {
    m_events.push_back({code, Now()});
    const RunEventAction action = m_machine->OnRunEvent(code, lParam);
    m_actions.push_back(action);
    if (action == RunEventAction::kEndRun) {
      m_ended = true;
      m_machine->Stop();
    }
  }
}

void RunRig::Step(uint32_t ms) {
  for (uint32_t i = 0; i < ms; ++i) {
    m_source.RunMs(1);
    if (m_pumpEvents) Pump();
  }
}

bool RunRig::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
  for (uint32_t i = 0; i < limitMs; ++i) {
    if (done()) return true;
    Step(1);
  }
  return done();
}

bool RunRig::RunToEnd(uint32_t limitMs) {
  return RunUntil([this] { return m_ended; }, limitMs);
}

std::vector<Record> RunRig::Records() const {
  std::vector<Record> records;
  const uint32_t n = m_machine->GetResponseCount();
  for (uint32_t i = 0; i < n && i < static_cast<uint32_t>(kMaxResponses); ++i) {
    records.push_back({m_runData->category[m_part][i], m_runData->reactionTime[m_part][i],
                       m_runData->responseCode[m_part][i], m_runData->taskCategory[m_part][i]});
  }
  return records;
}

std::vector<uint8_t> RunRig::PortBytes() const {
  std::ifstream in(m_portPath, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint32_t> RunRig::EventTimes(int32_t code) const {
  std::vector<uint32_t> times;
  for (const PostedEvent& e : m_events) {
    if (e.code == code) times.push_back(e.at);
  }
  return times;
}

int RunRig::Count(int32_t code) const { return static_cast<int>(EventTimes(code).size()); }

}  // namespace test

}  // namespace qel

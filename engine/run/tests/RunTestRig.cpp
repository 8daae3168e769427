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
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.emplace_back(code, lParam);
  }
  ready_.notify_one();
}

bool QueueSink::Pop(int32_t* code, intptr_t* lParam) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (queue_.empty()) return false;
  *code = queue_.front().first;
  *lParam = queue_.front().second;
  queue_.pop_front();
  return true;
}

bool QueueSink::WaitPop(int32_t* code, intptr_t* lParam, int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!ready_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !queue_.empty(); })) return false;
  *code = queue_.front().first;
  *lParam = queue_.front().second;
  queue_.pop_front();
  return true;
}

size_t QueueSink::Size() {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

intptr_t TestDisplay::PostMessageA(int command, intptr_t) {
  if (command != kDispCmdOpenBreak || !breaksAllowed) return 0;
  ++opened;
  state.store(kBreakOnScreen);
  return 1;
}

RunRig::RunRig() : host(std::make_unique<TestHost>()), runData(std::make_unique<CTaskRunData>()) {
  script.clock = [this] { return timer.GetElapsedMs(); };
  script.host = host.get();
  qel::test::SetActivePluginScript(&script);
  host->display = &display;
  task.library = &library;
  task.TaskName = "Scripted";
  task.w = qel::test::ScriptedTaskWords();

  char name[] = "/tmp/qel-run-port-XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  portPath_ = name;
  port.SetSignalSync(true);
  port.SetPath(portPath_);

  RunMachineDevices devices;
  devices.clock = &timer;
  devices.events = &sink;
  devices.keyboard = &keyboard;
  devices.voiceKey = &voiceKey;
  devices.port = &port;
  machine = std::make_unique<CRunMachine>(devices);
}

RunRig::~RunRig() {
  machine->Stop();
  timer.Stop();
  port.Close();
  if (!portPath_.empty()) unlink(portPath_.c_str());
  qel::test::SetActivePluginScript(nullptr);
}

void RunRig::SetTrials(const std::vector<std::string>& codes, uint32_t count) {
  for (size_t i = 0; i < codes.size() && i < static_cast<size_t>(kMaxTrialCodes); ++i) {
    std::memset(host->trialList[i], 0, kTrialCodeSize);
    std::strncpy(host->trialList[i], codes[i].c_str(), kTrialCodeSize - 1);
  }
  host->trialCount = count == UINT32_MAX ? static_cast<uint32_t>(codes.size()) : count;
}

void RunRig::SetSecondList(const std::vector<std::string>& codes) {
  secondList_.assign(codes.size() * kTrialCodeSize, '\0');
  for (size_t i = 0; i < codes.size(); ++i) {
    std::strncpy(&secondList_[i * kTrialCodeSize], codes[i].c_str(), kTrialCodeSize - 1);
  }
  library.secondList = reinterpret_cast<const char(*)[kTrialCodeSize]>(secondList_.data());
  library.secondListCount = static_cast<uint32_t>(codes.size());
  host->secondList = library.secondList;
  host->secondCount = library.secondListCount;
}

bool RunRig::Start(bool practice, int partIndex) {
  part = partIndex;
  port.Open();  // without SignalSync (or a port) the run goes on without signals
  if (!timer.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(machine.get()))) return false;
  RunPartSetup setup;
  setup.task = &task;
  setup.host = host.get();
  setup.runData = runData.get();
  setup.part = partIndex;
  setup.practice = practice;
  setup.seed = 12345;
  return machine->StartPart(setup);
}

void RunRig::Pump() {
  int32_t code;
  intptr_t lParam;
  while (sink.Pop(&code, &lParam)) {
    events.push_back({code, Now()});
    const RunEventAction action = machine->OnRunEvent(code, lParam);
    actions.push_back(action);
    if (action == RunEventAction::kEndRun) {
      ended = true;
      machine->Stop();
    }
  }
}

void RunRig::Step(uint32_t ms) {
  for (uint32_t i = 0; i < ms; ++i) {
    source.RunMs(1);
    if (pumpEvents) Pump();
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
  return RunUntil([this] { return ended; }, limitMs);
}

std::vector<Record> RunRig::Records() const {
  std::vector<Record> records;
  const uint32_t n = machine->GetResponseCount();
  for (uint32_t i = 0; i < n && i < static_cast<uint32_t>(kMaxResponses); ++i) {
    records.push_back({runData->category[part][i], runData->reactionTime[part][i], runData->responseCode[part][i],
                       runData->taskCategory[part][i]});
  }
  return records;
}

std::vector<uint8_t> RunRig::PortBytes() const {
  std::ifstream in(portPath_, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint32_t> RunRig::EventTimes(int32_t code) const {
  std::vector<uint32_t> times;
  for (const PostedEvent& e : events) {
    if (e.code == code) times.push_back(e.at);
  }
  return times;
}

int RunRig::Count(int32_t code) const { return static_cast<int>(EventTimes(code).size()); }

}  // namespace test

}  // namespace qel

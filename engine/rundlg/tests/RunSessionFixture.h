// A run session without any window: a clock moved by hand, the port writing
// into a plain file, the scripted plug-in, recording devices, host,
// notifier, monitor, project and score dialog, and the posted run events
// handed back to the session on the test's thread.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/port/SignalPort.h"
#include "engine/run/tests/RunTestRig.h"
#include "engine/rundlg/RunHost.h"
#include "engine/rundlg/RunMonitor.h"
#include "engine/rundlg/RunNotifier.h"
#include "engine/rundlg/RunSession.h"
#include "engine/rundlg/tests/RunSessionFakes.h"
#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace test {

// The host: the plug-ins' view of it, a display with the break word, and
// what the session hands over and asks for.
class RecordingRunHost final : public IRunHost {
 public:
  RecordingRunHost() { m_taskHost.display = nullptr; }

  ITaskHost& TaskHost() override { return m_taskHost; }
  void AttachRun(IRunClock& clock) override {
    m_clock = &clock;
    m_taskHost.display = &m_display;
  }
  void DetachRun() override {
    m_clock = nullptr;
    m_taskHost.display = nullptr;
  }
  void SetWaitsInterrupted(bool interrupted) override { m_waitsInterrupted = interrupted; }
  void SetBreakTexts(const RunBreakDisplayTexts& texts) override { m_breakTexts = texts; }
  void SetBreakState(int state) override { m_display.BreakSetState(state); }
  void CancelBreak() override { ++m_breakCancels; }
  void ShowCursor(bool show) override { m_cursorShown = show; }
  void FocusDisplay() override { ++m_focus; }
  void SetSpaceKeyBreaks(bool on) override { m_spaceBreaks.push_back(on); }

  bool Attached() const { return m_clock != nullptr || m_taskHost.display != nullptr; }

  TestHost m_taskHost;
  TestDisplay m_display;
  IRunClock* m_clock = nullptr;
  std::atomic<bool> m_waitsInterrupted{false};
  RunBreakDisplayTexts m_breakTexts;
  int m_breakCancels = 0;
  bool m_cursorShown = true;
  std::vector<bool> m_spaceBreaks;  // each change of the Space key's break
  int m_focus = 0;
};

class RecordingNotifier final : public IRunNotifier {
 public:
  void NotifyCaller(QelNotifyCode code) override {
    if (m_hasCaller) m_caller.push_back(code);
  }
  void ForgetCaller() override { m_hasCaller = false; }
  void NotifyMainView(QelNotifyCode code, const QelAssessmentNotice* notice) override {
    m_view.push_back(code);
    if (notice) m_notices.push_back(*notice);
  }
  void PostMainFrame(QelNotifyCode code, intptr_t payload) override { m_frame.push_back({code, payload}); }

  bool m_hasCaller = true;  // a caller until the run forgets it
  std::vector<int> m_caller;
  std::vector<int> m_view;
  std::vector<QelAssessmentNotice> m_notices;
  struct Posted {
    int code;
    intptr_t payload;
    bool operator==(const Posted&) const = default;
  };
  std::vector<Posted> m_frame;
};

// What the dialog would be told, by name ("go" and "stop" for OnGoChanged).
class RecordingMonitor final : public IRunMonitor {
 public:
  void OnCountersCleared() override { m_log.push_back("cleared"); }
  void OnInstructionChanged() override { m_log.push_back("instruction"); }
  void OnRunGoing() override { m_log.push_back("going"); }
  void OnRunProgress() override { m_log.push_back("progress"); }
  void OnRunStopped() override { m_log.push_back("stopped"); }
  void OnGoChanged(bool go) override { m_log.push_back(go ? "go" : "stop"); }
  void OnRunOver() override { m_log.push_back("over"); }
  int Count(const std::string& call) const;

  std::vector<std::string> m_log;
};

class RunSessionFixture : public ::testing::Test {
 protected:
  RunSessionFixture();
  ~RunSessionFixture() override;

  bool Start(RunKind kind, IRunProject* project = nullptr, const char* testee = "P01", const char* model = "Model A") {
    return m_session->Start(kind, project, testee, model);
  }
  // Hands every queued run event to the session.
  void Pump();
  // Beats and pumps until done (true) or the limit passed.
  bool RunUntil(const std::function<bool()>& done, uint32_t limitMs = 60000);
  bool RunToEnd(uint32_t limitMs = 60000);
  // Pumps in real time (worker threads) until done or the limit passed.
  bool WaitUntil(const std::function<bool()>& done, int limitMs = 5000);
  std::vector<uint8_t> PortBytes() const { return m_portFile.Bytes(); }
  CTaskRunData& RunData() { return *m_runData; }

  PromptRecorder m_prompts;
  PortFile m_portFile;
  ManualTickSource m_source;
  CTimerMs m_timer{&m_source};
  CSignalPort m_port;
  QueueSink m_events;
  RecordingRunHost m_host;
  RecordingDevices m_devices;
  RecordingNotifier m_notifier;
  RecordingMonitor m_monitor;
  ScoreRecorder m_scores;
  FakeProject m_project;
  ScriptLibrary m_library;
  CExpModelTask m_task;
  std::unique_ptr<CTaskRunData> m_runData;
  PluginScript m_script;
  std::unique_ptr<CRunSession> m_session;
};

}  // namespace test

}  // namespace qel

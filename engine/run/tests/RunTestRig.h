// A run on a virtual clock: the real CRunMachine, CTimerMs (beaten by hand
// through a ManualTickSource), CSignalPort (writing into a plain file),
// CTaskRunData, and a CExpModelTask bound to a library record whose entry
// is the scripted in-process plug-in of tests/support. Beats and posted
// events are pumped on the test's thread, so a run is deterministic to the
// millisecond.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "common/TextOrEmpty.h"
#include "engine/port/SignalPort.h"
#include "engine/run/RunEventSink.h"
#include "engine/run/RunMachine.h"
#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskHostInterface.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/run/RunDeviceFakes.h"
#include "tests/support/run/ScriptedPlugin.h"

namespace qel {

namespace test {

using qel::test::PluginCall;
using qel::test::PluginScript;
using qel::test::TrialScript;

// Posted events, queued for the pumping thread.
class QueueSink final : public IRunEventSink {
 public:
  void PostRunEvent(int32_t code, intptr_t lParam) override;
  bool Pop(int32_t* code, intptr_t* lParam);
  bool WaitPop(int32_t* code, intptr_t* lParam, int timeoutMs);
  size_t Size();

 private:
  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::deque<std::pair<int32_t, intptr_t>> m_queue;
};

using qel::test::TestKeyboard;
using qel::test::TestVoiceKey;

// The display's break word and command channel as a run sees them.
class TestDisplay final : public IDDDisplay {
 public:
  bool GetWndRectClient(QelRect&) override { return false; }
  bool Present(bool) override { return true; }
  bool SurfaceGetSize(int, int&, int&) override { return false; }
  CDC* SurfaceGetDC(int) override { return nullptr; }
  bool SurfaceReleaseDC(int, CDC*) override { return false; }
  bool SurfaceClear(int, COLORREF) override { return false; }
  bool SurfaceBltBack1(int) override { return false; }
  int BreakGetState() override { return m_state.load(); }
  void BreakSetState(int s) override { m_state.store(s); }
  void BreakSetTitle(const char* t) override { m_title = TextOrEmpty(t); }
  bool BreakCreate() override { return false; }
  long TaskDlgCreate(IQelDialog*, QelResModule, int, bool) override { return 0; }
  void SetCursor(bool) override {}
  long TaskDlgDestroy(IQelDialog*, QelResModule, int) override { return 0; }
  intptr_t PostMessageA(int command, intptr_t) override;
  void SetRestoreDisplay(QelRestoreCallback cb, void* ctx) override {
    m_restore = cb;
    m_restoreContext = ctx;
  }

  std::atomic<int> m_state{kBreakRequested};
  bool m_breaksAllowed = true;
  int m_opened = 0;
  std::string m_title;
  QelRestoreCallback m_restore = nullptr;
  void* m_restoreContext = nullptr;
};

// The test host whose restore callback goes to the run's display, as the
// program's host hands it on.
class TestHost final : public FakeTaskHost {
 public:
  void SetRestoreDisplay(QelRestoreCallback cb, void* ctx) override {
    if (display) display->SetRestoreDisplay(cb, ctx);
  }
};

// One stored response record.
struct Record {
  int32_t category, rt, code, final;
  bool operator==(const Record&) const = default;
};

struct PostedEvent {
  int32_t code;
  uint32_t at;
};

class RunRig {
 public:
  // `stamps`: device stamps for the machine (not owned), none by default.
  // `gate`: the machine's present gate (not owned), none by default.
  explicit RunRig(IRunStamps* stamps = nullptr, IRunPresentGate* gate = nullptr);
  ~RunRig();

  // Default words: single response, fixed interval 1000, fixed signal 200,
  // post-response interval, valid window 100..1500, no interruption.
  QelTaskWords& Words() { return m_task.w; }
  // Fills the host's trial list (count defaults to the list's length).
  void SetTrials(const std::vector<std::string>& codes, uint32_t count = UINT32_MAX);
  void SetSecondList(const std::vector<std::string>& codes);

  bool Start(bool practice = false, int part = 0);
  // Moves the clock by ms, one beat and a full event pump per millisecond.
  void Step(uint32_t ms = 1);
  // Steps until the part has ended (an event asked for the end of the run)
  // or the limit passes; true when it ended.
  bool RunToEnd(uint32_t limitMs = 600000);
  // Steps until the predicate holds; false when the limit passes first.
  bool RunUntil(const std::function<bool()>& done, uint32_t limitMs = 600000);
  void Pump();
  uint32_t Now() const { return m_timer.GetElapsedMs(); }

  std::vector<Record> Records() const;
  std::vector<uint8_t> PortBytes() const;
  std::vector<uint32_t> EventTimes(int32_t code) const;
  int Count(int32_t code) const;

  qel::ManualTickSource m_source;
  qel::CTimerMs m_timer{&m_source};
  QueueSink m_sink;
  TestKeyboard m_keyboard;
  TestVoiceKey m_voiceKey;
  qel::CSignalPort m_port;
  TestDisplay m_display;
  std::unique_ptr<TestHost> m_host;
  std::unique_ptr<CTaskRunData> m_runData;
  qel::test::ScriptedTaskLibrary m_library;
  CExpModelTask m_task;
  PluginScript m_script;
  std::unique_ptr<CRunMachine> m_machine;
  std::vector<PostedEvent> m_events;
  std::vector<RunEventAction> m_actions;
  bool m_ended = false;
  bool m_pumpEvents = true;  // false: events stay queued until Pump
  int m_part = 0;

 private:
  std::string m_portPath;
  std::vector<char> m_secondList;
};

}  // namespace test

}  // namespace qel

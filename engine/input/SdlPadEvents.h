// Game pad and joystick buttons as SDL reports them, taken in on a thread
// of their own and stamped as they arrive. SDL's own event times are whole
// ms, so the thread stamps them: it brings SDL's devices up to date every
// kPumpPeriodNs, notes the CLOCK_MONOTONIC time in ns at which it looked,
// and puts every button press and release of a watched device into the
// input event log with that time. After each look it publishes the watched
// devices' states, which readers (the 1 ms beat among them) copy without
// any SDL call.
//
// SDL keeps the devices' events in its queue for this thread; nobody else
// takes joystick or game controller events from it.
#pragma once

#include <condition_variable>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "engine/input/InputResult.h"
#include "engine/input/InputTypes.h"

namespace qel {

class InputEventLog;
class SdlPad;

class SdlPadEvents {
 public:
  static constexpr int64_t kPumpPeriodNs = 250'000;
  // Watched devices: the game pad and the joystick of a run.
  static constexpr int kSlots = 2;

  SdlPadEvents() = default;
  ~SdlPadEvents();
  SdlPadEvents(const SdlPadEvents&) = delete;
  SdlPadEvents& operator=(const SdlPadEvents&) = delete;

  // Starts the thread (SDL's joystick system must run); presses and
  // releases go into `log`, which must outlive the thread.
  bool Start(InputEventLog* log);
  void Stop();
  bool IsRunning() const { return m_thread.joinable(); }

  // Watches an opened pad in `slot` (its state is unknown until the
  // thread's next look), or stops watching it: returns once the thread no
  // longer uses it, so it may be closed or opened again.
  void Watch(int slot, const SdlPad* pad);
  void Unwatch(int slot);

  // What the thread saw of a slot at its latest look.
  struct Reading {
    bool known = false;     // looked at since it was watched
    bool attached = false;  // still plugged in
    JoystickState state;
    InputResult result = kInputOk;  // of reading the state
    std::string detail;
  };
  Reading Read(int slot) const;

  // Waits until the thread has looked at the devices after now; false when
  // it does not run or did not look within the limit.
  bool Sync(std::chrono::milliseconds limit);

 private:
  void Run();
  // One look at the watched pads; false when none is watched.
  bool Look();

  InputEventLog* m_log = nullptr;
  std::thread m_thread;

  static constexpr int kButtons = static_cast<int>(sizeof(JoystickState::rgbButtons));

  // The watched pads and their buttons down as logged; held by the thread
  // while it looks.
  std::mutex m_padsMutex;
  const SdlPad* m_pads[kSlots] = {};
  bool m_down[kSlots][kButtons] = {};

  // What the latest look saw; held only for copies.
  mutable std::mutex m_readingMutex;
  Reading m_readings[kSlots];

  // Stop and sync requests, and the count of looks begun and done.
  std::mutex m_controlMutex;
  std::condition_variable m_wake;
  std::condition_variable m_looked;
  bool m_stop = false;
  uint64_t m_looksBegun = 0;
  uint64_t m_looksDone = 0;
};

}  // namespace qel

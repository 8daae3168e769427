// Keys, mouse buttons and mouse movement as the X server's event stream
// reports them, read on a thread of their own and stamped as they arrive.
// The thread has an X connection of its own and waits on it; every key and
// button press and release (XInput 2 raw events of every device, XTest
// included) updates the state and goes into a log with its CLOCK_MONOTONIC
// time in ns, and movement is summed with the time of its latest event.
// Readers (the 1 ms beat among them) take the state, the log and the
// movement without any X call and without waiting for the thread: the
// words they read are atomics.
//
// Movement: XInput 2 raw motion events of every pointer device. Raw events
// carry what the device itself reported, before pointer acceleration and
// before the screen edges clip the pointer, and a pointer that is warped
// (say, to the screen centre) produces none, so warps cause no movement.
// Devices with absolute axes (tablets, touch screens) are turned into
// movement from one position to the next, scaled to the screen. The wheel
// comes from scroll valuators or from the legacy wheel buttons 4 and 5,
// whichever the device sent (not the copy the server makes in the other
// form): 120 per notch.
//
// A read first lets the thread finish with events that have reached the
// program but are not handled yet (at most kCatchUpNs), so it sees every
// event the server has sent before it.
//
// Raw events come before the server's button mapping; the mapping is read
// once at the start and applied here. Key repeats are not events.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <map>
#include <string>
#include <thread>

#include "engine/input/InputEventLog.h"
#include "engine/input/InputTypes.h"
#include "engine/input/MotionSum.h"

typedef struct _XDisplay Display;
union _XEvent;

namespace qel {

// The mouse state's button (0 left, 1 right, 2 middle, 3 back, 4 forward,
// 5-7 further ones) of a logical X button; -1 for the wheel and others.
int MouseButtonOfX(unsigned xButton);

// Wheel notches of a raw button press: +1 for button 4 (away from the
// user), -1 for button 5, 0 for any other button and for a press the server
// made up from scroll valuator motion (emulated), which counts already.
int WheelNotchesOfRawButton(int button, bool emulated);

class X11InputEvents {
 public:
  static constexpr int64_t kCatchUpNs = 500'000;

  X11InputEvents() = default;
  ~X11InputEvents();
  X11InputEvents(const X11InputEvents&) = delete;
  X11InputEvents& operator=(const X11InputEvents&) = delete;

  // Opens a connection to the display named by DISPLAY, selects the raw
  // events, reads the keys and buttons down now and starts the thread,
  // which puts presses and releases into `log` (it must outlive the
  // thread). False (with the reason) without the display or without XInput 2.
  bool Start(InputEventLog* log, std::string* error);
  void Stop();
  bool IsRunning() const { return m_running.load(); }

  // The 32-byte key bitmap (bit n = X key code n down), as XQueryKeymap gives it.
  void ReadKeymap(char keymap[32]) const;
  // The eight buttons of the mouse state (kDown when down).
  void ReadButtons(uint8_t buttons[8]) const;
  // The same as handled so far, without waiting for events that have
  // arrived but are not handled yet (they go into the log after the state).
  void PeekKeymap(char keymap[32]) const;
  void PeekButtons(uint8_t buttons[8]) const;

  // Movement is summed while on; turning it on drops what came before and
  // lets absolute devices begin anew.
  void StartMotion();
  void StopMotion();
  // Movement since the last take in whole counts (fractions stay for the
  // next), and the CLOCK_MONOTONIC time at which its latest event arrived
  // (0 when none arrived since the last take).
  struct Motion {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t dz = 0;
    int64_t latestNs = 0;
  };
  Motion TakeMotion();

  // Waits (not on the beat: it takes a round trip) until every event the
  // server sent this connection before now is handled; false when the
  // thread did not answer within the limit or does not run.
  bool Sync(std::chrono::milliseconds limit);

 private:
  void Run();
  // Waits (bounded) while events have arrived that the thread has not handled.
  void CatchUp() const;
  void HandleEvent(_XEvent* event, int64_t arrivedNs);
  // Sets the key's bit, then logs the event with its X key code.
  void AddKey(unsigned keycode, bool down, int64_t arrivedNs);
  void SetKey(unsigned keycode, bool down);
  void SetButton(unsigned physical, bool down);

  // Movement (thread only).
  struct Axis {
    bool absolute = false;
    double min = 0;
    double max = 0;
    bool haveLast = false;
    double last = 0;
  };
  struct PointerDevice {
    Axis axis[2];
    int verticalScroll = -1;  // valuator number, -1 none
    double scrollIncrement = 1;
    Axis scroll;
  };
  void HandleMotion(const void* rawEvent, int64_t arrivedNs);
  void AddWheelButton(const void* rawEvent, int64_t arrivedNs);
  void LoadDevices();
  PointerDevice* Device(int id);
  void BeginMotionIfStarted();

  Display* m_display = nullptr;
  int m_xiOpcode = -1;
  int m_wakePipe[2] = {-1, -1};
  int m_connectionFd = -1;
  std::thread m_thread;
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_busy{false};
  std::mutex m_syncMutex;
  std::condition_variable m_synced;
  uint64_t m_syncAsked = 0;  // under m_syncMutex
  uint64_t m_syncDone = 0;  // the thread is reading or handling events
  std::atomic<uint8_t> m_keymap[32] = {};
  std::atomic<uint8_t> m_buttons[8] = {};
  unsigned char m_buttonMap[256] = {};  // physical -> logical button
  InputEventLog* m_log = nullptr;

  std::atomic<bool> m_motionOn{false};
  std::atomic<uint64_t> m_motionStarts{0};  // counts StartMotion calls
  uint64_t m_motionStartsSeen = 0;          // thread only
  MotionSum m_motion[3];                    // x, y, wheel
  std::atomic<int64_t> m_motionNs{0};
  int m_screenWidth = 0;
  int m_screenHeight = 0;
  std::map<int, PointerDevice> m_devices;  // thread only (and Start before it)
};

}  // namespace qel

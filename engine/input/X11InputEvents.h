// Keys and mouse buttons as the X server's event stream reports them, read
// on a thread of their own and stamped as they arrive. The thread has an X
// connection of its own and waits on it; every key and button press and
// release (XInput 2 raw events of every device, XTest included) updates the
// state and goes into a log with its CLOCK_MONOTONIC time in ns. Readers
// (the 1 ms beat among them) take the state and the log without any X call
// and without waiting for the thread: the words they read are atomics.
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
#include <string>
#include <thread>

#include "engine/input/InputTypes.h"

typedef struct _XDisplay Display;
union _XEvent;

namespace qel {

// The mouse state's button (0 left, 1 right, 2 middle, 3 back, 4 forward,
// 5-7 further ones) of a logical X button; -1 for the wheel and others.
int MouseButtonOfX(unsigned xButton);

// The log of stamped events: a ring of the latest kCapacity events, written
// by one thread, read by any. Index i is the i-th event since the start.
class InputEventLog {
 public:
  static constexpr uint64_t kCapacity = 256;


  void Clear();
  // Writer only: adds an event; published when Count() takes it in.
  void Add(int64_t ns, bool press);
  uint64_t Count() const { return m_count.load(std::memory_order_acquire); }
  // Event `index`; false when it is not yet written or already overwritten.
  bool At(uint64_t index, InputEventStamp* out) const;

 private:
  struct Slot {
    std::atomic<uint64_t> sequence{0};  // index + 1 once written, 0 while being written
    std::atomic<int64_t> ns{0};
    std::atomic<bool> press{false};
  };
  Slot m_slots[kCapacity];
  std::atomic<uint64_t> m_count{0};
};

class X11InputEvents {
 public:
  static constexpr int64_t kCatchUpNs = 500'000;

  X11InputEvents() = default;
  ~X11InputEvents();
  X11InputEvents(const X11InputEvents&) = delete;
  X11InputEvents& operator=(const X11InputEvents&) = delete;

  // Opens a connection to the display named by DISPLAY, selects the raw
  // events, reads the keys and buttons down now and starts the thread.
  // False (with the reason) without the display or without XInput 2.
  bool Start(std::string* error);
  void Stop();
  bool IsRunning() const { return m_running.load(); }

  // The 32-byte key bitmap (bit n = X key code n down), as XQueryKeymap gives it.
  void ReadKeymap(char keymap[32]) const;
  // The eight buttons of the mouse state (kDown when down).
  void ReadButtons(uint8_t buttons[8]) const;

  const InputEventLog& Log() const { return m_log; }

  // Waits (not on the beat: it takes a round trip) until every event the
  // server sent this connection before now is handled; false when the
  // thread did not answer within the limit or does not run.
  bool Sync(std::chrono::milliseconds limit);

 private:
  void Run();
  // Waits (bounded) while events have arrived that the thread has not handled.
  void CatchUp() const;
  void HandleEvent(_XEvent* event, int64_t arrivedNs);
  void SetKey(unsigned keycode, bool down);
  void SetButton(unsigned physical, bool down);

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
  InputEventLog m_log;
};

}  // namespace qel

#include "engine/input/X11InputEvents.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>

#include "common/MonotonicNs.h"
#include "common/TextOrEmpty.h"

namespace qel {

namespace {

// X button numbers of the eight buttons of the mouse state: left, right,
// middle, then the side buttons (8 back, 9 forward) and further ones.
constexpr unsigned kButtonOfX[8] = {1, 3, 2, 8, 9, 10, 11, 12};
// Just above the 1 ms beat, so an event is stamped as soon as it is there.
constexpr int kRealTimePriority = 46;

}  // namespace

int MouseButtonOfX(unsigned xButton) {
  for (int i = 0; i < 8; ++i) {
    if (kButtonOfX[i] == xButton) return i;
  }
  return -1;
}

// ---- the log -------------------------------------------------------------------

void InputEventLog::Clear() {
  for (Slot& slot : m_slots) slot.sequence.store(0, std::memory_order_relaxed);
  m_count.store(0, std::memory_order_release);
}

void InputEventLog::Add(int64_t ns, bool press) {
  const uint64_t index = m_count.load(std::memory_order_relaxed);
  Slot& slot = m_slots[index % kCapacity];
  slot.sequence.store(0, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  slot.ns.store(ns, std::memory_order_relaxed);
  slot.press.store(press, std::memory_order_relaxed);
  slot.sequence.store(index + 1, std::memory_order_release);
  m_count.store(index + 1, std::memory_order_release);
}

bool InputEventLog::At(uint64_t index, InputEventStamp* out) const {
  if (index >= Count()) return false;
  const Slot& slot = m_slots[index % kCapacity];
  if (slot.sequence.load(std::memory_order_acquire) != index + 1) return false;
  out->ns = slot.ns.load(std::memory_order_relaxed);
  out->press = slot.press.load(std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_acquire);
  return slot.sequence.load(std::memory_order_relaxed) == index + 1;
}

// ---- the reader ----------------------------------------------------------------

X11InputEvents::~X11InputEvents() { Stop(); }

bool X11InputEvents::Start(std::string* error) {
  if (m_running.load()) return true;
  m_display = XOpenDisplay(nullptr);
  if (m_display == nullptr) {
    if (error) *error = std::string("cannot open display \"") + TextOrEmpty(std::getenv("DISPLAY")) + "\"";
    return false;
  }
  int event = 0;
  int err = 0;
  int major = 2;
  int minor = 2;
  if (!XQueryExtension(m_display, "XInputExtension", &m_xiOpcode, &event, &err) ||
      XIQueryVersion(m_display, &major, &minor) != Success || major < 2) {
    if (error) *error = "the X server has no XInput 2";
    XCloseDisplay(m_display);
    m_display = nullptr;
    return false;
  }
  unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask, XI_RawKeyPress);
  XISetMask(mask, XI_RawKeyRelease);
  XISetMask(mask, XI_RawButtonPress);
  XISetMask(mask, XI_RawButtonRelease);
  XIEventMask masks[1] = {{XIAllMasterDevices, sizeof mask, mask}};
  XISelectEvents(m_display, DefaultRootWindow(m_display), masks, 1);
  XSync(m_display, False);

  // What is down already; events from here on change it.
  for (unsigned i = 0; i < 256; ++i) m_buttonMap[i] = static_cast<unsigned char>(i);
  unsigned char map[256] = {};
  const int mapped = XGetPointerMapping(m_display, map, sizeof map);
  for (int i = 0; i < mapped && i < 255; ++i) m_buttonMap[i + 1] = map[i];
  char keymap[32] = {};
  XQueryKeymap(m_display, keymap);
  for (int i = 0; i < 32; ++i) m_keymap[i].store(static_cast<uint8_t>(keymap[i]), std::memory_order_relaxed);
  for (auto& b : m_buttons) b.store(0, std::memory_order_relaxed);
  int pointer = 0;
  if (XIGetClientPointer(m_display, None, &pointer)) {
    Window root = 0, child = 0;
    double rootX = 0, rootY = 0, winX = 0, winY = 0;
    XIButtonState buttons{};
    XIModifierState modifiers{};
    XIGroupState group{};
    if (XIQueryPointer(m_display, pointer, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &winX,
                       &winY, &buttons, &modifiers, &group)) {
      for (int i = 0; i < 8; ++i) {
        const unsigned b = kButtonOfX[i];
        if (static_cast<int>(b) < buttons.mask_len * 8 && XIMaskIsSet(buttons.mask, b)) {
          m_buttons[i].store(kDown, std::memory_order_relaxed);
        }
      }
      XFree(buttons.mask);
    }
  }
  m_log.Clear();

  if (pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    if (error) *error = "cannot make the input thread's pipe";
    XCloseDisplay(m_display);
    m_display = nullptr;
    return false;
  }
  m_connectionFd = ConnectionNumber(m_display);
  m_stop.store(false);
  m_running.store(true);
  m_thread = std::thread(&X11InputEvents::Run, this);
  return true;
}

void X11InputEvents::Stop() {
  if (!m_running.load()) return;
  m_stop.store(true);
  const char wake = 1;
  (void)!write(m_wakePipe[1], &wake, 1);
  if (m_thread.joinable()) m_thread.join();
  close(m_wakePipe[0]);
  close(m_wakePipe[1]);
  m_wakePipe[0] = m_wakePipe[1] = -1;
  XCloseDisplay(m_display);
  m_display = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_syncMutex);
    m_running.store(false);
  }
  m_synced.notify_all();
}

void X11InputEvents::CatchUp() const {
  if (!m_running.load()) return;
  pollfd fd{m_connectionFd, POLLIN, 0};
  const int64_t until = MonotonicNowNs() + kCatchUpNs;
  // Unread data first, then the flag: the thread raises it before it reads.
  while ((poll(&fd, 1, 0) > 0 || m_busy.load(std::memory_order_acquire)) && MonotonicNowNs() < until) {
    fd.revents = 0;
  }
}

bool X11InputEvents::Sync(std::chrono::milliseconds limit) {
  if (!m_running.load()) return false;
  std::unique_lock<std::mutex> lock(m_syncMutex);
  const uint64_t ticket = ++m_syncAsked;
  const char wake = 1;
  (void)!write(m_wakePipe[1], &wake, 1);
  return m_synced.wait_for(lock, limit, [&] { return m_syncDone >= ticket || !m_running.load(); }) &&
         m_syncDone >= ticket;
}

void X11InputEvents::ReadKeymap(char keymap[32]) const {
  CatchUp();
  for (int i = 0; i < 32; ++i) keymap[i] = static_cast<char>(m_keymap[i].load(std::memory_order_acquire));
}

void X11InputEvents::ReadButtons(uint8_t buttons[8]) const {
  CatchUp();
  for (int i = 0; i < 8; ++i) buttons[i] = m_buttons[i].load(std::memory_order_acquire);
}

void X11InputEvents::Run() {
  // Real-time when allowed, so an event is stamped as soon as it is there;
  // an ordinary thread otherwise.
  sched_param param{};
  param.sched_priority = kRealTimePriority;
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);

  pollfd fds[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
  while (!m_stop.load()) {
    if (XEventsQueued(m_display, QueuedAlready) == 0) {
      if (poll(fds, 2, -1) < 0) continue;
      if (fds[1].revents != 0) {
        char drained[16];
        while (read(m_wakePipe[0], drained, sizeof drained) > 0) {
        }
      }
      if (m_stop.load()) break;
    }
    uint64_t asked = 0;
    {
      std::lock_guard<std::mutex> lock(m_syncMutex);
      asked = m_syncAsked;
    }
    m_busy.store(true, std::memory_order_release);
    // A sync's answer comes after every event sent before it.
    if (asked > m_syncDone) XSync(m_display, False);
    // Every event read in one go arrived together.
    const int64_t arrived = MonotonicNowNs();
    while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
      XEvent event;
      XNextEvent(m_display, &event);
      HandleEvent(&event, arrived);
    }
    m_busy.store(false, std::memory_order_release);
    if (asked > m_syncDone) {
      std::lock_guard<std::mutex> lock(m_syncMutex);
      m_syncDone = asked;
      m_synced.notify_all();
    }
  }
}

void X11InputEvents::HandleEvent(XEvent* event, int64_t arrivedNs) {
  XGenericEventCookie* cookie = &event->xcookie;
  if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode) return;
  if (!XGetEventData(m_display, cookie)) return;
  const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
  const bool repeat = (raw->flags & XIKeyRepeat) != 0;
  switch (cookie->evtype) {
    case XI_RawKeyPress:
      if (!repeat) {
        m_log.Add(arrivedNs, true);
        SetKey(static_cast<unsigned>(raw->detail), true);
      }
      break;
    case XI_RawKeyRelease:
      m_log.Add(arrivedNs, false);
      SetKey(static_cast<unsigned>(raw->detail), false);
      break;
    case XI_RawButtonPress:
    case XI_RawButtonRelease: {
      const bool down = cookie->evtype == XI_RawButtonPress;
      const unsigned physical = static_cast<unsigned>(raw->detail);
      const unsigned logical = physical < 256 ? m_buttonMap[physical] : physical;
      if (MouseButtonOfX(logical) >= 0) {
        m_log.Add(arrivedNs, down);
        SetButton(physical, down);
      }
      break;
    }
    default:
      break;
  }
  XFreeEventData(m_display, cookie);
}

void X11InputEvents::SetKey(unsigned keycode, bool down) {
  if (keycode >= 256) return;
  std::atomic<uint8_t>& byte = m_keymap[keycode / 8];
  const uint8_t bit = static_cast<uint8_t>(1u << (keycode % 8));
  if (down) {
    byte.fetch_or(bit, std::memory_order_release);
  } else {
    byte.fetch_and(static_cast<uint8_t>(~bit), std::memory_order_release);
  }
}

void X11InputEvents::SetButton(unsigned physical, bool down) {
  const unsigned logical = physical < 256 ? m_buttonMap[physical] : physical;
  const int index = MouseButtonOfX(logical);
  if (index >= 0) m_buttons[index].store(down ? kDown : 0, std::memory_order_release);
}

}  // namespace qel

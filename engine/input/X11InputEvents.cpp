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
constexpr double kWheelNotch = 120.0;

}  // namespace

int MouseButtonOfX(unsigned xButton) {
  for (int i = 0; i < 8; ++i) {
    if (kButtonOfX[i] == xButton) return i;
  }
  return -1;
}

int WheelNotchesOfRawButton(int button, bool emulated) {
  if (emulated) return 0;
  if (button == 4) return 1;
  if (button == 5) return -1;
  return 0;
}

// ---- the reader ----------------------------------------------------------------

X11InputEvents::~X11InputEvents() { Stop(); }

bool X11InputEvents::Start(InputEventLog* log, std::string* error) {
  if (m_running.load()) return true;
  m_log = log;
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
  XISetMask(mask, XI_RawMotion);
  unsigned char hierarchy[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(hierarchy, XI_HierarchyChanged);
  XIEventMask masks[2] = {{XIAllMasterDevices, sizeof mask, mask}, {XIAllDevices, sizeof hierarchy, hierarchy}};
  XISelectEvents(m_display, DefaultRootWindow(m_display), masks, 2);
  XSync(m_display, False);
  const int screen = DefaultScreen(m_display);
  m_screenWidth = DisplayWidth(m_display, screen);
  m_screenHeight = DisplayHeight(m_display, screen);
  LoadDevices();
  m_motionOn.store(false);
  m_motionStartsSeen = m_motionStarts.load();
  for (MotionSum& sum : m_motion) sum.Clear();
  m_motionNs.store(0);

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
  PeekKeymap(keymap);
}

void X11InputEvents::ReadButtons(uint8_t buttons[8]) const {
  CatchUp();
  PeekButtons(buttons);
}

void X11InputEvents::PeekKeymap(char keymap[32]) const {
  for (int i = 0; i < 32; ++i) keymap[i] = static_cast<char>(m_keymap[i].load(std::memory_order_acquire));
}

void X11InputEvents::PeekButtons(uint8_t buttons[8]) const {
  for (int i = 0; i < 8; ++i) buttons[i] = m_buttons[i].load(std::memory_order_acquire);
}

void X11InputEvents::StartMotion() {
  // The thread lets absolute devices begin anew when it sees the count change.
  m_motionStarts.fetch_add(1, std::memory_order_acq_rel);
  CatchUp();  // what had arrived before the start is not counted
  for (MotionSum& sum : m_motion) sum.Clear();
  m_motionNs.store(0, std::memory_order_release);
  m_motionOn.store(true, std::memory_order_release);
}

void X11InputEvents::StopMotion() { m_motionOn.store(false, std::memory_order_release); }

X11InputEvents::Motion X11InputEvents::TakeMotion() {
  CatchUp();
  Motion motion;
  motion.latestNs = m_motionNs.exchange(0, std::memory_order_acq_rel);
  motion.dx = m_motion[0].TakeWhole();
  motion.dy = m_motion[1].TakeWhole();
  motion.dz = m_motion[2].TakeWhole();
  return motion;
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

// The state changes before the event goes into the log: a beat that reads
// the log's count and then the state never sees a change whose event lies
// before that count (it would look for the event after it and miss it).
void X11InputEvents::HandleEvent(XEvent* event, int64_t arrivedNs) {
  XGenericEventCookie* cookie = &event->xcookie;
  if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode) return;
  if (!XGetEventData(m_display, cookie)) return;
  const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
  switch (cookie->evtype) {
    case XI_HierarchyChanged:
      LoadDevices();
      break;
    case XI_RawMotion:
      HandleMotion(raw, arrivedNs);
      break;
    case XI_RawKeyPress:
      if ((raw->flags & XIKeyRepeat) == 0) AddKey(static_cast<unsigned>(raw->detail), true, arrivedNs);
      break;
    case XI_RawKeyRelease:
      AddKey(static_cast<unsigned>(raw->detail), false, arrivedNs);
      break;
    case XI_RawButtonPress:
    case XI_RawButtonRelease: {
      const bool down = cookie->evtype == XI_RawButtonPress;
      const unsigned physical = static_cast<unsigned>(raw->detail);
      const unsigned logical = physical < 256 ? m_buttonMap[physical] : physical;
      const int index = MouseButtonOfX(logical);
      if (index >= 0) {
        SetButton(physical, down);
        m_log->Add(InputEventStamp{arrivedNs, down, InputSource::kMouseButton, static_cast<uint8_t>(index)});
      } else if (down) {
        AddWheelButton(raw, arrivedNs);
      }
      break;
    }
    default:
      break;
  }
  XFreeEventData(m_display, cookie);
}

void X11InputEvents::AddKey(unsigned keycode, bool down, int64_t arrivedNs) {
  if (keycode >= 256) return;
  SetKey(keycode, down);
  m_log->Add(InputEventStamp{arrivedNs, down, InputSource::kKey, static_cast<uint8_t>(keycode)});
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

// ---- movement ------------------------------------------------------------------

void X11InputEvents::BeginMotionIfStarted() {
  const uint64_t starts = m_motionStarts.load(std::memory_order_acquire);
  if (starts == m_motionStartsSeen) return;
  m_motionStartsSeen = starts;
  for (auto& [id, device] : m_devices) {
    device.axis[0].haveLast = device.axis[1].haveLast = device.scroll.haveLast = false;
  }
}

void X11InputEvents::HandleMotion(const void* rawEvent, int64_t arrivedNs) {
  BeginMotionIfStarted();
  if (!m_motionOn.load(std::memory_order_acquire)) return;
  const auto* raw = static_cast<const XIRawEvent*>(rawEvent);
  // A wheel turn reaches the server either as scroll valuator motion or as
  // a press of button 4 or 5, and the server makes up the other form for
  // the clients of that form, flagged emulated: only the original counts,
  // or every notch would count twice.
  const bool emulated = (raw->flags & XIPointerEmulated) != 0;
  PointerDevice* device = Device(raw->sourceid);
  const double* value = raw->raw_values;
  bool moved = false;
  for (int bit = 0; bit < raw->valuators.mask_len * 8; ++bit) {
    if (!XIMaskIsSet(raw->valuators.mask, bit)) continue;
    const double v = *value++;
    Axis* axis = nullptr;
    double scale = 1.0;
    MotionSum* sum = nullptr;
    if (bit == 0 || bit == 1) {
      axis = &device->axis[bit];
      sum = &m_motion[bit];
      const int extent = bit == 0 ? m_screenWidth : m_screenHeight;
      if (axis->absolute && axis->max > axis->min) scale = extent / (axis->max - axis->min);
    } else if (bit == device->verticalScroll) {
      axis = &device->scroll;
      sum = &m_motion[2];
      scale = -kWheelNotch / device->scrollIncrement;  // down is negative
    } else {
      continue;
    }
    double delta = v;
    if (axis->absolute) {
      delta = axis->haveLast ? v - axis->last : 0.0;
      axis->last = v;
      axis->haveLast = true;
    }
    if (emulated && sum == &m_motion[2]) continue;
    if (delta != 0.0) {
      sum->Add(delta * scale);
      moved = true;
    }
  }
  if (moved) m_motionNs.store(arrivedNs, std::memory_order_release);
}

void X11InputEvents::AddWheelButton(const void* rawEvent, int64_t arrivedNs) {
  BeginMotionIfStarted();
  if (!m_motionOn.load(std::memory_order_acquire)) return;
  const auto* raw = static_cast<const XIRawEvent*>(rawEvent);
  const int notches = WheelNotchesOfRawButton(raw->detail, (raw->flags & XIPointerEmulated) != 0);
  if (notches == 0) return;
  m_motion[2].Add(kWheelNotch * notches);
  m_motionNs.store(arrivedNs, std::memory_order_release);
}

void X11InputEvents::LoadDevices() {
  m_devices.clear();
  int count = 0;
  XIDeviceInfo* info = XIQueryDevice(m_display, XIAllDevices, &count);
  if (info == nullptr) return;
  for (int i = 0; i < count; ++i) {
    if (info[i].use != XISlavePointer && info[i].use != XIMasterPointer && info[i].use != XIFloatingSlave) continue;
    PointerDevice device;
    for (int c = 0; c < info[i].num_classes; ++c) {
      const XIAnyClassInfo* any = info[i].classes[c];
      if (any->type == XIValuatorClass) {
        const auto* v = reinterpret_cast<const XIValuatorClassInfo*>(any);
        if (v->number == 0 || v->number == 1) {
          Axis& axis = device.axis[v->number];
          axis.absolute = v->mode == XIModeAbsolute;
          axis.min = v->min;
          axis.max = v->max;
        }
      } else if (any->type == XIScrollClass) {
        const auto* s = reinterpret_cast<const XIScrollClassInfo*>(any);
        if (s->scroll_type == XIScrollTypeVertical && s->increment != 0.0) {
          device.verticalScroll = s->number;
          device.scrollIncrement = s->increment;
        }
      }
    }
    // The scroll valuator's mode comes from its valuator class.
    for (int c = 0; c < info[i].num_classes && device.verticalScroll >= 0; ++c) {
      const XIAnyClassInfo* any = info[i].classes[c];
      if (any->type != XIValuatorClass) continue;
      const auto* v = reinterpret_cast<const XIValuatorClassInfo*>(any);
      if (v->number == device.verticalScroll) device.scroll.absolute = v->mode == XIModeAbsolute;
    }
    m_devices[info[i].deviceid] = device;
  }
  XIFreeDeviceInfo(info);
}

X11InputEvents::PointerDevice* X11InputEvents::Device(int id) {
  auto it = m_devices.find(id);
  if (it == m_devices.end()) {
    LoadDevices();
    it = m_devices.find(id);
    if (it == m_devices.end()) it = m_devices.emplace(id, PointerDevice{}).first;  // asked once only
  }
  return &it->second;
}

}  // namespace qel

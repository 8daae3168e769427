#include "engine/input/X11InputConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "common/TextOrEmpty.h"
#include "engine/input/X11InputEvents.h"
#include "engine/input/X11KeyMap.h"

namespace qel {

namespace {

constexpr double kWheelNotch = 120.0;

// Whole units out of an accumulator, the fraction stays for the next read.
int32_t TakeWhole(double* accumulator) {
  const double whole = std::trunc(*accumulator);
  *accumulator -= whole;
  if (whole > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (whole < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(whole);
}

}  // namespace

int WheelNotchesOfRawButton(int button, bool emulated) {
  if (emulated) return 0;
  if (button == 4) return 1;
  if (button == 5) return -1;
  return 0;
}

X11InputConnection::~X11InputConnection() { Close(); }

bool X11InputConnection::Open(std::string* error) {
  if (m_display != nullptr) return true;
  m_display = XOpenDisplay(nullptr);
  if (m_display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    if (error != nullptr) *error = std::string("cannot open display \"") + TextOrEmpty(name) + "\"";
    return false;
  }
  int opcode = 0;
  int event = 0;
  int err = 0;
  m_xiOpcode = -1;
  if (XQueryExtension(m_display, "XInputExtension", &opcode, &event, &err)) {
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(m_display, &major, &minor) == Success && major >= 2) m_xiOpcode = opcode;
  }
  const int screen = DefaultScreen(m_display);
  m_screenWidth = DisplayWidth(m_display, screen);
  m_screenHeight = DisplayHeight(m_display, screen);
  return true;
}

void X11InputConnection::Close() {
  if (m_display == nullptr) return;
  StopMouse();
  XCloseDisplay(m_display);
  m_display = nullptr;
  m_xiOpcode = -1;
  m_devices.clear();
}

bool X11InputConnection::ReadKeyboard(uint8_t state[256]) {
  std::memset(state, 0, 256);
  if (m_display == nullptr) return false;
  char keymap[32] = {};
  if (m_events != nullptr && m_events->IsRunning()) {
    m_events->ReadKeymap(keymap);
    KeyboardStateFromX11Keymap(keymap, state);
    return true;
  }
  XQueryKeymap(m_display, keymap);
  KeyboardStateFromX11Keymap(keymap, state);
  DrainEvents();  // keeps the queue short while the mouse sums movement
  return true;
}

bool X11InputConnection::StartMouse() {
  if (m_display == nullptr || !HasXInput2()) return false;
  SelectRawEvents(true);
  LoadDevices();
  m_mouseStarted = true;
  return true;
}

void X11InputConnection::StopMouse() {
  if (m_display == nullptr || !m_mouseStarted) return;
  SelectRawEvents(false);
}

void X11InputConnection::SelectRawEvents(bool on) {
  unsigned char raw[XIMaskLen(XI_LASTEVENT)] = {};
  unsigned char hierarchy[XIMaskLen(XI_LASTEVENT)] = {};
  if (on) {
    XISetMask(raw, XI_RawMotion);
    XISetMask(raw, XI_RawButtonPress);
    XISetMask(hierarchy, XI_HierarchyChanged);
  }
  XIEventMask masks[2] = {{XIAllMasterDevices, sizeof raw, raw}, {XIAllDevices, sizeof hierarchy, hierarchy}};
  XISelectEvents(m_display, DefaultRootWindow(m_display), masks, 2);
  XSync(m_display, False);
  m_mouseStarted = false;  // what came before is dropped
  DrainEvents();
  m_dx = m_dy = m_dz = 0;
}

bool X11InputConnection::ReadMouse(MouseState* state) {
  if (!ReadMouseButtons(state)) return false;
  state->lX = TakeWhole(&m_dx);
  state->lY = TakeWhole(&m_dy);
  state->lZ = TakeWhole(&m_dz);
  return true;
}

bool X11InputConnection::ReadMouseButtons(MouseState* state) {
  *state = MouseState{};
  if (m_display == nullptr || !m_mouseStarted) return false;
  DrainEvents();
  if (m_events != nullptr && m_events->IsRunning()) {
    m_events->ReadButtons(state->rgbButtons);
    return true;
  }

  int pointer = 0;
  if (!XIGetClientPointer(m_display, None, &pointer)) return true;
  Window root = 0;
  Window child = 0;
  double rootX = 0, rootY = 0, winX = 0, winY = 0;
  XIButtonState buttons{};
  XIModifierState modifiers{};
  XIGroupState group{};
  if (XIQueryPointer(m_display, pointer, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &winX, &winY,
                     &buttons, &modifiers, &group)) {
    for (int b = 0; b < buttons.mask_len * 8; ++b) {
      const int i = MouseButtonOfX(static_cast<unsigned>(b));
      if (i >= 0 && XIMaskIsSet(buttons.mask, b)) state->rgbButtons[i] = kDown;
    }
    XFree(buttons.mask);
  }
  return true;
}

void X11InputConnection::DrainEvents() {
  while (XPending(m_display) > 0) {
    XEvent event;
    XNextEvent(m_display, &event);
    HandleEvent(&event);
  }
}

void X11InputConnection::HandleEvent(XEvent* event) {
  XGenericEventCookie* cookie = &event->xcookie;
  if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode) return;
  if (!XGetEventData(m_display, cookie)) return;
  if (cookie->evtype == XI_HierarchyChanged) {
    LoadDevices();
  } else if (m_mouseStarted && cookie->evtype == XI_RawMotion) {
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    // A wheel turn reaches the server either as scroll valuator motion or
    // as a press of button 4 or 5, and the server makes up the other form
    // for the clients of that form, flagged emulated: only the original
    // counts, or every notch would count twice.
    const bool emulated = (raw->flags & XIPointerEmulated) != 0;
    PointerDevice* device = Device(raw->sourceid);
    const double* value = raw->raw_values;
    for (int bit = 0; bit < raw->valuators.mask_len * 8; ++bit) {
      if (!XIMaskIsSet(raw->valuators.mask, bit)) continue;
      const double v = *value++;
      Axis* axis = nullptr;
      double scale = 1.0;
      double* sum = nullptr;
      if (bit == 0 || bit == 1) {
        axis = &device->axis[bit];
        sum = bit == 0 ? &m_dx : &m_dy;
        const int extent = bit == 0 ? m_screenWidth : m_screenHeight;
        if (axis->absolute && axis->max > axis->min) scale = extent / (axis->max - axis->min);
      } else if (bit == device->verticalScroll) {
        axis = &device->scroll;
        sum = &m_dz;
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
      if (emulated && sum == &m_dz) continue;
      *sum += delta * scale;
    }
  } else if (m_mouseStarted && cookie->evtype == XI_RawButtonPress) {
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    m_dz += kWheelNotch * WheelNotchesOfRawButton(raw->detail, (raw->flags & XIPointerEmulated) != 0);
  }
  XFreeEventData(m_display, cookie);
}

void X11InputConnection::LoadDevices() {
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

X11InputConnection::PointerDevice* X11InputConnection::Device(int id) {
  auto it = m_devices.find(id);
  if (it == m_devices.end()) {
    LoadDevices();
    it = m_devices.find(id);
    if (it == m_devices.end()) it = m_devices.emplace(id, PointerDevice{}).first;  // asked once only
  }
  return &it->second;
}

}  // namespace qel

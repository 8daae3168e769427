#include "engine/input/X11InputConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstdlib>
#include <cstring>

#include "common/TextOrEmpty.h"
#include "engine/input/X11InputEvents.h"
#include "engine/input/X11KeyMap.h"

namespace qel {

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
  return true;
}

void X11InputConnection::Close() {
  if (m_display == nullptr) return;
  StopMouse();
  XCloseDisplay(m_display);
  m_display = nullptr;
  m_xiOpcode = -1;
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
  return true;
}

bool X11InputConnection::StartMouse() {
  if (m_display == nullptr || !HasXInput2() || m_events == nullptr || !m_events->IsRunning()) return false;
  m_events->StartMotion();
  m_mouseStarted = true;
  return true;
}

void X11InputConnection::StopMouse() {
  if (!m_mouseStarted) return;
  m_mouseStarted = false;
  if (m_events != nullptr) m_events->StopMotion();
}

bool X11InputConnection::ReadMouse(MouseState* state, int64_t* motionNs) {
  if (motionNs != nullptr) *motionNs = 0;
  if (!ReadMouseButtons(state)) return false;
  const X11InputEvents::Motion motion = m_events->TakeMotion();
  state->lX = motion.dx;
  state->lY = motion.dy;
  state->lZ = motion.dz;
  if (motionNs != nullptr) *motionNs = motion.latestNs;
  return true;
}

bool X11InputConnection::ReadMouseButtons(MouseState* state) {
  *state = MouseState{};
  if (m_display == nullptr || !m_mouseStarted || m_events == nullptr || !m_events->IsRunning()) return false;
  m_events->ReadButtons(state->rgbButtons);
  return true;
}

}  // namespace qel

// The keyboard and mouse as the X server reports them, on a connection of
// the device layer's own (never the toolkit's), so reads can come from any
// thread. The caller serialises all calls.
//
// Keyboard: from the event reader (X11InputEvents) when one is given,
// without any X call; otherwise asked of the server (XQueryKeymap), i.e.
// the merged state of every keyboard, XTest included.
//
// Mouse: buttons and movement from the event reader only (it needs
// XInput 2 like the mouse itself); without a running reader the mouse
// cannot be started.
#pragma once

#include <cstdint>
#include <string>

#include "engine/input/InputTypes.h"

typedef struct _XDisplay Display;

namespace qel {

class X11InputEvents;

class X11InputConnection {
 public:
  X11InputConnection() = default;
  ~X11InputConnection();
  X11InputConnection(const X11InputConnection&) = delete;
  X11InputConnection& operator=(const X11InputConnection&) = delete;

  // Opens the connection to the display named by DISPLAY.
  bool Open(std::string* error);
  void Close();
  bool IsOpen() const { return m_display != nullptr; }
  bool HasXInput2() const { return m_xiOpcode >= 0; }
  // Keys and buttons come from this reader while it runs (not owned; null: none).
  void UseEvents(X11InputEvents* events) { m_events = events; }

  // The 256-byte key state; false when the server could not be asked.
  bool ReadKeyboard(uint8_t state[256]);

  // Starts summing movement (earlier movement is dropped); false without
  // the event reader.
  bool StartMouse();
  void StopMouse();
  // Movement since the last read (or the start) and the buttons now;
  // motionNs (when given) the CLOCK_MONOTONIC time at which the latest of
  // that movement arrived, 0 without movement.
  bool ReadMouse(MouseState* state, int64_t* motionNs);
  // The buttons now; the movement stays summed for the next ReadMouse.
  bool ReadMouseButtons(MouseState* state);

 private:
  Display* m_display = nullptr;
  X11InputEvents* m_events = nullptr;
  int m_xiOpcode = -1;
  bool m_mouseStarted = false;
};

}  // namespace qel

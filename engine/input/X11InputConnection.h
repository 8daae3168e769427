// The keyboard and mouse as the X server reports them, on a connection of
// the device layer's own (never the toolkit's), so reads can come from any
// thread. The caller serialises all calls.
//
// Keyboard and buttons: from the event reader (X11InputEvents) when one is
// given, without any X call; otherwise asked of the server (XQueryKeymap,
// XIQueryPointer), i.e. the merged state of every keyboard, XTest included.
//
// Mouse: movement from XInput 2 raw motion events of every pointer device,
// summed between reads. Raw events carry what the device itself reported,
// before pointer acceleration and before the screen edges clip the pointer,
// and a pointer that is warped (say, to the screen centre) produces none, so
// warps cause no movement. Devices with absolute axes (tablets, touch
// screens) are turned into movement from one position to the next, scaled
// to the screen. The wheel comes from scroll valuators or from the legacy
// wheel buttons 4 and 5, whichever the device sent (not the copy the server
// makes in the other form): 120 per notch.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "engine/input/InputTypes.h"

typedef struct _XDisplay Display;
union _XEvent;

namespace qel {

class X11InputEvents;

// Wheel notches of a raw button press: +1 for button 4 (away from the
// user), -1 for button 5, 0 for any other button and for a press the server
// made up from scroll valuator motion (emulated), which counts already.
int WheelNotchesOfRawButton(int button, bool emulated);

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
  void UseEvents(const X11InputEvents* events) { m_events = events; }

  // The 256-byte key state; false when the server could not be asked.
  bool ReadKeyboard(uint8_t state[256]);

  // Starts summing movement (earlier movement is dropped); false without XInput 2.
  bool StartMouse();
  void StopMouse();
  // Movement since the last read (or the start) and the buttons now.
  bool ReadMouse(MouseState* state);
  // The buttons now; the movement stays summed for the next ReadMouse.
  bool ReadMouseButtons(MouseState* state);

 private:
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

  // Raw pointer events and device changes of the root window, or none;
  // movement summed so far is dropped.
  void SelectRawEvents(bool on);
  void DrainEvents();
  void HandleEvent(_XEvent* event);
  void LoadDevices();
  PointerDevice* Device(int id);

  Display* m_display = nullptr;
  const X11InputEvents* m_events = nullptr;
  int m_xiOpcode = -1;
  bool m_mouseStarted = false;
  int m_screenWidth = 0;
  int m_screenHeight = 0;
  double m_dx = 0;
  double m_dy = 0;
  double m_dz = 0;
  std::map<int, PointerDevice> m_devices;
};

}  // namespace qel

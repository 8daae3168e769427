// The input device layer: keyboard and mouse from the X server, game pads
// and joysticks from SDL, force feedback through SDL haptics. Free functions
// over one process-wide state, as the run engine, the task host and the
// system configuration use them:
//
//   start-up:  EnumInputDevices (lists filled, device system shut again)
//   run start: CreateDirectInput, AcquireKeyboard, AcquireMouse, the
//              response device's acquisition
//   run:       Read* from the run's beat thread
//   run end:   ReleaseDirectInput
//
// Creation and release belong to the user-interface thread and show their
// failures at once; reads may come from any thread and only ever post a
// failure, once per acquisition. A device that cannot be read reads as
// nothing pressed and no movement.
#pragma once

#include <cstdint>
#include <string>

#include "engine/input/InputResult.h"
#include "engine/input/InputTypes.h"

namespace qel {

// List capacities; further devices are not listed.
constexpr int kMaxKeyboards = 2;
constexpr int kMaxMice = 4;
constexpr int kMaxGamePads = 4;
constexpr int kMaxJoysticks = 4;
constexpr int kMaxForceFeedbacks = 4;

// Fills the five device lists. 0 on success; 1 when a list could not be
// filled (the lists filled so far stay); the error when the device system
// could not be started ("DirectInputCreate() failed").
InputResult EnumInputDevices();

// Releases every device, then starts the device system (X connection and
// SDL). 0 on success; otherwise shows "DirectInputCreate() failed" with the
// error and returns it.
InputResult CreateDirectInput();
// Releases force feedback, joystick, game pad, mouse and keyboard, then the
// device system. The lists stay as they are.
void ReleaseDirectInput();
bool IsDirectInputCreated();

// Fill one list through the running device system; false without it or
// when the list cannot be filled ("EnumKeyboards failed" ...).
bool EnumKeyboards();
bool EnumMouses();
bool EnumGamePads();
bool EnumJoysticks();
bool EnumForceFeedbacks();

// Create the device `index` of the list for the window. 0 on success; 1
// without the device system or for an index not in the list (no message);
// the error otherwise (shown). Keyboard and mouse are acquired by their
// first read, game pads and joysticks at once.
InputResult AcquireKeyboard(InputWindow window, int index);
InputResult AcquireMouse(InputWindow window, int index);
InputResult AcquireGamePad(InputWindow window, int index);
InputResult AcquireJoystick(InputWindow window, int index);

void ReleaseKeyboard();
void ReleaseMouse();
void ReleaseGamePad();
void ReleaseJoystick();

// The 256-byte key state. The first read after the acquisition acquires the
// device and gives an empty state; later reads give the real one. Always 0.
InputResult ReadKeyboard(uint8_t state[kKeyboardStateSize]);
// Movement since the last read and the buttons, first read as above. Always 0.
// motionNs (when given): the CLOCK_MONOTONIC time at which the latest of
// that movement reached the program, 0 without movement.
InputResult ReadMouse(MouseState* state, int64_t* motionNs = nullptr);
// The buttons only (the movement is left for the next ReadMouse), first
// read as above. Always 0. A response device that is the mouse reads its
// buttons this way, so the pointer a task moves loses no movement to it.
InputResult ReadMouseButtons(MouseState* state);
// Axes, points of view and buttons as the pad event thread saw them last
// (empty until it has looked once after the acquisition), without any SDL
// call while the device is there. 0, also for a device that went away
// (empty state; it is taken up again when it comes back); the error when
// the state cannot be read.
InputResult ReadGamePad(JoystickState* state);
InputResult ReadJoystick(JoystickState* state);

bool IsKeyboardPresent();

// Presses and releases of keys, mouse buttons and the buttons of the game
// pad and joystick in use, each stamped with the CLOCK_MONOTONIC time at
// which it reached the program, as a log that any thread reads without
// waiting: the count since the device system started and event `index`
// (false when not kept any more).
uint64_t GetInputEventCount();
bool GetInputEvent(uint64_t index, InputEventStamp* event);
// Steps this thread's reads through the log: takes the next press or
// release into the key and button state that ReadKeyboard, ReadMouse,
// ReadMouseButtons, ReadGamePad and ReadJoystick give on this thread, with
// *event (when given) the event taken; false when none is waiting (the
// reads then give the latest state). One event per step, so a press and
// its release that arrived between two looks are both seen, each with its
// stamp. A thread's first step starts at the log's end with the state of
// now (so does the first step after the device system was started anew);
// threads that never step read the latest state. Without the X event
// reader nothing is stepped and every read gives the latest state.
bool StepInputEvent(InputEventStamp* event);
// This thread's reads give the latest state again.
void EndInputSteps();
// Waits until every key and button event the server has sent before now is
// in the state and the log (a round trip: never from the beat), and until
// the pad event thread has looked at the pads after now. False without the
// X event reader or when it does not answer within a second.
bool SyncInputEvents();

// Entries in each list, and the name of entry `index` (empty when not listed).
int GetKeyboardCount();
int GetMouseCount();
int GetGamePadCount();
int GetJoystickCount();
int GetForceFeedbackCount();
std::string GetKeyboardName(int index);
std::string GetMouseName(int index);
std::string GetGamePadName(int index);
std::string GetJoystickName(int index);
std::string GetForceFeedbackName(int index);

// Opens force-feedback device `index` with the test effect (0 on success,
// 1 without device system or for an index not in the list), plays the
// effect once, releases it.
InputResult CreateForceFeedback(InputWindow window, int index);
InputResult StartForceFeedback();
void ReleaseForceFeedback();
int GetForceFeedbackAxes();

}  // namespace qel

#include "engine/input/InputDevices.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

#include "common/Prompt.h"
#include "engine/input/InputDeviceList.h"
#include "engine/input/InputEventLog.h"
#include "engine/input/InputStateReplay.h"
#include "engine/input/SdlForceFeedback.h"
#include "engine/input/SdlInputSystem.h"
#include "engine/input/SdlPad.h"
#include "engine/input/SdlPadEvents.h"
#include "engine/input/X11InputConnection.h"
#include "engine/input/X11InputEvents.h"
#include "engine/input/X11KeyMap.h"

namespace qel {

namespace {

constexpr std::chrono::seconds kInputSyncLimit{1};

// A game pad or joystick in use.
struct PadSlot {
  explicit PadSlot(int slot) : watchSlot(slot) {}
  const int watchSlot;  // its slot in the pad event thread
  SdlPad pad;
  InputDeviceInstance device;
  bool created = false;
  bool reported = false;  // a read failure was posted since the acquisition
};

struct InputState {
  std::mutex mutex;
  bool created = false;
  X11InputConnection x11;
  X11InputEvents x11Events;
  SdlInputSystem sdl;
  SdlPadEvents padEvents;
  InputEventLog log;  // presses and releases of every device

  InputDeviceList keyboards{kMaxKeyboards};
  InputDeviceList mice{kMaxMice};
  InputDeviceList gamePads{kMaxGamePads};
  InputDeviceList joysticks{kMaxJoysticks};
  InputDeviceList forceFeedbacks{kMaxForceFeedbacks};

  bool keyboardCreated = false;
  bool keyboardAcquired = false;
  bool mouseCreated = false;
  bool mouseAcquired = false;
  PadSlot gamePad{0};
  PadSlot joystick{1};
  SdlForceFeedback forceFeedback;
};

// Kept for the whole process: reads may come late from other threads.
InputState& State() {
  static InputState* state = new InputState;
  return *state;
}

// The keys and buttons as the events this thread has stepped through left
// them (see StepInputEvent); not begun on a thread that never stepped.
thread_local InputStateReplay t_replay;

// This thread's replay when its reads come from it: begun, of the log's
// current generation, and the event reader running. Under the lock.
const InputStateReplay* ThreadReplay(InputState& s) {
  if (!s.x11Events.IsRunning() || !t_replay.IsCurrent(s.log)) return nullptr;
  return &t_replay;
}

// Starts this thread's replay at the log's end with the state of now, without
// waiting for events not handled yet (the log brings them later), so a beat's
// first step never waits. Under the lock.
void BeginReplay(InputState& s) {
  const uint64_t generation = s.log.Generation();
  const uint64_t index = s.log.Count();
  char keymap[InputStateReplay::kKeymapBytes] = {};
  s.x11Events.PeekKeymap(keymap);
  uint8_t mouse[InputStateReplay::kMouseButtons] = {};
  s.x11Events.PeekButtons(mouse);
  uint8_t pads[InputStateReplay::kPads][InputStateReplay::kPadButtons] = {};
  for (int slot = 0; slot < InputStateReplay::kPads; ++slot) {
    const SdlPadEvents::Reading seen = s.padEvents.Read(slot);
    if (seen.known) std::memcpy(pads[slot], seen.state.rgbButtons, sizeof pads[slot]);
  }
  t_replay.Begin(index, generation, keymap, mouse, pads);
}

// Messages gathered under the lock and given out after it is released, so
// an operator's message box never holds up the device threads.
class Messages {
 public:
  ~Messages() {
    for (const std::string& text : m_show) ShowPrompt(text, "Qel", kPromptOk);
    for (const std::string& text : m_post) PostPrompt(text, "Qel", kPromptOk);
  }
  void Show(std::string text) { m_show.push_back(std::move(text)); }
  void Post(std::string text) { m_post.push_back(std::move(text)); }

 private:
  std::vector<std::string> m_show;
  std::vector<std::string> m_post;
};

// ---- device system ---------------------------------------------------------

InputResult StartSystem(InputState& s, std::string* detail) {
  if (!s.x11.Open(detail)) return kInputNoDisplay;
  if (!s.sdl.Start(detail)) {
    s.x11.Close();
    return kInputFailed;
  }
  s.log.Clear();
  // Without the event reader (no XInput 2) keys are asked of the server at
  // each read instead, and there is no mouse.
  s.x11.UseEvents(s.x11Events.Start(&s.log, nullptr) ? &s.x11Events : nullptr);
  s.padEvents.Start(&s.log);
  s.sdl.StartHaptics(nullptr);  // without haptics only force feedback is missing
  s.created = true;
  return kInputOk;
}

void ReleaseKeyboardLocked(InputState& s) {
  s.keyboardCreated = false;
  s.keyboardAcquired = false;
  s.keyboards.m_selected = -1;
}

void ReleaseMouseLocked(InputState& s) {
  s.x11.StopMouse();
  s.mouseCreated = false;
  s.mouseAcquired = false;
  s.mice.m_selected = -1;
}

void ReleasePadLocked(InputState& s, PadSlot& slot, InputDeviceList& list) {
  s.padEvents.Unwatch(slot.watchSlot);
  slot.pad.Close();
  slot.created = false;
  slot.reported = false;
  list.m_selected = -1;
}

void ReleaseForceFeedbackLocked(InputState& s) {
  s.forceFeedback.Release();
  s.forceFeedbacks.m_selected = -1;
}

void ReleaseAllLocked(InputState& s) {
  ReleaseForceFeedbackLocked(s);
  ReleasePadLocked(s, s.joystick, s.joysticks);
  ReleasePadLocked(s, s.gamePad, s.gamePads);
  ReleaseMouseLocked(s);
  ReleaseKeyboardLocked(s);
  s.padEvents.Stop();
  s.sdl.Stop();
  s.x11.UseEvents(nullptr);
  s.x11Events.Stop();
  s.x11.Close();
  s.created = false;
}

InputResult CreateLocked(InputState& s, Messages& m) {
  ReleaseAllLocked(s);
  std::string detail;
  const InputResult r = StartSystem(s, &detail);
  if (r != kInputOk) m.Show(InputStepMessage("DirectInputCreate() failed", r, detail));
  return r;
}

// ---- lists -----------------------------------------------------------------

InputDeviceInstance SystemDevice(InputDeviceKind kind, const char* name) {
  InputDeviceInstance d;
  d.kind = kind;
  d.instanceName = name;
  d.productName = name;
  return d;
}

bool EnumKeyboardsLocked(InputState& s, Messages& m) {
  if (!s.created) return false;
  s.keyboards.Clear();
  if (!s.x11.IsOpen()) {
    m.Show(InputStepMessage("EnumKeyboards failed", kInputNoDisplay, ""));
    return false;
  }
  // The server merges every keyboard into one key state: one keyboard.
  s.keyboards.Add(SystemDevice(InputDeviceKind::kKeyboard, "Keyboard"));
  return true;
}

bool EnumMousesLocked(InputState& s, Messages& m) {
  if (!s.created) return false;
  s.mice.Clear();
  if (!s.x11.HasXInput2()) {
    m.Show(InputStepMessage("EnumMouses failed", kInputUnsupported, "the X server has no XInput 2"));
    return false;
  }
  s.mice.Add(SystemDevice(InputDeviceKind::kMouse, "Mouse"));
  return true;
}

bool EnumControllersLocked(InputState& s, Messages& m, InputDeviceKind kind) {
  if (!s.created) return false;
  InputDeviceList& list = kind == InputDeviceKind::kGamePad ? s.gamePads : s.joysticks;
  list.Clear();
  if (!s.sdl.Started()) {
    m.Show(InputStepMessage(kind == InputDeviceKind::kGamePad ? "EnumGamePads failed" : "EnumJoysticks failed",
                            kInputNotInitialized, ""));
    return false;
  }
  ListSdlControllers(kind, &list);
  return true;
}

bool EnumForceFeedbacksLocked(InputState& s, Messages& m) {
  if (!s.created) return false;
  s.forceFeedbacks.Clear();
  std::string detail;
  if (!s.sdl.HapticsStarted() && !s.sdl.StartHaptics(&detail)) {
    m.Show(InputStepMessage("EnumForceFeedbacks failed", kInputFailed, detail));
    return false;
  }
  ListSdlHaptics(&s.forceFeedbacks);
  return true;
}

// ---- game pads and joysticks -----------------------------------------------

InputResult AcquirePadLocked(InputState& s, Messages& m, PadSlot& slot, InputDeviceList& list, int index) {
  if (!s.created || !list.Contains(index)) return kInputRefused;
  ReleasePadLocked(s, slot, list);
  std::string detail;
  const InputResult r = slot.pad.Open(*list.At(index), &detail);
  if (r != kInputOk) {
    m.Show(InputErrorText(r, detail));
    return r;
  }
  s.padEvents.Watch(slot.watchSlot, &slot.pad);
  slot.device = *list.At(index);
  slot.created = true;
  list.m_selected = index;
  return kInputOk;
}

// The state the pad event thread saw last; SDL is asked only while the
// device is gone, to take it up again.
InputResult ReadPadLocked(InputState& s, PadSlot& slot, Messages& m, const char* failedStep, JoystickState* state) {
  *state = JoystickState{};
  if (!slot.created) return kInputOk;
  SdlPadEvents::Reading seen;
  if (slot.pad.IsOpen()) seen = s.padEvents.Read(slot.watchSlot);
  if (!slot.pad.IsOpen() || (seen.known && !seen.attached)) {
    // Gone: nothing pressed; taken up again as soon as it is back.
    s.padEvents.Unwatch(slot.watchSlot);
    std::string detail;
    if (slot.pad.Open(slot.device, &detail) == kInputOk) {
      s.padEvents.Watch(slot.watchSlot, &slot.pad);
    } else if (!slot.reported) {
      slot.reported = true;
      m.Post(InputStepMessage(failedStep, kInputUnplugged, slot.device.instanceName));
    }
    return kInputOk;
  }
  if (!seen.known) return kInputOk;  // not yet looked at since it was opened
  if (seen.result != kInputOk) {
    if (!slot.reported) {
      slot.reported = true;
      m.Post(InputErrorText(seen.result, seen.detail));
    }
    return seen.result;
  }
  *state = seen.state;
  if (const InputStateReplay* replay = ThreadReplay(s)) {
    std::memcpy(state->rgbButtons, replay->PadButtons(slot.watchSlot), sizeof state->rgbButtons);
  }
  return kInputOk;
}

}  // namespace

// ---- device system -----------------------------------------------------------

InputResult EnumInputDevices() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.keyboards.Clear();
  s.mice.Clear();
  s.gamePads.Clear();
  s.joysticks.Clear();
  s.forceFeedbacks.Clear();
  const bool ownSystem = !s.created;
  if (ownSystem) {
    std::string detail;
    const InputResult r = StartSystem(s, &detail);
    if (r != kInputOk) {
      m.Show(InputStepMessage("DirectInputCreate() failed", r, detail));
      return r;
    }
  }
  const bool all = EnumKeyboardsLocked(s, m) && EnumMousesLocked(s, m) &&
                   EnumControllersLocked(s, m, InputDeviceKind::kGamePad) &&
                   EnumControllersLocked(s, m, InputDeviceKind::kJoystick) && EnumForceFeedbacksLocked(s, m);
  if (ownSystem) ReleaseAllLocked(s);
  return all ? kInputOk : kInputRefused;
}

InputResult CreateDirectInput() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return CreateLocked(s, m);
}

void ReleaseDirectInput() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleaseAllLocked(s);
}

bool IsDirectInputCreated() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.created;
}

bool EnumKeyboards() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return EnumKeyboardsLocked(s, m);
}

bool EnumMouses() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return EnumMousesLocked(s, m);
}

bool EnumGamePads() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return EnumControllersLocked(s, m, InputDeviceKind::kGamePad);
}

bool EnumJoysticks() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return EnumControllersLocked(s, m, InputDeviceKind::kJoystick);
}

bool EnumForceFeedbacks() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return EnumForceFeedbacksLocked(s, m);
}

// ---- acquisition -------------------------------------------------------------

InputResult AcquireKeyboard(InputWindow /*window*/, int index) {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.created || !s.keyboards.Contains(index)) return kInputRefused;
  ReleaseKeyboardLocked(s);
  s.keyboardCreated = true;
  s.keyboards.m_selected = index;
  return kInputOk;
}

InputResult AcquireMouse(InputWindow /*window*/, int index) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.created || !s.mice.Contains(index)) return kInputRefused;
  ReleaseMouseLocked(s);
  if (!s.x11.HasXInput2()) {
    m.Show(InputErrorText(kInputUnsupported, "the X server has no XInput 2"));
    return kInputUnsupported;
  }
  s.mouseCreated = true;
  s.mice.m_selected = index;
  return kInputOk;
}

InputResult AcquireGamePad(InputWindow /*window*/, int index) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return AcquirePadLocked(s, m, s.gamePad, s.gamePads, index);
}

InputResult AcquireJoystick(InputWindow /*window*/, int index) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return AcquirePadLocked(s, m, s.joystick, s.joysticks, index);
}

void ReleaseKeyboard() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleaseKeyboardLocked(s);
}

void ReleaseMouse() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleaseMouseLocked(s);
}

void ReleaseGamePad() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleasePadLocked(s, s.gamePad, s.gamePads);
}

void ReleaseJoystick() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleasePadLocked(s, s.joystick, s.joysticks);
}

// ---- reads -------------------------------------------------------------------

InputResult ReadKeyboard(uint8_t state[kKeyboardStateSize]) {
  std::memset(state, 0, kKeyboardStateSize);
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.keyboardCreated) return kInputOk;
  if (!s.keyboardAcquired) {
    s.keyboardAcquired = s.x11.IsOpen();
    return kInputOk;
  }
  if (const InputStateReplay* replay = ThreadReplay(s)) {
    KeyboardStateFromX11Keymap(replay->Keymap(), state);
    return kInputOk;
  }
  if (!s.x11.ReadKeyboard(state)) {
    std::memset(state, 0, kKeyboardStateSize);
    s.keyboardAcquired = false;
  }
  return kInputOk;
}

namespace {

// A mouse read: movement and buttons, or the buttons only.
InputResult ReadMouseWith(MouseState* state, bool buttonsOnly, int64_t* motionNs) {
  *state = MouseState{};
  if (motionNs != nullptr) *motionNs = 0;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.mouseCreated) return kInputOk;
  if (!s.mouseAcquired) {
    s.mouseAcquired = s.x11.StartMouse();
    return kInputOk;
  }
  const bool read = buttonsOnly ? s.x11.ReadMouseButtons(state) : s.x11.ReadMouse(state, motionNs);
  if (!read) {
    *state = MouseState{};
    s.mouseAcquired = false;
  } else if (const InputStateReplay* replay = ThreadReplay(s)) {
    std::memcpy(state->rgbButtons, replay->MouseButtons(), sizeof state->rgbButtons);
  }
  return kInputOk;
}

}  // namespace

InputResult ReadMouse(MouseState* state, int64_t* motionNs) { return ReadMouseWith(state, false, motionNs); }

InputResult ReadMouseButtons(MouseState* state) { return ReadMouseWith(state, true, nullptr); }

InputResult ReadGamePad(JoystickState* state) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return ReadPadLocked(s, s.gamePad, m, "ReadGamePad failed", state);
}

InputResult ReadJoystick(JoystickState* state) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return ReadPadLocked(s, s.joystick, m, "ReadJoystick failed", state);
}

uint64_t GetInputEventCount() { return State().log.Count(); }

bool GetInputEvent(uint64_t index, InputEventStamp* event) { return State().log.At(index, event); }

bool StepInputEvent(InputEventStamp* event) {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.x11Events.IsRunning()) {
    t_replay.End();
    return false;
  }
  InputEventStamp e;
  InputStateReplay::Step step = t_replay.Next(s.log, &e);
  if (step == InputStateReplay::Step::kLost) {
    BeginReplay(s);
    step = t_replay.Next(s.log, &e);
  }
  if (step != InputStateReplay::Step::kApplied) return false;
  if (event != nullptr) *event = e;
  return true;
}

void EndInputSteps() { t_replay.End(); }

bool SyncInputEvents() {
  InputState& s = State();
  // The pad thread answers only while it runs; the X reader is the one that
  // must answer (keys and mouse come from it).
  if (s.padEvents.IsRunning()) s.padEvents.Sync(kInputSyncLimit);
  return s.x11Events.Sync(kInputSyncLimit);
}

bool IsKeyboardPresent() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.keyboardCreated;
}

// ---- lists -------------------------------------------------------------------

#define QEL_LIST_ACCESS(Kind, member)          \
  int Get##Kind##Count() {                     \
    InputState& s = State();                   \
    std::lock_guard<std::mutex> lock(s.mutex); \
    return s.member.Count();                   \
  }                                            \
  std::string Get##Kind##Name(int index) {     \
    InputState& s = State();                   \
    std::lock_guard<std::mutex> lock(s.mutex); \
    return s.member.NameAt(index);             \
  }

QEL_LIST_ACCESS(Keyboard, keyboards)
QEL_LIST_ACCESS(Mouse, mice)
QEL_LIST_ACCESS(GamePad, gamePads)
QEL_LIST_ACCESS(Joystick, joysticks)
QEL_LIST_ACCESS(ForceFeedback, forceFeedbacks)
#undef QEL_LIST_ACCESS

// ---- force feedback ----------------------------------------------------------

InputResult CreateForceFeedback(InputWindow /*window*/, int index) {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.created || !s.forceFeedbacks.Contains(index)) return kInputRefused;
  ReleaseForceFeedbackLocked(s);
  std::string detail;
  if (!s.sdl.HapticsStarted() && !s.sdl.StartHaptics(&detail)) {
    m.Show(InputErrorText(kInputFailed, detail));
    return kInputFailed;
  }
  std::string step;
  const InputResult r = s.forceFeedback.Create(*s.forceFeedbacks.At(index), &step, &detail);
  if (r != kInputOk) {
    m.Show(InputErrorText(r, step + ": " + detail));
    return r;
  }
  s.forceFeedbacks.m_selected = index;
  return kInputOk;
}

InputResult StartForceFeedback() {
  Messages m;
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.forceFeedback.IsCreated()) return kInputRefused;
  std::string detail;
  const InputResult r = s.forceFeedback.Start(&detail);
  if (r != kInputOk) m.Show(InputErrorText(r, detail));
  return r;
}

void ReleaseForceFeedback() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  ReleaseForceFeedbackLocked(s);
}

int GetForceFeedbackAxes() {
  InputState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.forceFeedback.Axes();
}

}  // namespace qel

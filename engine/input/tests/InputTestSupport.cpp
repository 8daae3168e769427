#include "engine/input/tests/InputTestSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <mutex>

namespace qel::test {

namespace {
std::mutex g_recordMutex;

// An X server resets itself when its last client goes, and refuses
// connections while it does; one connection held for the whole test
// program keeps it from resetting between the tests' own connections.
class HoldXServer : public ::testing::Environment {
 public:
  void SetUp() override { display_ = XOpenDisplay(nullptr); }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

 private:
  Display* display_ = nullptr;
};
const auto* const g_holdXServer = ::testing::AddGlobalTestEnvironment(new HoldXServer);
}  // namespace

XTestInjector::XTestInjector() { display_ = XOpenDisplay(nullptr); }

XTestInjector::~XTestInjector() {
  if (display_ == nullptr) return;
  for (unsigned key : std::set<unsigned>(keys_)) Key(key, false);
  for (unsigned button : std::set<unsigned>(buttons_)) Button(button, false);
  Sync();
  XCloseDisplay(display_);
}

void XTestInjector::Key(unsigned x11Keycode, bool down) {
  XTestFakeKeyEvent(display_, x11Keycode, down ? True : False, CurrentTime);
  if (down) {
    keys_.insert(x11Keycode);
  } else {
    keys_.erase(x11Keycode);
  }
}

void XTestInjector::Button(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  if (down) {
    buttons_.insert(button);
  } else {
    buttons_.erase(button);
  }
}

void XTestInjector::Click(unsigned button) {
  Button(button, true);
  Button(button, false);
}

void XTestInjector::Move(int dx, int dy) { XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime); }

void XTestInjector::MoveTo(int x, int y) { XTestFakeMotionEvent(display_, -1, x, y, CurrentTime); }

void XTestInjector::Warp(int x, int y) {
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
}

void XTestInjector::Sync() { XSync(display_, False); }

VirtualDevices::VirtualDevices() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  ok_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

VirtualDevices::~VirtualDevices() {
  while (!handles_.empty()) Detach(0);
  if (ok_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int VirtualDevices::AttachPad(const std::string& name) {
  return Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, name, 6, 15, 0);
}

int VirtualDevices::AttachStick(const std::string& name) {
  return Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, name, 3, 4, 1);
}

void VirtualDevices::SetButton(int device, int button, bool down) {
  SDL_JoystickSetVirtualButton(handles_[device], button, down ? 1 : 0);
}

void VirtualDevices::SetAxis(int device, int axis, int16_t value) {
  SDL_JoystickSetVirtualAxis(handles_[device], axis, value);
}

void VirtualDevices::SetHat(int device, uint8_t value) { SDL_JoystickSetVirtualHat(handles_[device], 0, value); }

void VirtualDevices::Detach(int device) {
  const SDL_JoystickID id = SDL_JoystickInstanceID(handles_[device]);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  SDL_JoystickClose(handles_[device]);
  handles_.erase(handles_.begin() + device);
}

int VirtualDevices::Attach(int type, const std::string& name, int axes, int buttons, int hats) {
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = static_cast<Uint16>(type);
  desc.naxes = static_cast<Uint16>(axes);
  desc.nbuttons = static_cast<Uint16>(buttons);
  desc.nhats = static_cast<Uint16>(hats);
  desc.name = name.c_str();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  EXPECT_GE(index, 0) << SDL_GetError();
  handles_.push_back(SDL_JoystickOpen(index));
  return static_cast<int>(handles_.size()) - 1;
}

PromptRecorder::PromptRecorder() {
  previousHandler_ = SetPromptHandler([this](const std::string& text, const std::string&, unsigned) {
    std::lock_guard<std::mutex> lock(g_recordMutex);
    shown.push_back(text);
    return static_cast<int>(kAnswerOk);
  });
  previousPoster_ = SetPromptPoster([this](const std::string& text, const std::string&, unsigned) {
    std::lock_guard<std::mutex> lock(g_recordMutex);
    posted.push_back(text);
  });
}

PromptRecorder::~PromptRecorder() {
  SetPromptHandler(previousHandler_);
  SetPromptPoster(previousPoster_);
}

}  // namespace qel::test

#include "engine/input/tests/InputTestSupport.h"

#include "engine/input/InputDevices.h"
#include "tests/support/x11/XServerHold.h"

namespace qel {

namespace test {

namespace {
// One connection held for the whole program keeps the X server from
// resetting between the tests' own connections.
const auto* const g_holdXServer = ::testing::AddGlobalTestEnvironment(new XServerHold);
}  // namespace

VirtualDevices::VirtualDevices() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  m_ok = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

VirtualDevices::~VirtualDevices() {
  while (!m_handles.empty()) Detach(0);
  if (m_ok) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int VirtualDevices::AttachPad(const std::string& name) {
  return Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, name, 6, 15, 0);
}

int VirtualDevices::AttachStick(const std::string& name) {
  return Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, name, 3, 4, 1);
}

void VirtualDevices::SetButton(int device, int button, bool down) {
  SDL_JoystickSetVirtualButton(m_handles[device], button, down ? 1 : 0);
  SyncInputEvents();
}

void VirtualDevices::SetAxis(int device, int axis, int16_t value) {
  SDL_JoystickSetVirtualAxis(m_handles[device], axis, value);
  SyncInputEvents();
}

void VirtualDevices::SetHat(int device, uint8_t value) {
  SDL_JoystickSetVirtualHat(m_handles[device], 0, value);
  SyncInputEvents();
}

void VirtualDevices::Detach(int device) {
  const SDL_JoystickID id = SDL_JoystickInstanceID(m_handles[device]);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  SDL_JoystickClose(m_handles[device]);
  m_handles.erase(m_handles.begin() + device);
  SyncInputEvents();
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
  m_handles.push_back(SDL_JoystickOpen(index));
  return static_cast<int>(m_handles.size()) - 1;
}

}  // namespace test

}  // namespace qel

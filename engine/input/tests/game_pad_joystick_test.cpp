// Game pads and joysticks from SDL virtual devices (no hardware needed).
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "common/MonotonicNs.h"
#include "engine/input/InputDevices.h"
#include "engine/input/ResponseDevice.h"
#include "engine/input/tests/InputTestSupport.h"

namespace qel {

namespace {

class GamePadJoystickTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_devices.Ok()); }
  void TearDown() override { ReleaseDirectInput(); }

  // The start-up enumeration, then the device system of a run.
  void StartRun() {
    ASSERT_EQ(EnumInputDevices(), kInputOk);
    ASSERT_EQ(CreateDirectInput(), kInputOk);
  }

  test::PromptRecorder m_messages;
  test::VirtualDevices m_devices;
};

TEST_F(GamePadJoystickTest, PadsAndJoysticksAreListedApartUpToFourEach) {
  for (int i = 1; i <= 5; ++i) m_devices.AttachPad("Pad " + std::to_string(i));
  m_devices.AttachStick("Stick 1");
  m_devices.AttachStick("Stick 2");
  ASSERT_EQ(EnumInputDevices(), kInputOk);
  EXPECT_FALSE(IsDirectInputCreated());  // enumeration leaves nothing running
  EXPECT_EQ(GetGamePadCount(), 4);       // the fifth pad is not listed
  EXPECT_EQ(GetJoystickCount(), 2);
  EXPECT_EQ(GetJoystickName(0), "Stick 1");
  EXPECT_EQ(GetJoystickName(1), "Stick 2");
  EXPECT_EQ(GetJoystickName(2), "");
  EXPECT_FALSE(GetGamePadName(3).empty());
  EXPECT_EQ(GetGamePadName(4), "");
  EXPECT_EQ(GetForceFeedbackCount(), 0);
  EXPECT_TRUE(m_messages.ShownTexts().empty());
}

TEST_F(GamePadJoystickTest, GamePadButtonsAxesAndPadGiveStateAndMask) {
  const int first = m_devices.AttachPad("Pad A");
  const int second = m_devices.AttachPad("Pad B");
  StartRun();
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeGamePad, 1));
  ASSERT_TRUE(device.Acquire(0));
  EXPECT_EQ(device.GetName(), GetGamePadName(1));
  EXPECT_EQ(device.ReadMask(), 0u);

  m_devices.SetButton(first, 1, true);  // not the selected pad
  m_devices.SetButton(second, 0, true);
  m_devices.SetButton(second, 2, true);
  m_devices.SetButton(second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  m_devices.SetAxis(second, SDL_CONTROLLER_AXIS_LEFTX, 1234);
  EXPECT_EQ(device.ReadMask(), 5u);

  JoystickState state;
  EXPECT_EQ(ReadGamePad(&state), kInputOk);
  EXPECT_EQ(state.rgbButtons[0], 0x80);
  EXPECT_EQ(state.rgbButtons[1], 0);
  EXPECT_EQ(state.rgbButtons[2], 0x80);
  EXPECT_EQ(state.lX, 1234);
  EXPECT_EQ(state.rgdwPOV[0], 9000u);
  EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);

  m_devices.SetButton(second, 0, false);
  m_devices.SetButton(second, 2, false);
  EXPECT_EQ(device.ReadMask(), 0u);
  device.Release();
  EXPECT_EQ(device.Type(), kButtonTypeNone);
  EXPECT_EQ(ReadGamePad(&state), kInputOk);  // released: nothing
  EXPECT_EQ(state.lX, 0);
  EXPECT_TRUE(m_messages.ShownTexts().empty());
  EXPECT_TRUE(m_messages.PostedTexts().empty());
}

TEST_F(GamePadJoystickTest, JoystickButtonsAxesAndHat) {
  const int stick = m_devices.AttachStick("Stick");
  StartRun();
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeJoystick, 0));
  ASSERT_TRUE(device.Acquire(0));
  EXPECT_EQ(device.GetName(), "Stick");
  m_devices.SetButton(stick, 3, true);  // only button 3: no response bit
  EXPECT_EQ(device.ReadMask(), 0u);
  m_devices.SetButton(stick, 1, true);
  EXPECT_EQ(device.ReadMask(), 2u);
  m_devices.SetAxis(stick, 0, -5000);
  m_devices.SetAxis(stick, 2, 700);
  m_devices.SetHat(stick, SDL_HAT_LEFT);
  JoystickState state;
  EXPECT_EQ(ReadJoystick(&state), kInputOk);
  EXPECT_EQ(state.lX, -5000);
  EXPECT_EQ(state.lZ, 700);
  EXPECT_EQ(state.rgdwPOV[0], 27000u);
  EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);
  EXPECT_EQ(state.rgbButtons[1], 0x80);
  EXPECT_EQ(state.rgbButtons[3], 0x80);
  EXPECT_EQ(state.rgbButtons[4], 0);

  ReleaseDirectInput();  // the run ends: every device goes
  EXPECT_EQ(device.ReadMask(), 0u);
  EXPECT_EQ(ReadJoystick(&state), kInputOk);
  EXPECT_EQ(state.rgbButtons[1], 0);
}

// Presses and releases of the pad in use go into the input event log with
// the moment the pad thread took them in: never before they happened, never
// after the thread had looked. Other devices, axes and hats add nothing.
TEST_F(GamePadJoystickTest, ButtonsOfTheDeviceInUseAreLoggedWhenTheyArrive) {
  struct Case {
    const char* name;
    unsigned type;
  };
  for (const Case& c : {Case{"game pad", kButtonTypeGamePad}, Case{"joystick", kButtonTypeJoystick}}) {
    SCOPED_TRACE(c.name);
    test::VirtualDevices devices;
    const int pad = devices.AttachPad("Pad");
    const int stick = devices.AttachStick("Stick");
    const int inUse = c.type == kButtonTypeGamePad ? pad : stick;
    const int other = c.type == kButtonTypeGamePad ? stick : pad;
    StartRun();
    CResponseDevice device;
    ASSERT_TRUE(device.Select(c.type, 0));
    ASSERT_TRUE(device.Acquire(0));
    SyncInputEvents();
    const uint64_t from = GetInputEventCount();
    const int64_t before = MonotonicNowNs();
    devices.SetButton(inUse, 1, true);  // returns once the thread has looked
    const int64_t pressed = MonotonicNowNs();
    devices.SetButton(other, 1, true);
    devices.SetAxis(inUse, 0, 9000);
    devices.SetHat(stick, SDL_HAT_UP);
    const int64_t between = MonotonicNowNs();
    devices.SetButton(inUse, 1, false);
    const int64_t released = MonotonicNowNs();
    EXPECT_EQ(device.ReadMask(), 0u);
    ASSERT_EQ(GetInputEventCount(), from + 2);
    InputEventStamp press;
    InputEventStamp release;
    ASSERT_TRUE(GetInputEvent(from, &press));
    ASSERT_TRUE(GetInputEvent(from + 1, &release));
    EXPECT_TRUE(press.press);
    EXPECT_GE(press.ns, before);
    EXPECT_LE(press.ns, pressed);
    EXPECT_FALSE(release.press);
    const InputSource source =
        c.type == kButtonTypeGamePad ? InputSource::kGamePadButton : InputSource::kJoystickButton;
    for (const InputEventStamp* e : {&press, &release}) {
      EXPECT_EQ(e->source, source);
      EXPECT_EQ(e->code, 1) << "the button";
    }
    EXPECT_GE(release.ns, between);
    EXPECT_LE(release.ns, released);
    device.Release();
    ReleaseDirectInput();
  }
  EXPECT_TRUE(m_messages.ShownTexts().empty());
  EXPECT_TRUE(m_messages.PostedTexts().empty());
}

TEST_F(GamePadJoystickTest, WithoutAJoystickTheSelectionFailsQuietly) {
  m_devices.AttachPad("Pad");
  StartRun();
  CResponseDevice device;
  EXPECT_FALSE(device.Select(kButtonTypeJoystick, 0));
  EXPECT_EQ(device.Type(), kButtonTypeNone);
  EXPECT_EQ(device.Index(), -1);
  EXPECT_EQ(device.ReadMask(), 0u);
  EXPECT_FALSE(device.Acquire(0));
  EXPECT_EQ(AcquireJoystick(0, 0), kInputRefused);
  EXPECT_EQ(AcquireGamePad(0, 4), kInputRefused);
  EXPECT_EQ(CreateForceFeedback(0, 0), kInputRefused);
  EXPECT_EQ(StartForceFeedback(), kInputRefused);
  EXPECT_TRUE(m_messages.ShownTexts().empty());
  EXPECT_TRUE(m_messages.PostedTexts().empty());
}

TEST_F(GamePadJoystickTest, APadThatGoesAwayReadsEmptyIsReportedOnceAndComesBack) {
  int pad = m_devices.AttachPad("Wired Pad");
  StartRun();
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeGamePad, 0));
  ASSERT_TRUE(device.Acquire(0));
  m_devices.SetButton(pad, 0, true);
  EXPECT_EQ(device.ReadMask(), 1u);

  m_devices.Detach(pad);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(device.ReadMask(), 0u);
  ASSERT_EQ(m_messages.PostedTexts().size(), 1u);
  EXPECT_EQ(m_messages.PostedTexts()[0], "ReadGamePad failed\nINPUT_E_UNPLUGGED: " + GetGamePadName(0));
  EXPECT_TRUE(m_messages.ShownTexts().empty());  // never a message box from a read

  pad = m_devices.AttachPad("Wired Pad");  // plugged in again
  m_devices.SetButton(pad, 2, true);
  uint32_t mask = 0;
  for (int i = 0; i < 3 && mask == 0; ++i) {
    mask = device.ReadMask();
    SyncInputEvents();  // the pad thread looks at the pad taken up again
  }
  EXPECT_EQ(mask, 4u);
  EXPECT_EQ(m_messages.PostedTexts().size(), 1u);
}

TEST_F(GamePadJoystickTest, AcquiringAListedPadThatIsGoneShowsWhy) {
  const int pad = m_devices.AttachPad("Gone Pad");
  StartRun();
  m_devices.Detach(pad);
  EXPECT_EQ(AcquireGamePad(0, 0), kInputDeviceNotFound);
  ASSERT_EQ(m_messages.ShownTexts().size(), 1u);
  EXPECT_EQ(m_messages.ShownTexts()[0].rfind("INPUT_E_DEVICENOTFOUND", 0), 0u) << m_messages.ShownTexts()[0];
  JoystickState state;
  EXPECT_EQ(ReadGamePad(&state), kInputOk);
}

}  // namespace

}  // namespace qel

// Without an X server the device layer reports its failure once and every
// later call quietly gives nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "engine/input/InputDevices.h"
#include "engine/input/ResponseDevice.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace {

class NoDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr) m_savedDisplay = display;
    unsetenv("DISPLAY");
  }
  void TearDown() override {
    ReleaseDirectInput();
    if (!m_savedDisplay.empty()) setenv("DISPLAY", m_savedDisplay.c_str(), 1);
  }

  std::string m_savedDisplay;
  test::PromptRecorder m_prompts;
};

TEST_F(NoDisplayTest, StartingTheDeviceSystemFailsWithOnePlainMessage) {
  EXPECT_EQ(CreateDirectInput(), kInputNoDisplay);
  ASSERT_EQ(m_prompts.Shown().size(), 1u);
  EXPECT_EQ(m_prompts.Shown()[0].text, "DirectInputCreate() failed\nINPUT_E_NODISPLAY: cannot open display \"\"");
  EXPECT_EQ(m_prompts.Shown()[0].style, static_cast<unsigned>(kPromptOk));
  EXPECT_FALSE(IsDirectInputCreated());

  EXPECT_EQ(EnumInputDevices(), kInputNoDisplay);
  EXPECT_EQ(m_prompts.Shown().size(), 2u);
  EXPECT_EQ(GetKeyboardCount() + GetMouseCount() + GetGamePadCount() + GetJoystickCount() + GetForceFeedbackCount(), 0);
  EXPECT_FALSE(EnumGamePads());  // no device system: false, no message
  EXPECT_EQ(m_prompts.Shown().size(), 2u);
}

TEST_F(NoDisplayTest, WithoutDeviceSystemEverythingReadsAsNothing) {
  EXPECT_EQ(AcquireKeyboard(0, 0), kInputRefused);
  EXPECT_EQ(AcquireMouse(0, 0), kInputRefused);
  EXPECT_EQ(AcquireGamePad(0, 0), kInputRefused);
  EXPECT_EQ(AcquireJoystick(0, 0), kInputRefused);
  EXPECT_EQ(CreateForceFeedback(0, 0), kInputRefused);
  EXPECT_EQ(StartForceFeedback(), kInputRefused);
  EXPECT_FALSE(IsKeyboardPresent());

  uint8_t keys[kKeyboardStateSize];
  std::fill(std::begin(keys), std::end(keys), uint8_t{0xFF});
  EXPECT_EQ(ReadKeyboard(keys), kInputOk);
  EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), 256);
  MouseState mouse;
  mouse.lX = 9;
  EXPECT_EQ(ReadMouse(&mouse), kInputOk);
  EXPECT_EQ(mouse.lX, 0);
  JoystickState pad;
  pad.rgbButtons[0] = 0x80;
  EXPECT_EQ(ReadJoystick(&pad), kInputOk);
  EXPECT_EQ(pad.rgbButtons[0], 0);
  EXPECT_EQ(GetMouseName(-1), "");
  EXPECT_EQ(GetMouseName(0), "");

  CResponseDevice device;
  EXPECT_EQ(device.Type(), kButtonTypeNone);
  EXPECT_FALSE(device.Select(2, 0));  // no game pad listed
  EXPECT_EQ(device.Type(), kButtonTypeNone);
  EXPECT_EQ(device.Index(), -1);
  EXPECT_FALSE(device.Acquire(0));
  EXPECT_EQ(device.ReadMask(), 0u);
  EXPECT_EQ(device.GetName(), "");
  EXPECT_FALSE(device.Select(4, 0));
  device.Release();
  EXPECT_TRUE(m_prompts.Shown().empty());
  EXPECT_TRUE(m_prompts.Posted().empty());
}

}  // namespace

}  // namespace qel

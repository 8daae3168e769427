// Keyboard and mouse from the X server, driven by XTest presses and moves.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "engine/input/InputDevices.h"
#include "engine/input/ResponseDevice.h"
#include "engine/input/tests/InputTestSupport.h"

namespace qel {

namespace {

std::vector<int> DownCodes() {
  uint8_t state[kKeyboardStateSize];
  ReadKeyboard(state);
  std::vector<int> down;
  for (int code = 0; code < 256; ++code) {
    if (state[code] != 0) {
      EXPECT_EQ(state[code], 0x80);
      down.push_back(code);
    }
  }
  return down;
}

class InputDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_inject.Ok());
    test::XTestInput::SetSyncHook([] { SyncInputEvents(); });
    ASSERT_EQ(EnumInputDevices(), kInputOk);
    ASSERT_EQ(CreateDirectInput(), kInputOk);
  }
  void TearDown() override {
    ReleaseDirectInput();
    EXPECT_TRUE(m_messages.ShownTexts().empty()) << m_messages.ShownTexts().front();
  }

  test::PromptRecorder m_messages;
  test::XTestInput m_inject;
};

TEST_F(InputDeviceTest, TheServerGivesOneKeyboardAndOneMouse) {
  EXPECT_EQ(GetKeyboardCount(), 1);
  EXPECT_EQ(GetKeyboardName(0), "Keyboard");
  EXPECT_EQ(GetMouseCount(), 1);
  EXPECT_EQ(GetMouseName(0), "Mouse");
  EXPECT_EQ(GetMouseName(1), "");
  EXPECT_EQ(GetMouseName(-1), "");
}

TEST_F(InputDeviceTest, TheFirstKeyboardReadAcquiresAndIsEmpty) {
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  EXPECT_TRUE(IsKeyboardPresent());
  m_inject.Key(50, true);  // left Shift
  m_inject.Sync();
  EXPECT_TRUE(DownCodes().empty());
  EXPECT_EQ(DownCodes(), std::vector<int>{42});
  m_inject.Key(50, false);
  m_inject.Sync();
  EXPECT_TRUE(DownCodes().empty());
}

TEST_F(InputDeviceTest, ReleasedKeyboardReadsNothing) {
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  DownCodes();
  m_inject.Key(65, true);
  m_inject.Sync();
  EXPECT_EQ(DownCodes(), std::vector<int>{57});
  ReleaseKeyboard();
  EXPECT_FALSE(IsKeyboardPresent());
  EXPECT_TRUE(DownCodes().empty());
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  ReleaseDirectInput();
  EXPECT_FALSE(IsKeyboardPresent());
  EXPECT_TRUE(DownCodes().empty());
  EXPECT_EQ(AcquireKeyboard(0, 0), kInputRefused);  // no device system
}

struct KeysCase {
  const char* name;
  std::vector<unsigned> x11;  // X key codes pressed
  std::vector<int> codes;     // key codes then down
  uint32_t mask;              // keyboard response mask
};

class KeyboardKeysTest : public InputDeviceTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(KeyboardKeysTest, PressedKeysGiveTheirCodesAndMask) {
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeKeyboard, 0));
  ASSERT_TRUE(device.Acquire(0));
  EXPECT_EQ(device.GetName(), "Keyboard");
  EXPECT_EQ(device.ReadMask(), 0u);  // acquires
  for (unsigned key : GetParam().x11) m_inject.Key(key, true);
  m_inject.Sync();
  EXPECT_EQ(DownCodes(), GetParam().codes);
  EXPECT_EQ(device.ReadMask(), GetParam().mask);
  for (unsigned key : GetParam().x11) m_inject.Key(key, false);
  m_inject.Sync();
  EXPECT_EQ(device.ReadMask(), 0u);
  device.Release();
  EXPECT_EQ(device.Type(), kButtonTypeNone);
  EXPECT_FALSE(IsKeyboardPresent());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardKeysTest,
                         ::testing::Values(KeysCase{"BothShifts", {50, 62}, {42, 54}, 3},
                                           KeysCase{"SpaceAlone", {65}, {57}, 4},
                                           KeysCase{"RightWindows", {134}, {220}, 0},
                                           KeysCase{"RightCtrlAndAlt", {105, 108}, {157, 184}, 2},
                                           KeysCase{"LeftCtrlAndAlt", {37, 64}, {29, 56}, 1},
                                           KeysCase{"KeypadDigitsInTheMainBlock", {79, 90}, {71, 82}, 0},
                                           KeysCase{"ArrowsAndKeypadEnter", {111, 116, 104}, {156, 200, 208}, 0},
                                           KeysCase{"EscapeAndDigit", {9, 10}, {1, 2}, 0}),
                         [](const ::testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

// Movement arrives as events; reads are summed until the expected total
// is there (or a generous time has passed).
MouseState ReadMouseUntil(int x, int y, int z) {
  MouseState total;
  for (int i = 0; i < 200; ++i) {
    MouseState m;
    ReadMouse(&m);
    total.lX += m.lX;
    total.lY += m.lY;
    total.lZ += m.lZ;
    for (int b = 0; b < 8; ++b) total.rgbButtons[b] = m.rgbButtons[b];
    if (total.lX == x && total.lY == y && total.lZ == z) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return total;
}

class MouseTest : public InputDeviceTest {
 protected:
  void SetUp() override {
    InputDeviceTest::SetUp();
    ASSERT_EQ(AcquireMouse(0, 0), kInputOk);
  }
};

TEST_F(MouseTest, TheFirstReadAcquiresAndIsEmpty) {
  m_inject.Move(7, 7);
  m_inject.Sync();
  MouseState first;
  first.lX = 1;
  EXPECT_EQ(ReadMouse(&first), kInputOk);
  EXPECT_EQ(first.lX, 0);
  EXPECT_EQ(first.lY, 0);
  m_inject.Move(5, -3);
  m_inject.Sync();
  const MouseState m = ReadMouseUntil(5, -3, 0);
  EXPECT_EQ(m.lX, 5);  // the move before the acquisition is not counted
  EXPECT_EQ(m.lY, -3);
}

TEST_F(MouseTest, MovesSumUntilReadAndWarpsAddNothing) {
  MouseState m;
  ReadMouse(&m);
  m_inject.Warp(512, 384);
  m_inject.Move(5, -3);
  m_inject.Move(2, 2);
  m_inject.Warp(100, 100);
  m_inject.Sync();
  m = ReadMouseUntil(7, -1, 0);
  EXPECT_EQ(m.lX, 7);
  EXPECT_EQ(m.lY, -1);
  ReadMouse(&m);
  EXPECT_EQ(m.lX, 0);  // taken by the read before
  EXPECT_EQ(m.lY, 0);

  // At the screen's corner the pointer cannot move further; the mouse still does.
  m_inject.Warp(0, 0);
  m_inject.Move(-10, -20);
  m_inject.Sync();
  m = ReadMouseUntil(-10, -20, 0);
  EXPECT_EQ(m.lX, -10);
  EXPECT_EQ(m.lY, -20);
}

TEST_F(MouseTest, TheWheelCountsNotchesOf120) {
  MouseState m;
  ReadMouse(&m);
  m_inject.Click(4);  // away from the user
  m_inject.Click(5);
  m_inject.Click(5);
  m_inject.Sync();
  m = ReadMouseUntil(0, 0, -120);
  EXPECT_EQ(m.lZ, -120);
  EXPECT_EQ(m.lX, 0);
}

// A task that moves its own pointer and reads the mouse's buttons as the
// response device: the button reads leave every movement to the pointer.
TEST_F(MouseTest, ReadingTheResponseButtonsLeavesTheMovement) {
  ReleaseMouse();
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeMouse, 0));
  ASSERT_TRUE(device.Acquire(0));
  MouseState m;
  ReadMouse(&m);  // acquires
  m_inject.Move(6, 4);
  m_inject.Button(1, true);
  m_inject.Sync();
  uint32_t mask = 0;
  for (int i = 0; i < 200 && mask == 0; ++i) {
    mask = device.ReadMask();
    if (mask == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(mask, 1u);
  EXPECT_EQ(device.ReadMask(), 1u);
  m = ReadMouseUntil(6, 4, 0);
  EXPECT_EQ(m.lX, 6);
  EXPECT_EQ(m.lY, 4);
  m_inject.Button(1, false);
  m_inject.Sync();
  device.Release();
}

struct ButtonCase {
  const char* name;
  unsigned x11Button;
  int index;      // in the mouse state
  uint32_t mask;  // mouse response mask
};

class MouseButtonTest : public MouseTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(MouseButtonTest, ButtonsInTheStateAndTheMask) {
  ReleaseMouse();
  CResponseDevice device;
  ASSERT_TRUE(device.Select(kButtonTypeMouse, 0));
  ASSERT_TRUE(device.Acquire(0));
  EXPECT_EQ(device.GetName(), "Mouse");
  EXPECT_EQ(device.ReadMask(), 0u);
  m_inject.Button(GetParam().x11Button, true);
  m_inject.Sync();
  MouseState m;
  ReadMouse(&m);
  for (int b = 0; b < 8; ++b) EXPECT_EQ(m.rgbButtons[b], b == GetParam().index ? 0x80 : 0) << "button " << b;
  EXPECT_EQ(device.ReadMask(), GetParam().mask);
  m_inject.Button(GetParam().x11Button, false);
  m_inject.Sync();
  EXPECT_EQ(device.ReadMask(), 0u);
  device.Release();
}

INSTANTIATE_TEST_SUITE_P(Buttons, MouseButtonTest,
                         ::testing::Values(ButtonCase{"Left", 1, 0, 1}, ButtonCase{"Right", 3, 1, 2},
                                           ButtonCase{"Middle", 2, 2, 4}, ButtonCase{"Back", 8, 3, 0},
                                           ButtonCase{"Forward", 9, 4, 0}),
                         [](const ::testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace qel

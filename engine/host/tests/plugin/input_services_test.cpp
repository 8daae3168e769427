// Through the plug-in: keys, the digit key, waiting for Space, the mouse
// and the response buttons, with keys and moves injected through XTest.
#include <chrono>
#include <future>
#include <thread>

#include "app/settings/SystemSettings.h"
#include "engine/host/tests/plugin/ProbeFixture.h"
#include "engine/input/InputDevices.h"

namespace qel {

namespace test {
namespace {

using namespace std::chrono_literals;

class ProbeInput : public ProbeTest {
 protected:
  void SetUp() override {
    ProbeTest::SetUp();
    ASSERT_TRUE(m_input.Ok());
    ASSERT_EQ(EnumInputDevices(), kInputOk);
    ASSERT_EQ(CreateDirectInput(), kInputOk);
    ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
    Call("SPACEKEY");  // the first read acquires the keyboard
  }
  void TearDown() override {
    m_sharedHost->CloseResponseDevice();
    ReleaseDirectInput();
    EXPECT_TRUE(m_log.Shown().empty()) << m_log.Shown().front().text;
  }

  void Press(std::initializer_list<int> keys) {
    for (int k : keys) m_input.ScanKey(k, true);
    m_input.Sync();
  }
  void Release(std::initializer_list<int> keys) {
    for (int k : keys) m_input.ScanKey(k, false);
    m_input.Sync();
  }

  PromptRecorder m_log;
  ScanCodeInput m_input;
};

struct KeysCase {
  const char* name;
  std::vector<int> keys;
  int shiftCtrl;
  int responseKeys;
  int spaceKey;
};

class ProbeKeys : public ProbeInput, public testing::WithParamInterface<KeysCase> {};

TEST_P(ProbeKeys, ShiftCtrlResponseAndSpaceKeys) {
  for (int k : GetParam().keys) m_input.ScanKey(k, true);
  m_input.Sync();
  EXPECT_EQ(Call("SHIFTCTRL"), GetParam().shiftCtrl);
  EXPECT_EQ(Call("RESPONSEKEYS"), GetParam().responseKeys);
  EXPECT_EQ(Call("SPACEKEY"), GetParam().spaceKey);
  for (int k : GetParam().keys) m_input.ScanKey(k, false);
  m_input.Sync();
  EXPECT_EQ(Call("RESPONSEKEYS"), 0);
  EXPECT_EQ(Call("SPACEKEY"), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, ProbeKeys,
                         testing::Values(KeysCase{"None", {}, 0, 0, 0}, KeysCase{"LeftCtrl", {29}, 1, 1, 0},
                                         KeysCase{"LeftShift", {42}, 1, 1, 0}, KeysCase{"RightCtrl", {157}, 2, 2, 0},
                                         KeysCase{"RightShift", {54}, 2, 2, 0},
                                         KeysCase{"BothShifts", {42, 54}, 3, 3, 0}, KeysCase{"Space", {57}, 0, 4, 57},
                                         KeysCase{"EscapeAndSpace", {1, 57}, 0, 4, 1},
                                         KeysCase{"Alts", {56, 184}, 0, 0, 0}),
                         [](const testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

struct DigitCase {
  const char* name;
  int key;
  int character;
};

class ProbeDigit : public ProbeInput, public testing::WithParamInterface<DigitCase> {};

TEST_P(ProbeDigit, OneCharacterPerPressGivenAtItsRelease) {
  Press({GetParam().key});
  auto answer = std::async(std::launch::async, [this] { return Call("DIGIT"); });
  EXPECT_EQ(answer.wait_for(60ms), std::future_status::timeout) << "waits for the key's release";
  Release({GetParam().key});
  ASSERT_EQ(answer.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answer.get(), GetParam().character);
  EXPECT_EQ(Text(), std::to_string(GetParam().character));
}

INSTANTIATE_TEST_SUITE_P(Keys, ProbeDigit,
                         testing::Values(DigitCase{"Row5", 6, '5'}, DigitCase{"Row0", 11, '0'},
                                         DigitCase{"Keypad1", 79, '1'}, DigitCase{"Keypad0", 82, '0'},
                                         DigitCase{"Keypad9", 73, '9'}, DigitCase{"Backspace", 14, 8},
                                         DigitCase{"Enter", 28, 10}, DigitCase{"KeypadEnter", 156, 10},
                                         DigitCase{"LetterA", 30, 0}),
                         [](const testing::TestParamInfo<DigitCase>& info) { return std::string(info.param.name); });

TEST_F(ProbeInput, DigitKeyWithEscapeHeldAnswersOneAndLeavesNoCharacter) {
  Press({1, 6});
  EXPECT_EQ(Call("DIGIT"), 1);  // at once, although the keys are still down
  EXPECT_EQ(Text(), "0");
  Release({1, 6});
  EXPECT_EQ(Call("DIGIT"), 0);  // nothing down
  EXPECT_EQ(Text(), "0");
}

TEST_F(ProbeInput, WaitForSpaceAnswersWhenSpaceIsReleased) {
  auto answer = std::async(std::launch::async, [this] { return Call("WAITSPACE"); });
  EXPECT_EQ(answer.wait_for(50ms), std::future_status::timeout);
  Press({57});
  EXPECT_EQ(answer.wait_for(50ms), std::future_status::timeout) << "still down";
  Release({57});
  ASSERT_EQ(answer.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answer.get(), 57);
}

TEST_F(ProbeInput, WaitForSpaceAnswersEscapeToo) {
  auto answer = std::async(std::launch::async, [this] { return Call("WAITSPACE"); });
  Press({1});
  EXPECT_EQ(answer.wait_for(50ms), std::future_status::timeout);
  Release({1});
  ASSERT_EQ(answer.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answer.get(), 1);
}

TEST_F(ProbeInput, WaitForSpaceWithoutAKeyboardIsZero) {
  ReleaseKeyboard();
  EXPECT_EQ(Call("WAITSPACE"), 0);
}

TEST_F(ProbeInput, AnInterruptedWaitEndsAsEscape) {
  auto answer = std::async(std::launch::async, [this] { return Call("WAITSPACE"); });
  EXPECT_EQ(answer.wait_for(50ms), std::future_status::timeout);
  m_sharedHost->SetWaitsInterrupted(true);
  ASSERT_EQ(answer.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answer.get(), 1);

  // While the run ends every key service reads as Escape held, so the
  // framework's key wait and a plug-in's own key loops give up at once.
  Press({6});
  EXPECT_EQ(Call("SPACEKEY"), 1);
  EXPECT_EQ(Call("WAITKEY 100000000"), 1);
  EXPECT_EQ(Call("DIGIT"), 1);
  EXPECT_EQ(Text(), "0");
  m_sharedHost->SetWaitsInterrupted(false);
  EXPECT_EQ(Call("SPACEKEY"), 0);
}

TEST_F(ProbeInput, ADigitKeyHeldWhenTheRunEndsNoLongerHoldsTheCaller) {
  Press({6});
  auto answer = std::async(std::launch::async, [this] { return Call("DIGIT"); });
  EXPECT_EQ(answer.wait_for(50ms), std::future_status::timeout) << "waits for the release";
  m_sharedHost->SetWaitsInterrupted(true);
  ASSERT_EQ(answer.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answer.get(), '5');
  m_sharedHost->SetWaitsInterrupted(false);
}

TEST_F(ProbeInput, MouseMovementSinceTheLastRead) {
  ASSERT_EQ(AcquireMouse(0, 0), kInputOk);
  Call("MOUSE");  // the first read acquires
  EXPECT_EQ(Text(), "0 0");
  m_input.Move(5, -3);
  m_input.Move(2, 1);
  m_input.Sync();
  int dx = 0, dy = 0;
  for (int i = 0; i < 200 && (dx != 7 || dy != -2); ++i) {
    Call("MOUSE");
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(Text().c_str(), "%d %d", &x, &y), 2);
    dx += x;
    dy += y;
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_EQ(dx, 7);
  EXPECT_EQ(dy, -2);
  Call("MOUSE");
  EXPECT_EQ(Text(), "0 0");
}

TEST_F(ProbeInput, MouseWithoutADeviceReadsNoMovement) {
  m_input.Move(5, 5);
  m_input.Sync();
  Call("MOUSE");
  EXPECT_EQ(Text(), "0 0");
}

TEST_F(ProbeInput, ResponseButtonsOfTheKeyboardAsTheSettingsChooseIt) {
  const int savedType = g_ButtonType, savedIndex = g_ButtonInd;
  g_ButtonType = kButtonTypeKeyboard;
  g_ButtonInd = 0;
  ASSERT_TRUE(m_sharedHost->OpenResponseDevice(0));
  EXPECT_EQ(Call("BUTTONTYPE"), kButtonTypeKeyboard);
  Call("BUTTONS");  // acquires
  Press({54});
  EXPECT_EQ(Call("BUTTONS"), 2);
  Press({57});
  EXPECT_EQ(Call("BUTTONS"), 6);
  Release({54, 57});
  EXPECT_EQ(Call("BUTTONS"), 0);
  m_sharedHost->CloseResponseDevice();
  EXPECT_EQ(Call("BUTTONTYPE"), kButtonTypeNone);
  Press({42});
  EXPECT_EQ(Call("BUTTONS"), 0);
  g_ButtonType = savedType;
  g_ButtonInd = savedIndex;
}

TEST_F(ProbeInput, ResponseButtonsOfTheMouse) {
  const int savedType = g_ButtonType, savedIndex = g_ButtonInd;
  g_ButtonType = kButtonTypeMouse;
  g_ButtonInd = 0;
  ASSERT_TRUE(m_sharedHost->OpenResponseDevice(0));
  EXPECT_EQ(Call("BUTTONTYPE"), kButtonTypeMouse);
  Call("BUTTONS");
  m_input.Button(3, true);  // the right button
  m_input.Sync();
  EXPECT_EQ(Call("BUTTONS"), 2);
  m_input.Button(3, false);
  m_input.Sync();
  EXPECT_EQ(Call("BUTTONS"), 0);
  g_ButtonType = savedType;
  g_ButtonInd = savedIndex;
}

TEST_F(ProbeInput, SettingsWithoutSuchADeviceOpenNone) {
  const int savedType = g_ButtonType, savedIndex = g_ButtonInd;
  const std::pair<int, int> settings[] = {{2, 0}, {3, 0}, {0, 1}, {4, 0}, {-1, 0}, {0, -1}};
  for (const auto& [type, index] : settings) {
    g_ButtonType = type;
    g_ButtonInd = index;
    EXPECT_FALSE(m_sharedHost->OpenResponseDevice(0)) << type << " " << index;
    EXPECT_EQ(Call("BUTTONTYPE"), kButtonTypeNone);
    EXPECT_EQ(Call("BUTTONS"), 0);
  }
  g_ButtonType = savedType;
  g_ButtonInd = savedIndex;
}

}  // namespace
}  // namespace test

}  // namespace qel

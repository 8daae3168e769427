#include <gtest/gtest.h>

#include <vector>

#include "engine/input/KeyCodes.h"
#include "engine/input/ResponseMask.h"

namespace qel {

namespace {

struct KeysCase {
  const char* name;
  std::vector<uint8_t> down;
  uint32_t mask;
};

class KeyboardMaskTest : public ::testing::TestWithParam<KeysCase> {};

TEST_P(KeyboardMaskTest, GroupsTheResponseKeys) {
  uint8_t state[256] = {};
  for (uint8_t key : GetParam().down) state[key] = 0x80;
  EXPECT_EQ(ResponseMaskFromKeyboard(state), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardMaskTest,
    ::testing::Values(KeysCase{"Nothing", {}, 0}, KeysCase{"BothShifts", {kKeyLeftShift, kKeyRightShift}, 3},
                      KeysCase{"SpaceAlone", {kKeySpace}, 4}, KeysCase{"RightWindows", {kKeyRightWindows}, 0},
                      KeysCase{"LeftAlt", {kKeyLeftAlt}, 1}, KeysCase{"LeftCtrl", {kKeyLeftCtrl}, 1},
                      KeysCase{"RightAlt", {kKeyRightAlt}, 2}, KeysCase{"RightCtrl", {kKeyRightCtrl}, 2},
                      KeysCase{"AllGroups", {kKeyLeftCtrl, kKeyRightAlt, kKeySpace}, 7},
                      KeysCase{"OtherKeys", {kKeyA, kKeyEnter, kKeyKeypadEnter, kKeyEscape}, 0}),
    [](const ::testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

TEST(KeyboardMask, OnlyTheHighBitMeansDown) {
  uint8_t state[256] = {};
  state[kKeyLeftShift] = 0x7F;
  state[kKeySpace] = 0x81;
  EXPECT_EQ(ResponseMaskFromKeyboard(state), 4u);
}

struct ButtonsCase {
  const char* name;
  std::vector<uint8_t> buttons;
  uint32_t mask;
};

class ButtonMaskTest : public ::testing::TestWithParam<ButtonsCase> {};

TEST_P(ButtonMaskTest, ButtonsZeroToTwoAreTheThreeBits) {
  EXPECT_EQ(ResponseMaskFromButtons(GetParam().buttons.data(), GetParam().buttons.size()), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonMaskTest,
    ::testing::Values(ButtonsCase{"First", {0x80, 0, 0, 0}, 1}, ButtonsCase{"Second", {0, 0x80, 0, 0}, 2},
                      ButtonsCase{"Third", {0, 0, 0x80, 0}, 4}, ButtonsCase{"OnlyButton3", {0, 0, 0, 0x80}, 0},
                      ButtonsCase{"All", {0x80, 0x80, 0x80, 0x80}, 7}, ButtonsCase{"LowBitsOnly", {0x7F, 1, 2}, 0},
                      ButtonsCase{"ShortDevice", {0x80, 0x80}, 3}),
    [](const ::testing::TestParamInfo<ButtonsCase>& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace qel

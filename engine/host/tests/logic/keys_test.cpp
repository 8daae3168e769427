// The key services' rules over one keyboard state.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/host/HostKeys.h"

namespace qel {

namespace {

struct State {
  uint8_t bytes[256] = {};
  explicit State(const std::vector<int>& down) {
    for (int code : down) bytes[code] = 0x80;
  }
};

struct KeysCase {
  const char* name;
  std::vector<int> down;
  uint32_t shiftCtrl;
  uint32_t response;
  int space;
};

class KeyBits : public testing::TestWithParam<KeysCase> {};

TEST_P(KeyBits, ShiftCtrlResponseAndSpaceKeys) {
  const State s(GetParam().down);
  EXPECT_EQ(ShiftCtrlBits(s.bytes), GetParam().shiftCtrl);
  EXPECT_EQ(ResponseKeyBits(s.bytes), GetParam().response);
  EXPECT_EQ(SpaceKeyCode(s.bytes), GetParam().space);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyBits,
                         testing::Values(KeysCase{"Nothing", {}, 0, 0, 0}, KeysCase{"LeftCtrl", {29}, 1, 1, 0},
                                         KeysCase{"LeftShift", {42}, 1, 1, 0}, KeysCase{"RightCtrl", {157}, 2, 2, 0},
                                         KeysCase{"RightShift", {54}, 2, 2, 0},
                                         KeysCase{"BothShifts", {42, 54}, 3, 3, 0}, KeysCase{"Space", {57}, 0, 4, 57},
                                         KeysCase{"EscapeBeatsSpace", {1, 57}, 0, 4, 1},
                                         KeysCase{"AltsAreNoResponseKeys", {56, 184}, 0, 0, 0},
                                         KeysCase{"EverythingDown", {1, 29, 42, 54, 57, 157}, 3, 7, 1}),
                         [](const testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

TEST(KeyBits, OnlyTheHighBitMeansDown) {
  State s({});
  s.bytes[57] = 0x7F;
  s.bytes[42] = 0x01;
  EXPECT_EQ(ResponseKeyBits(s.bytes), 0u);
  EXPECT_EQ(SpaceKeyCode(s.bytes), 0);
  EXPECT_EQ(FirstKeyDown(s.bytes), -1);
}

TEST(DigitKeys, RowKeypadBackspaceAndEnter) {
  const char* digits = "1234567890";
  for (int i = 0; i < 10; ++i) EXPECT_EQ(DigitKeyChar(2 + i), digits[i]) << "row key " << 2 + i;
  const int keypad[10] = {79, 80, 81, 75, 76, 77, 71, 72, 73, 82};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(DigitKeyChar(keypad[i]), digits[i]) << "keypad key " << keypad[i];
  EXPECT_EQ(DigitKeyChar(14), 8);
  EXPECT_EQ(DigitKeyChar(28), 10);
  EXPECT_EQ(DigitKeyChar(156), 10);
  for (int other : {0, 1, 12, 30, 57, 74, 78, 83, 155, 200, 255}) EXPECT_EQ(DigitKeyChar(other), 0) << other;
}

TEST(DigitKeys, TheLowestKeyDownCounts) {
  EXPECT_EQ(FirstKeyDown(State({80, 3, 200}).bytes), 3);
  EXPECT_EQ(FirstKeyDown(State({255}).bytes), 255);
  EXPECT_EQ(FirstKeyDown(State({0}).bytes), 0);
}

}  // namespace

}  // namespace qel

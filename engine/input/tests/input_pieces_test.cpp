#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "engine/input/ForceFeedbackEffect.h"
#include "engine/input/InputDeviceList.h"
#include "engine/input/InputResult.h"
#include "engine/input/MotionSum.h"
#include "engine/input/SdlPad.h"
#include "engine/input/X11InputEvents.h"

namespace qel {

namespace {

TEST(InputResult, NamesAndTheStepMessageForm) {
  EXPECT_EQ(InputErrorName(kInputUnplugged), "INPUT_E_UNPLUGGED");
  EXPECT_EQ(InputErrorName(kInputNoDisplay), "INPUT_E_NODISPLAY");
  EXPECT_EQ(InputErrorName(static_cast<InputResult>(0x8123ABCDu)), "0x8123ABCD");
  EXPECT_EQ(InputErrorText(kInputFailed, ""), "INPUT_E_FAIL");
  EXPECT_EQ(InputStepMessage("EnumGamePads failed", kInputFailed, "no access"),
            "EnumGamePads failed\nINPUT_E_FAIL: no access");
}

TEST(InputDeviceList, DevicesBeyondTheCapacityAreNotListed) {
  InputDeviceList keyboards(2);
  for (const char* name : {"first", "second", "third"}) {
    InputDeviceInstance d;
    d.instanceName = name;
    keyboards.Add(d);
  }
  EXPECT_EQ(keyboards.Count(), 2);
  EXPECT_TRUE(keyboards.Full());
  EXPECT_EQ(keyboards.NameAt(1), "second");
  EXPECT_EQ(keyboards.NameAt(2), "");
  EXPECT_EQ(keyboards.NameAt(-1), "");
  EXPECT_EQ(keyboards.At(2), nullptr);
  keyboards.m_selected = 1;
  keyboards.Clear();
  EXPECT_EQ(keyboards.Count(), 0);
  EXPECT_EQ(keyboards.m_selected, -1);
}

TEST(ForceFeedbackEffect, TheTestEffectIsAOneSecondWaveTowardsTenTen) {
  SDL_HapticEffect effect;
  ASSERT_TRUE(MakeForceFeedbackTestEffect(SDL_HAPTIC_SINE | SDL_HAPTIC_GAIN, 2, &effect));
  EXPECT_EQ(effect.type, SDL_HAPTIC_SINE);
  EXPECT_EQ(effect.periodic.length, 1000u);
  EXPECT_EQ(effect.periodic.period, 100u);
  EXPECT_EQ(effect.periodic.magnitude, 6553);  // 2000 of 10000
  EXPECT_EQ(effect.periodic.offset, 0);
  EXPECT_EQ(effect.periodic.phase, 0);
  EXPECT_EQ(effect.periodic.delay, 0);
  EXPECT_EQ(effect.periodic.direction.type, SDL_HAPTIC_CARTESIAN);
  EXPECT_EQ(effect.periodic.direction.dir[0], 10);
  EXPECT_EQ(effect.periodic.direction.dir[1], 10);
  ASSERT_TRUE(MakeForceFeedbackTestEffect(SDL_HAPTIC_SINE, 1, &effect));
  EXPECT_EQ(effect.periodic.direction.dir[1], 0);  // one force axis only
  EXPECT_FALSE(MakeForceFeedbackTestEffect(SDL_HAPTIC_CONSTANT | SDL_HAPTIC_RAMP, 2, &effect));
}

TEST(SdlPad, HatPositionsBecomePointsOfView) {
  EXPECT_EQ(PovFromHat(SDL_HAT_CENTERED), 0xFFFFFFFFu);
  EXPECT_EQ(PovFromHat(SDL_HAT_UP), 0u);
  EXPECT_EQ(PovFromHat(SDL_HAT_RIGHTUP), 4500u);
  EXPECT_EQ(PovFromHat(SDL_HAT_RIGHT), 9000u);
  EXPECT_EQ(PovFromHat(SDL_HAT_DOWN), 18000u);
  EXPECT_EQ(PovFromHat(SDL_HAT_LEFTUP), 31500u);
  EXPECT_EQ(PovFromHat(SDL_HAT_UP | SDL_HAT_DOWN), 0xFFFFFFFFu);  // impossible: centred
}

struct WheelCase {
  const char* name;
  int button;
  bool emulated;
  int notches;
};

class RawWheelButton : public ::testing::TestWithParam<WheelCase> {};

// A wheel with a scroll valuator also sends the server's made-up presses of
// buttons 4 and 5; the valuator already counted that notch.
TEST_P(RawWheelButton, CountsOnlyTheWheelButtonsTheDeviceItselfPressed) {
  EXPECT_EQ(WheelNotchesOfRawButton(GetParam().button, GetParam().emulated), GetParam().notches);
}

INSTANTIATE_TEST_SUITE_P(Buttons, RawWheelButton,
                         ::testing::Values(WheelCase{"Away", 4, false, 1}, WheelCase{"Towards", 5, false, -1},
                                           WheelCase{"AwayMadeUp", 4, true, 0}, WheelCase{"TowardsMadeUp", 5, true, 0},
                                           WheelCase{"Left", 1, false, 0}, WheelCase{"Horizontal", 6, false, 0},
                                           WheelCase{"OtherHorizontal", 7, false, 0}),
                         [](const ::testing::TestParamInfo<WheelCase>& info) { return std::string(info.param.name); });

// Movement taken in whole counts: fractions wait for the next take, in both
// directions, and the take stops at the int32 range without losing the rest.
TEST(MotionSum, TakesWholeCountsAndKeepsTheRest) {
  MotionSum sum;
  sum.Add(2.75);
  EXPECT_EQ(sum.TakeWhole(), 2);
  sum.Add(0.5);
  EXPECT_EQ(sum.TakeWhole(), 1);  // 0.75 + 0.5
  EXPECT_EQ(sum.TakeWhole(), 0);  // 0.25 left
  sum.Add(-1.5);
  EXPECT_EQ(sum.TakeWhole(), -1);  // -1.25 taken towards 0
  sum.Add(0.25);
  EXPECT_EQ(sum.TakeWhole(), 0);  // exactly 0 left
  sum.Add(3e9);
  EXPECT_EQ(sum.TakeWhole(), 2147483647);
  EXPECT_EQ(sum.TakeWhole(), 3000000000 - 2147483647);
  sum.Add(std::nan(""));
  EXPECT_EQ(sum.TakeWhole(), 0);
  sum.Add(5);
  sum.Clear();
  EXPECT_EQ(sum.TakeWhole(), 0);
}

// The input thread adds while the beat takes: every count arrives once.
TEST(MotionSum, AddsDuringTakesAreNeverLost) {
  MotionSum sum;
  constexpr int kAdds = 200000;
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < kAdds; ++i) sum.Add(i % 2 == 0 ? 1.5 : 0.5);
    done = true;
  });
  int64_t taken = 0;
  while (!done) taken += sum.TakeWhole();
  writer.join();
  taken += sum.TakeWhole();
  EXPECT_EQ(taken, kAdds);
}

}  // namespace

}  // namespace qel

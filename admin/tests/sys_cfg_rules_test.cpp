// The configuration sheet's window-free rules: device choice and enabling
// on the Button page, the device-test texts, the display tables and test
// picture, the help book by language and the settings round trip.
#include <gtest/gtest.h>

#include "admin/SysCfgRules.h"
#include "app/settings/SystemSettings.h"

namespace qel {

namespace test {
namespace {

constexpr std::array<int, kDeviceTypeCount> kOneKeyboardTwoMice = {1, 2, 0, 0};

TEST(ButtonPageState, TheIndexOfEachTypeIsRememberedAcrossTypeChanges) {
  CButtonPageState s(kOneKeyboardTwoMice, kButtonTypeMouse, 0);
  ASSERT_TRUE(s.ChooseDevice(kButtonTypeMouse, 1));  // the second mouse
  EXPECT_EQ(s.Index(), 1);
  s.ChooseType(kButtonTypeKeyboard);
  EXPECT_EQ(s.Type(), kButtonTypeKeyboard);
  EXPECT_EQ(s.Index(), 0);
  s.ChooseType(kButtonTypeMouse);
  EXPECT_EQ(s.Type(), kButtonTypeMouse);
  EXPECT_EQ(s.Index(), 1);
  // An index that is not listed changes nothing.
  EXPECT_FALSE(s.ChooseDevice(kButtonTypeMouse, 2));
  EXPECT_FALSE(s.ChooseDevice(kButtonTypeMouse, -1));
  EXPECT_EQ(s.Index(), 1);
}

TEST(ButtonPageState, TypesWithoutDevicesStayDisabledAndTestsLockEverythingElse) {
  CButtonPageState s(kOneKeyboardTwoMice, kButtonTypeMouse, 1);
  CButtonPageEnables e = s.Enables();
  EXPECT_TRUE(e.radio[0]);
  EXPECT_TRUE(e.radio[1]);
  EXPECT_FALSE(e.radio[2]);  // no game pad
  EXPECT_FALSE(e.radio[3]);  // no joystick
  EXPECT_FALSE(e.combo[0]);  // only the current type's combo and test
  EXPECT_TRUE(e.combo[1]);
  EXPECT_TRUE(e.test[1]);
  EXPECT_FALSE(e.test[0]);
  EXPECT_FALSE(e.test[3]);
  EXPECT_TRUE(e.responseTest);
  EXPECT_TRUE(e.tabs);

  // A device test: only its own "Stop" stays enabled; the tabs are locked.
  ASSERT_TRUE(s.StartDeviceTest());
  e = s.Enables();
  EXPECT_TRUE(e.test[1]);
  EXPECT_FALSE(e.combo[1]);
  EXPECT_FALSE(e.radio[0]);
  EXPECT_FALSE(e.responseTest);
  EXPECT_FALSE(e.tabs);
  EXPECT_FALSE(s.StartResponseTest());  // one test at a time
  s.ChooseType(kButtonTypeKeyboard);    // ignored while a test runs
  EXPECT_EQ(s.Type(), kButtonTypeMouse);
  s.StopDeviceTest();

  // The response test: only its "Stop".
  ASSERT_TRUE(s.StartResponseTest());
  e = s.Enables();
  EXPECT_TRUE(e.responseTest);
  EXPECT_FALSE(e.test[1]);
  EXPECT_FALSE(e.combo[1]);
  EXPECT_FALSE(e.tabs);
  EXPECT_FALSE(s.StartDeviceTest());
  s.StopResponseTest();
  EXPECT_TRUE(s.Enables().tabs);
}

TEST(ButtonPageState, AStoredTypeWithoutDevicesOffersNoTest) {
  CButtonPageState s(kOneKeyboardTwoMice, kButtonTypeJoystick, 0);
  const CButtonPageEnables e = s.Enables();
  EXPECT_FALSE(e.test[3]);
  EXPECT_FALSE(e.combo[3]);
  EXPECT_FALSE(e.radio[3]);
}

TEST(DeviceTestTexts, KeysMouseButtonsAndMaskAreShownAsTheOperatorReadsThem) {
  uint8_t keys[kKeyboardStateSize] = {};
  EXPECT_EQ(FormatKeyboardData(keys, kKeyboardStateSize), "");
  keys[0x2a] = kDown;  // left Shift
  keys[0x39] = kDown;  // Space
  keys[0x1e] = 0x7f;   // high bit clear: not down
  EXPECT_EQ(FormatKeyboardData(keys, kKeyboardStateSize), "0x2a 0x39 ");

  MouseState mouse;
  mouse.lX = 5;
  mouse.lY = -12;
  mouse.lZ = 120;
  mouse.rgbButtons[0] = kDown;
  mouse.rgbButtons[3] = kDown;
  EXPECT_EQ(FormatMouseData(mouse), "(X= 005, Y=-012, Z= 120) B0=1 B1=0 B2=0 B3=1");

  JoystickState pad;
  pad.rgbButtons[0] = kDown;
  pad.rgbButtons[7] = kDown;
  pad.rgbButtons[8] = kDown;  // beyond the first eight: not shown
  EXPECT_EQ(FormatPadData(pad), "00 07 ");
  EXPECT_EQ(FormatResponseMask(5), "0x05 ");
  EXPECT_EQ(FormatResponseMask(0), "0x00 ");
}

TEST(SoundTest, EndsAtItsEndTimeOrWhenTheSoundStopped) {
  EXPECT_FALSE(SoundTestOver(1000, 5000, true));
  EXPECT_TRUE(SoundTestOver(5000, 5000, true));
  EXPECT_TRUE(SoundTestOver(1000, 5000, false));
}

TEST(OptionsPage, EachLanguageHasItsHelpBook) {
  EXPECT_EQ(HelpFileNameFor(0), "Qel.htb");
  EXPECT_EQ(HelpFileNameFor(1), "QelEN.htb");
  EXPECT_EQ(HelpFileNameFor(2), "QelDU.htb");
  EXPECT_EQ(HelpFileNameFor(3), "QelIT.htb");
  EXPECT_EQ(HelpFileNameFor(9), "Qel.htb");
}

TEST(DisplayPage, TablesMapEntriesAndStoredValues) {
  struct WidthCase {
    int width;
    int entry;
  };
  for (const WidthCase c : {WidthCase{640, 0}, {800, 1}, {1024, 2}, {1280, 0}, {0, 0}})
    EXPECT_EQ(ResolutionEntryOfWidth(c.width), c.entry) << c.width;
  EXPECT_EQ(ResolutionText(2), "1024x768");
  EXPECT_EQ(ResolutionAt(1).height, 600);
  for (int e = 0; e < kPixelBitsCount; ++e) EXPECT_EQ(PixelBitsEntryOf(PixelBitsAt(e)), e);
  EXPECT_EQ(PixelBitsEntryOf(15), 0);

  EXPECT_EQ(VideoModeText(0), "Windows Mode");
  EXPECT_EQ(VideoModeText(1), "640x480x8");
  EXPECT_EQ(VideoModeText(3), "640x480x32");
  EXPECT_EQ(VideoModeText(4), "800x600x8");
  EXPECT_EQ(VideoModeText(kVideoModeCount - 1), "1600x1200x32");
  EXPECT_EQ(VideoModeEntryOf(1280, 16), 11);  // 1280x960x16 comes before 1280x1024x16
  EXPECT_EQ(VideoModeEntryOf(0, 0), 0);
  EXPECT_EQ(VideoModeEntryOf(1024, 24), 0);  // no such mode
}

TEST(DisplayPage, TestSquaresAreCentredOnTheScreen) {
  const CTestSquares s = DisplayTestSquares(1024, 768);
  EXPECT_EQ(s.outerSide, 128);
  EXPECT_EQ(s.outerLeft, 448);
  EXPECT_EQ(s.outerTop, 320);
  EXPECT_EQ(s.innerSide, 50);
  EXPECT_EQ(s.innerLeft, 487);
  EXPECT_EQ(s.innerTop, 359);
}

TEST(SystemConfigValues, TheEightValuesGoToTheProgramsSettingsAndBack) {
  ResetSystemSettings();
  CSysCfgValues v;
  v.buttonType = kButtonTypeGamePad;
  v.buttonInd = 1;
  v.soundInd = 2;
  v.screenInd = 1;
  v.videoMode = 7;
  v.feedbackDevice = 3;
  v.signalSync = 1;
  v.language = 3;
  WriteSystemConfig(v);
  EXPECT_EQ(g_ButtonType, kButtonTypeGamePad);
  EXPECT_EQ(g_ButtonInd, 1);
  EXPECT_EQ(g_SoundInd, 2);
  EXPECT_EQ(g_ScreenInd, 1);
  EXPECT_EQ(g_VideoMode, 7);
  EXPECT_EQ(g_FeedbackDevice, 3);
  EXPECT_EQ(g_SignalSync, 1);
  EXPECT_EQ(g_Language, 3);
  const CSysCfgValues back = ReadSystemConfig();
  EXPECT_EQ(back.buttonInd, 1);
  EXPECT_EQ(back.videoMode, 7);
  EXPECT_EQ(back.language, 3);
  ResetSystemSettings();
}

}  // namespace
}  // namespace test

}  // namespace qel

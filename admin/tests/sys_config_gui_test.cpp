// The "System Config" sheet under the X server with the real devices: SDL
// virtual game pads, XTest keys, the disk audio driver and the Xvfb screen.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "admin/ui/MySysCfg.h"
#include "admin/ui/MySysCfgBtn.h"
#include "admin/ui/MySysCfgPages.h"
#include "admin/ui/MySysCfgScr.h"
#include "app/settings/SystemSettings.h"
#include "display/RasterSurface.h"
#include "engine/input/InputDevices.h"
#include "engine/input/tests/InputTestSupport.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundService.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

namespace test {
namespace {

wxString LabelOf(wxWindow* sheet, int id) { return sheet->FindWindow(id)->GetLabel(); }

void Click(wxWindow* parent, int id) {
  auto* button = FindControl<wxButton>(parent, id);
  ASSERT_NE(button, nullptr) << id;
  ASSERT_TRUE(button->IsEnabled()) << id;
  SendControlEvent(button, wxEVT_BUTTON, 0);
}

class SysConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSystemSettings();
    ASSERT_TRUE(m_devices.Ok());
  }
  void TearDown() override {
    m_sheet.reset();
    Pump(20);
    ResetSystemSettings();
  }

  // The sheet as the configuration command builds it, on the settings now.
  void OpenSheet(int page = CMySysCfg::kPageButton) {
    ASSERT_EQ(EnumInputDevices(), kInputOk);
    m_sheet = std::make_unique<CMySysCfg>("System Config", nullptr, ReadSystemConfig(), page);
    m_sheet->Show();
    Pump(30);
  }

  PromptRecorder m_messages;
  VirtualDevices m_devices;
  std::unique_ptr<CMySysCfg> m_sheet;
};

TEST_F(SysConfigTest, AGamePadChosenAndTestedShowsItsPressesLive) {
  m_devices.AttachPad("Pad One");
  const int second = m_devices.AttachPad("Pad Two");
  OpenSheet();
  CMySysCfgBtn* page = m_sheet->ButtonPage();
  EXPECT_FALSE(FindControl<wxRadioButton>(page, CMySysCfgBtn::kIdJoystickRadio)->IsEnabled());  // none attached
  EXPECT_FALSE(FindControl<wxButton>(page, CMySysCfgBtn::kIdJoystickTest)->IsEnabled());
  EXPECT_FALSE(FindControl<wxComboBox>(page, CMySysCfgBtn::kIdJoystickCombo)->IsEnabled());

  Choose(FindControl<wxRadioButton>(page, CMySysCfgBtn::kIdGamePadRadio));
  auto* pads = FindControl<wxComboBox>(page, CMySysCfgBtn::kIdGamePadCombo);
  ASSERT_EQ(pads->GetCount(), 2u);
  Select(pads, 1);
  EXPECT_EQ(m_sheet->GetValues().buttonType, kButtonTypeGamePad);
  EXPECT_EQ(m_sheet->GetValues().buttonInd, 1);

  // The device test: the pad's buttons as they are pressed; the rest locked.
  Click(page, CMySysCfgBtn::kIdGamePadTest);
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdGamePadTest), "Stop");
  EXPECT_TRUE(m_sheet->IsLocked());
  EXPECT_FALSE(FindControl<wxButton>(page, CMySysCfgBtn::kIdResponseTest)->IsEnabled());
  EXPECT_FALSE(FindControl<wxRadioButton>(page, CMySysCfgBtn::kIdMouseRadio)->IsEnabled());
  EXPECT_FALSE(m_sheet->FindWindow(wxID_OK)->IsEnabled());
  m_sheet->GetBookCtrl()->SetSelection(CMySysCfg::kPageOptions);  // refused while a test runs
  Pump(30);
  EXPECT_EQ(m_sheet->GetBookCtrl()->GetSelection(), CMySysCfg::kPageButton);
  m_devices.SetButton(second, 0, true);
  m_devices.SetButton(second, 2, true);
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdData) == "00 02 "; }))
      << LabelOf(page, CMySysCfgBtn::kIdData);
  m_devices.SetButton(second, 0, false);
  m_devices.SetButton(second, 2, false);
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdData).empty(); }));
  Click(page, CMySysCfgBtn::kIdGamePadTest);
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdGamePadTest), "Test");
  EXPECT_FALSE(m_sheet->IsLocked());
  EXPECT_TRUE(m_sheet->FindWindow(wxID_OK)->IsEnabled());

  // The response test: the device's name and the mask a run reads.
  Click(page, CMySysCfgBtn::kIdResponseTest);
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdResponseTest), "Stop");
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdResponseName), wxString::FromUTF8(GetGamePadName(1)));
  EXPECT_FALSE(FindControl<wxButton>(page, CMySysCfgBtn::kIdGamePadTest)->IsEnabled());
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdResponseMask) == "0x00 "; }));
  m_devices.SetButton(second, 1, true);
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdResponseMask) == "0x02 "; }))
      << LabelOf(page, CMySysCfgBtn::kIdResponseMask);
  m_devices.SetButton(second, 1, false);
  Click(page, CMySysCfgBtn::kIdResponseTest);
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdResponseName), "");
  EXPECT_EQ(LabelOf(page, CMySysCfgBtn::kIdResponseMask), "");
  EXPECT_FALSE(m_sheet->IsLocked());
  EXPECT_TRUE(m_messages.ShownTexts().empty());
}

TEST_F(SysConfigTest, HoldingLeftShiftInAKeyboardTestShowsItsCodeUntilReleased) {
  XTestInput keys;
  ASSERT_TRUE(keys.Ok());
  OpenSheet();
  CMySysCfgBtn* page = m_sheet->ButtonPage();
  Choose(FindControl<wxRadioButton>(page, CMySysCfgBtn::kIdKeyboardRadio));
  Click(page, CMySysCfgBtn::kIdKeyboardTest);
  keys.KeyNamed("Shift_L", true);
  keys.Sync();
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdData) == "0x2a "; }))
      << LabelOf(page, CMySysCfgBtn::kIdData);
  keys.KeyNamed("Shift_L", false);
  keys.Sync();
  EXPECT_TRUE(PumpUntil([&] { return LabelOf(page, CMySysCfgBtn::kIdData).empty(); }));
  Click(page, CMySysCfgBtn::kIdKeyboardTest);
  EXPECT_EQ(m_sheet->GetValues().buttonType, kButtonTypeKeyboard);
}

TEST_F(SysConfigTest, TheSoundTestPlaysTheTestSoundOnTheChosenDeviceAndEndsByItself) {
  TempFolder folder;
  const std::string output = folder.File("sound.raw");
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  ASSERT_TRUE(EnumSoundDevices());
  OpenSheet(CMySysCfg::kPageSound);
  CMySysCfgSnd* page = m_sheet->SoundPage();
  auto* devices = FindControl<wxComboBox>(page, CMySysCfgSnd::kIdDevice);
  ASSERT_GE(devices->GetCount(), 1u);
  EXPECT_EQ(devices->GetSelection(), 0);
  Click(page, CMySysCfgSnd::kIdTest);
  ASSERT_TRUE(page->IsTestRunning());
  EXPECT_EQ(LabelOf(page, CMySysCfgSnd::kIdTest), "Stop");
  EXPECT_TRUE(m_sheet->IsLocked());
  EXPECT_TRUE(PumpUntil([&] { return !page->IsTestRunning(); }, 7000));
  EXPECT_EQ(LabelOf(page, CMySysCfgSnd::kIdTest), "Test");
  EXPECT_FALSE(m_sheet->IsLocked());

  // What reached the device: the test sound, not silence.
  std::FILE* f = std::fopen(output.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<int16_t> samples(22050 * 2);
  const size_t n = std::fread(samples.data(), sizeof(int16_t), samples.size(), f);
  std::fclose(f);
  int peak = 0;
  for (size_t i = 0; i < n; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  EXPECT_GT(n, 1000u);
  EXPECT_GT(peak, 1000);
  EXPECT_TRUE(m_messages.ShownTexts().empty());
}

TEST_F(SysConfigTest, TheDisplayTestShowsTheCentredSquaresForTwoSeconds) {
  OpenSheet(CMySysCfg::kPageDisplay);
  CMySysCfgScr* page = m_sheet->DisplayPage();
  ASSERT_TRUE(page->IsEnumerated());
  auto* devices = FindControl<wxComboBox>(page, CMySysCfgScr::kIdDevice);
  ASSERT_GE(devices->GetCount(), 1u);
  EXPECT_EQ(LabelOf(page, CMySysCfgScr::kIdDisplayName), wxString::FromUTF8(page->Display().GetDisplayName(0)));
  EXPECT_EQ(FindControl<wxComboBox>(page, CMySysCfgScr::kIdVideoMode)->GetValue(), "Windows Mode");
  Select(FindControl<wxComboBox>(page, CMySysCfgScr::kIdVideoMode), 8);
  EXPECT_EQ(page->ChosenWidth(), 1024);
  EXPECT_EQ(page->ChosenBits(), 16);

  Click(page, CMySysCfgScr::kIdTest);
  ASSERT_TRUE(page->IsTestRunning());
  ASSERT_EQ(page->Display().GetResolutionX(), 1024);
  ASSERT_EQ(page->Display().GetResolutionY(), 768);
  auto frame = page->Display().GetFrontFrame();
  ASSERT_TRUE(frame);
  const uint32_t white = frame->PixelAt(448, 320) & 0xFFFFFF;
  EXPECT_EQ(white, 0xFFFFFFu);                              // the white square's corner
  EXPECT_EQ(frame->PixelAt(448 + 127, 320 + 127) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(frame->PixelAt(447, 320) & 0xFFFFFF, 0u);       // just outside it
  EXPECT_EQ(frame->PixelAt(448 + 128, 320) & 0xFFFFFF, 0u);
  EXPECT_EQ(frame->PixelAt(512, 384) & 0xFFFFFF, 0u);       // the black middle
  EXPECT_EQ(frame->PixelAt(487, 359) & 0xFFFFFF, 0u);
  EXPECT_EQ(frame->PixelAt(486, 359) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(frame->PixelAt(537, 409) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_TRUE(PumpUntil([&] { return !page->IsTestRunning(); }, 4000));
  EXPECT_EQ(LabelOf(page, CMySysCfgScr::kIdTest), "Test");
  EXPECT_FALSE(page->Display().GetFrontFrame());
}

TEST_F(SysConfigTest, ItalianShowsItsHelpBookAtOnceAndTheProtocolBoxCannotBeChecked) {
  OpenSheet(CMySysCfg::kPageOptions);
  CMySysCfgOpt* page = m_sheet->OptionsPage();
  auto* help = FindControl<wxTextCtrl>(page, CMySysCfgOpt::kIdHelpFile);
  EXPECT_EQ(help->GetValue(), "Qel.htb");
  Select(FindControl<wxComboBox>(page, CMySysCfgOpt::kIdLanguage), 3);
  EXPECT_EQ(help->GetValue(), "QelIT.htb");
  EXPECT_EQ(m_sheet->GetValues().language, 3);
  EXPECT_FALSE(FindControl<wxCheckBox>(page, CMySysCfgOpt::kIdProtocol)->IsEnabled());
  Tick(FindControl<wxCheckBox>(page, CMySysCfgOpt::kIdSignalSync), true);
  EXPECT_EQ(m_sheet->GetValues().signalSync, 1);
}

TEST_F(SysConfigTest, EveryPageIsOfferedTheFeedbackPageWithoutDevicesOffersNoTest) {
  OpenSheet();
  wxBookCtrlBase* book = m_sheet->GetBookCtrl();
  ASSERT_EQ(book->GetPageCount(), 5u);
  const char* const names[] = {"Button", "Sound", "Display", "Feedback", "Options"};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(book->GetPageText(i), names[i]);
  CMySysCfgFbk* page = m_sheet->FeedbackPage();
  EXPECT_FALSE(FindControl<wxButton>(page, CMySysCfgFbk::kIdTest)->IsEnabled());
  EXPECT_FALSE(FindControl<wxComboBox>(page, CMySysCfgFbk::kIdDevice)->IsEnabled());
}

// Drives the modal sheet of the configuration command: chooses on its pages,
// then presses the given button.
void ChooseThenPress(int button) {
  wxTheApp->CallAfter([button] {
    CMySysCfg* sheet = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
      if (auto* s = dynamic_cast<CMySysCfg*>(w)) sheet = s;
    ASSERT_NE(sheet, nullptr);
    Choose(FindControl<wxRadioButton>(sheet->ButtonPage(), CMySysCfgBtn::kIdKeyboardRadio));
    Select(FindControl<wxComboBox>(sheet->OptionsPage(), CMySysCfgOpt::kIdLanguage), 2);
    Tick(FindControl<wxCheckBox>(sheet->OptionsPage(), CMySysCfgOpt::kIdSignalSync), true);
    SendControlEvent(sheet->FindWindow(button), wxEVT_BUTTON, 0);
  });
}

TEST_F(SysConfigTest, OkMakesTheChoicesTheProgramsSettingsCancelChangesNothing) {
  ASSERT_EQ(EnumInputDevices(), kInputOk);
  g_ScreenInd = 0;
  g_VideoMode = 5;
  ChooseThenPress(wxID_CANCEL);
  EXPECT_FALSE(RunSystemConfig(nullptr));
  EXPECT_EQ(g_ButtonType, kButtonTypeMouse);
  EXPECT_EQ(g_Language, 0);
  EXPECT_EQ(g_SignalSync, 0);

  ChooseThenPress(wxID_OK);
  EXPECT_TRUE(RunSystemConfig(nullptr));
  EXPECT_EQ(g_ButtonType, kButtonTypeKeyboard);
  EXPECT_EQ(g_ButtonInd, 0);
  EXPECT_EQ(g_Language, 2);
  EXPECT_EQ(g_SignalSync, 1);
  EXPECT_EQ(g_VideoMode, 5);  // carried through unchanged
  Pump(20);
}

}  // namespace
}  // namespace test

}  // namespace qel

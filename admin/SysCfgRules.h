// The rules of the "System Config" sheet that need no window: the eight
// values the sheet edits, the response-device page's choice of device and
// the enabling of its controls, the texts its device tests show, the
// display page's mode tables and test picture, and the end of the sound test.
//
// Threads: the user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/input/InputTypes.h"
#include "include/qel/TaskHostInterface.h"  // QelButtonType

namespace qel {

// ---- The values the sheet edits ----------------------------------------------------

struct CSysCfgValues {
  int buttonType = 1;  // a QelButtonType (0 keyboard, 1 mouse, 2 game pad, 3 joystick)
  int buttonInd = 0;
  int soundInd = 0;
  int screenInd = 0;
  int videoMode = 0;
  int feedbackDevice = 0;
  int signalSync = 0;
  int language = 0;
};

// The program-wide settings (app/settings) as the sheet starts with them.
CSysCfgValues ReadSystemConfig();
// Makes the values the program-wide settings (the sheet's OK).
void WriteSystemConfig(const CSysCfgValues& values);

// ---- Response-device page ----------------------------------------------------------

constexpr int kDeviceTypeCount = 4;  // keyboard, mouse, game pad, joystick

// What the Button page enables. Per type: its radio, its device combo and
// its device "Test" button.
struct CButtonPageEnables {
  std::array<bool, kDeviceTypeCount> radio{};
  std::array<bool, kDeviceTypeCount> combo{};
  std::array<bool, kDeviceTypeCount> test{};
  bool responseTest = false;  // the response-device "Test" / "Stop"
  bool tabs = false;          // the sheet's tabs (a running test locks the other pages)
};

// The device choice of the Button page: one remembered index per type, the
// current type and index, and which test runs.
class CButtonPageState {
 public:
  // counts: the listed devices of each type (keyboards, mice, game pads,
  // joysticks). type and index: the ButtonType and ButtonInd settings.
  CButtonPageState(const std::array<int, kDeviceTypeCount>& counts, int type, int index);

  int Type() const { return m_type; }
  int Index() const { return m_index; }
  int SelectedIndex(int type) const;
  int DeviceCount(int type) const;
  bool DeviceTestRunning() const { return m_deviceTest; }
  bool ResponseTestRunning() const { return m_responseTest; }
  bool ControlsEnabled() const { return !m_deviceTest && !m_responseTest; }

  // A radio click: the type, with the index remembered for it.
  void ChooseType(int type);
  // A combo choice of a type: a listed index becomes that type's index and
  // the device index. False (nothing changed) for an index not listed.
  bool ChooseDevice(int type, int index);

  // The test states; each returns false when another test runs.
  bool StartDeviceTest();
  void StopDeviceTest();
  bool StartResponseTest();
  void StopResponseTest();

  CButtonPageEnables Enables() const;

 private:
  static bool ValidType(int type) { return type >= 0 && type < kDeviceTypeCount; }

  std::array<int, kDeviceTypeCount> m_counts{};
  std::array<int, kDeviceTypeCount> m_selected{};
  int m_type = 0;
  int m_index = 0;
  bool m_deviceTest = false;
  bool m_responseTest = false;
};

// The data texts of the device test: the keys down as "0x%02x " each in
// key order; the mouse as "(X=% 3.3d, Y=% 3.3d, Z=% 3.3d) B0=%c B1=%c B2=%c
// B3=%c"; a game pad or joystick's first eight buttons down as "%02d "; the
// response mask as "0x%02x ".
std::string FormatKeyboardData(const uint8_t* state, size_t size);
std::string FormatMouseData(const MouseState& state);
std::string FormatPadData(const JoystickState& state);
std::string FormatResponseMask(uint32_t mask);

// ---- Sound page --------------------------------------------------------------------

constexpr int64_t kSoundTestMs = 5000;
// The sound test ends at its end time or once the sound stopped playing.
inline bool SoundTestOver(int64_t nowMs, int64_t endMs, bool playing) { return nowMs >= endMs || !playing; }

// ---- Options page ------------------------------------------------------------------

constexpr int kLanguageCount = 4;
// The help book of a language: "Qel" + its help code + ".htb" ("Qel.htb" for
// the default and any other value).
std::string HelpFileNameFor(int language);

// ---- Display page ------------------------------------------------------------------

struct CVideoModeEntry {
  int width = 0;
  int height = 0;
  int bits = 0;
};

// Resolutions "640x480", "800x600", "1024x768".
constexpr int kResolutionCount = 3;
CVideoModeEntry ResolutionAt(int entry);
std::string ResolutionText(int entry);
// The entry of a stored width (640 -> 0, 800 -> 1, 1024 -> 2, others 0).
int ResolutionEntryOfWidth(int width);

// Pixel bits "1", "8", "16", "24", "32".
constexpr int kPixelBitsCount = 5;
int PixelBitsAt(int entry);
int PixelBitsEntryOf(int bits);  // others 0

// Video modes: entry 0 "Windows Mode" (all 0), then 18 modes "%dx%dx%d".
constexpr int kVideoModeCount = 19;
CVideoModeEntry VideoModeAt(int entry);
std::string VideoModeText(int entry);
// The entry whose width and bits are the stored ones; 0 when none.
int VideoModeEntryOf(int width, int bits);

constexpr int64_t kDisplayTestMs = 2000;
constexpr int kDisplayTestInnerSide = 50;

struct CTestSquares {
  int outerLeft = 0, outerTop = 0, outerSide = 0;  // white, side = height / 6
  int innerLeft = 0, innerTop = 0, innerSide = 0;  // black, 50 x 50
};
// The display test's picture on a screen of that size: both squares centred.
CTestSquares DisplayTestSquares(int width, int height);

}  // namespace qel

#include "admin/SysCfgRules.h"

#include <cstdio>

#include "app/settings/SystemSettings.h"
#include "app/text/Languages.h"

namespace qel {

CSysCfgValues ReadSystemConfig() {
  CSysCfgValues v;
  v.buttonType = g_ButtonType;
  v.buttonInd = g_ButtonInd;
  v.soundInd = g_SoundInd;
  v.screenInd = g_ScreenInd;
  v.videoMode = g_VideoMode;
  v.feedbackDevice = g_FeedbackDevice;
  v.signalSync = g_SignalSync;
  v.language = g_Language;
  return v;
}

void WriteSystemConfig(const CSysCfgValues& v) {
  g_ButtonType = v.buttonType;
  g_ButtonInd = v.buttonInd;
  g_SoundInd = v.soundInd;
  g_ScreenInd = v.screenInd;
  g_VideoMode = v.videoMode;
  g_FeedbackDevice = v.feedbackDevice;
  g_SignalSync = v.signalSync;
  g_Language = v.language;
}

// ---- Response-device page ----------------------------------------------------------

CButtonPageState::CButtonPageState(const std::array<int, kDeviceTypeCount>& counts, int type, int index)
    : m_counts(counts), m_type(ValidType(type) ? type : 0), m_index(index) {
  m_selected[static_cast<size_t>(m_type)] = index;
}

int CButtonPageState::SelectedIndex(int type) const {
  return ValidType(type) ? m_selected[static_cast<size_t>(type)] : 0;
}

int CButtonPageState::DeviceCount(int type) const { return ValidType(type) ? m_counts[static_cast<size_t>(type)] : 0; }

void CButtonPageState::ChooseType(int type) {
  if (!ValidType(type) || !ControlsEnabled()) return;
  m_selected[static_cast<size_t>(m_type)] = m_index;
  m_type = type;
  m_index = m_selected[static_cast<size_t>(type)];
}

bool CButtonPageState::ChooseDevice(int type, int index) {
  if (!ValidType(type) || index < 0 || index >= DeviceCount(type)) return false;
  m_selected[static_cast<size_t>(type)] = index;
  if (type == m_type) m_index = index;
  return true;
}

bool CButtonPageState::StartDeviceTest() {
  if (!ControlsEnabled()) return false;
  m_deviceTest = true;
  return true;
}

void CButtonPageState::StopDeviceTest() { m_deviceTest = false; }

bool CButtonPageState::StartResponseTest() {
  if (!ControlsEnabled()) return false;
  m_responseTest = true;
  return true;
}

void CButtonPageState::StopResponseTest() { m_responseTest = false; }

CButtonPageEnables CButtonPageState::Enables() const {
  CButtonPageEnables e;
  const bool controls = ControlsEnabled();
  e.responseTest = controls || m_responseTest;
  e.tabs = controls;
  for (int t = 0; t < kDeviceTypeCount; ++t) {
    const auto i = static_cast<size_t>(t);
    const bool listed = m_counts[i] > 0;
    e.radio[i] = controls && listed;
    const bool current = t == m_type && listed;
    e.test[i] = current && !m_responseTest;
    e.combo[i] = current && controls;
  }
  return e;
}

std::string FormatKeyboardData(const uint8_t* state, size_t size) {
  std::string text;
  char piece[8];
  for (size_t k = 0; k < size; ++k) {
    if ((state[k] & kDown) == 0) continue;
    std::snprintf(piece, sizeof piece, "0x%02x ", static_cast<unsigned>(k));
    text += piece;
  }
  return text;
}

std::string FormatMouseData(const MouseState& s) {
  auto button = [&](int b) { return (s.rgbButtons[b] & kDown) ? '1' : '0'; };
  char text[128];
  std::snprintf(text, sizeof text, "(X=% 3.3d, Y=% 3.3d, Z=% 3.3d) B0=%c B1=%c B2=%c B3=%c", s.lX, s.lY, s.lZ, button(0),
                button(1), button(2), button(3));
  return text;
}

std::string FormatPadData(const JoystickState& s) {
  constexpr int kShownButtons = 8;
  std::string text;
  char piece[8];
  for (int b = 0; b < kShownButtons; ++b) {
    if ((s.rgbButtons[b] & kDown) == 0) continue;
    std::snprintf(piece, sizeof piece, "%02d ", b);
    text += piece;
  }
  return text;
}

std::string FormatResponseMask(uint32_t mask) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02x ", mask);
  return text;
}

// ---- Options page ------------------------------------------------------------------

std::string HelpFileNameFor(int language) {
  const char* code = GetLanguageHelpCode(language);
  return std::string("Qel") + (code ? code : "") + ".htb";
}

// ---- Display page ------------------------------------------------------------------

namespace {

constexpr CVideoModeEntry kResolutions[kResolutionCount] = {{640, 480, 0}, {800, 600, 0}, {1024, 768, 0}};
constexpr int kPixelBits[kPixelBitsCount] = {1, 8, 16, 24, 32};
constexpr CVideoModeEntry kModeSizes[] = {{640, 480, 0},   {800, 600, 0},   {1024, 768, 0},
                                          {1280, 960, 0},  {1280, 1024, 0}, {1600, 1200, 0}};
constexpr int kModeBits[] = {8, 16, 32};
constexpr int kModeBitsCount = 3;
static_assert(1 + static_cast<int>(std::size(kModeSizes)) * kModeBitsCount == kVideoModeCount);

}  // namespace

CVideoModeEntry ResolutionAt(int entry) {
  return entry >= 0 && entry < kResolutionCount ? kResolutions[entry] : CVideoModeEntry{};
}

std::string ResolutionText(int entry) {
  const CVideoModeEntry r = ResolutionAt(entry);
  return std::to_string(r.width) + "x" + std::to_string(r.height);
}

int ResolutionEntryOfWidth(int width) {
  for (int i = 0; i < kResolutionCount; ++i)
    if (kResolutions[i].width == width) return i;
  return 0;
}

int PixelBitsAt(int entry) { return entry >= 0 && entry < kPixelBitsCount ? kPixelBits[entry] : 0; }

int PixelBitsEntryOf(int bits) {
  for (int i = 0; i < kPixelBitsCount; ++i)
    if (kPixelBits[i] == bits) return i;
  return 0;
}

CVideoModeEntry VideoModeAt(int entry) {
  if (entry < 1 || entry >= kVideoModeCount) return {};
  const int i = entry - 1;
  CVideoModeEntry m = kModeSizes[i / kModeBitsCount];
  m.bits = kModeBits[i % kModeBitsCount];
  return m;
}

std::string VideoModeText(int entry) {
  if (entry == 0) return "Windows Mode";
  const CVideoModeEntry m = VideoModeAt(entry);
  char text[32];
  std::snprintf(text, sizeof text, "%dx%dx%d", m.width, m.height, m.bits);
  return text;
}

int VideoModeEntryOf(int width, int bits) {
  for (int e = 1; e < kVideoModeCount; ++e) {
    const CVideoModeEntry m = VideoModeAt(e);
    if (m.width == width && m.bits == bits) return e;
  }
  return 0;
}

CTestSquares DisplayTestSquares(int width, int height) {
  CTestSquares s;
  s.outerSide = height / 6;
  s.outerLeft = (width - s.outerSide) / 2;
  s.outerTop = (height - s.outerSide) / 2;
  s.innerSide = kDisplayTestInnerSide;
  s.innerLeft = (width - s.innerSide) / 2;
  s.innerTop = (height - s.innerSide) / 2;
  return s;
}

}  // namespace qel

#include "engine/host/tests/support/HostTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/ByteOrder.h"
#include "engine/input/InputDevices.h"
#include "engine/input/X11KeyMap.h"
#include "engine/sound/SoundService.h"
#include "tests/support/x11/XScreenShot.h"

namespace qel {

namespace test {

// ---- X screen and keys ---------------------------------------------------------

ScanCodeInput::ScanCodeInput() {
  XTestInput::SetSyncHook([] { SyncInputEvents(); });
}

void ScanCodeInput::ScanKey(int scanCode, bool down) {
  const unsigned keycode = X11FromKeyCode(static_cast<uint8_t>(scanCode));
  ASSERT_NE(keycode, 0u) << "no X key for scan code " << scanCode;
  Key(keycode, down);
}

uint32_t ScreenPixel(int x, int y) {
  const XScreenShot shot(x, y, 1, 1);
  return shot.IsOk() ? RgbToColorRef(shot.At(0, 0)) : 0xFFFFFFFFu;
}

// ---- DiskAudio ------------------------------------------------------------------

DiskAudio::DiskAudio() {
  if (m_folder.Path().empty()) return;
  m_file = m_folder.File("out.raw");
  setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
  m_opened = InitSoundOutput(-1) == kSoundOk;
}

DiskAudio::~DiskAudio() { FreeSoundOutput(); }

std::vector<int16_t> DiskAudio::Recorded(int channel) {
  FreeSoundOutput();
  std::ifstream in(m_file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> out;
  for (size_t i = static_cast<size_t>(channel) * 2; i + 1 < bytes.size(); i += 4) {
    out.push_back(ReadLEInt16(bytes.data() + i));
  }
  return out;
}

std::vector<Burst> FindBursts(const std::vector<int16_t>& s, int floor, size_t gap) {
  std::vector<Burst> bursts;
  for (size_t i = 0; i < s.size(); ++i) {
    if (std::abs(static_cast<int>(s[i])) <= floor) continue;
    if (!bursts.empty() && i - bursts.back().end < gap) {
      bursts.back().end = i + 1;
    } else {
      bursts.push_back({i, i + 1});
    }
  }
  return bursts;
}

double BurstFrequency(const std::vector<int16_t>& s, const Burst& b, double rate) {
  double t0 = -1;
  double t1 = -1;
  int crossings = 0;
  for (size_t i = b.first + 1; i < b.end && i < s.size(); ++i) {
    if (s[i - 1] < 0 && s[i] >= 0) {
      const double t = static_cast<double>(i - 1) + static_cast<double>(-s[i - 1]) / (s[i] - s[i - 1]);
      if (t0 < 0) t0 = t;
      t1 = t;
      ++crossings;
    }
  }
  return crossings < 2 ? 0 : (crossings - 1) * rate / (t1 - t0);
}

}  // namespace test

}  // namespace qel

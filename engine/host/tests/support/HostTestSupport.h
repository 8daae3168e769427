// What the host's window tests share besides the wx main, event pump and X
// helpers of tests/support: keys by scan code, one pixel of the screen, a
// disk-audio output per test and its analysis.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

namespace test {

// The shared X test input, with keys also by scan code (the keyboard
// state's numbering).
class ScanCodeInput : public XTestInput {
 public:
  // Sync also waits for the input layer's event reader.
  ScanCodeInput();
  // A scan code with no X key fails the test.
  void ScanKey(int scanCode, bool down);
};

// The sound output on SDL's disk driver, into a file of a temporary folder
// (raw 16-bit stereo at the device's 22050 Hz).
class DiskAudio {
 public:
  static constexpr double kRate = 22050;
  DiskAudio();   // opens the output
  ~DiskAudio();  // closes it and removes the folder
  bool Opened() const { return m_opened; }
  // Closes the output (the file is then complete) and returns one channel.
  std::vector<int16_t> Recorded(int channel);

 private:
  TempFolder m_folder;
  std::string m_file;
  bool m_opened = false;
};

// One pixel of the X screen as a COLORREF (0x00BBGGRR); 0xFFFFFFFF when
// the screen cannot be read.
uint32_t ScreenPixel(int x, int y);

// Runs of samples louder than `floor`, merged across quiet gaps shorter than
// `gap` samples (a sine passes through zero within each period).
struct Burst {
  size_t first = 0;
  size_t end = 0;
  size_t Length() const { return end - first; }
};
std::vector<Burst> FindBursts(const std::vector<int16_t>& s, int floor = 300, size_t gap = 200);
// Frequency from rising zero crossings within a burst (0 with fewer than 2).
double BurstFrequency(const std::vector<int16_t>& s, const Burst& b, double rate);

}  // namespace test

}  // namespace qel

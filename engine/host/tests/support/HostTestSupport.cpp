#include "support/HostTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "engine/input/X11KeyMap.h"
#include "engine/sound/SoundService.h"

// Last: the X headers define macros (None, Bool) that clash with the others.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace qel::test {

// ---- XTestInput -----------------------------------------------------------------

XTestInput::XTestInput() : display_(XOpenDisplay(nullptr)) {}

XTestInput::~XTestInput() {
  if (!display_) return;
  for (int key : std::set<int>(keys_)) Key(key, false);
  for (unsigned button : std::set<unsigned>(buttons_)) Button(button, false);
  Sync();
  XCloseDisplay(display_);
}

void XTestInput::Key(int scanCode, bool down) {
  const unsigned keycode = X11FromKeyCode(static_cast<uint8_t>(scanCode));
  ASSERT_NE(keycode, 0u) << "no X key for scan code " << scanCode;
  XTestFakeKeyEvent(display_, keycode, down ? True : False, CurrentTime);
  if (down) {
    keys_.insert(scanCode);
  } else {
    keys_.erase(scanCode);
  }
}

void XTestInput::Button(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  if (down) {
    buttons_.insert(button);
  } else {
    buttons_.erase(button);
  }
}

void XTestInput::Move(int dx, int dy) { XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime); }

void XTestInput::Sync() { XSync(display_, False); }

uint32_t ScreenPixel(int x, int y) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 0xFFFFFFFFu;
  uint32_t colour = 0xFFFFFFFFu;
  if (XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap)) {
    const unsigned long p = XGetPixel(image, 0, 0);
    colour = static_cast<uint32_t>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    XDestroyImage(image);
  }
  XCloseDisplay(d);
  return colour;
}

// ---- PromptLog ------------------------------------------------------------------

PromptLog::PromptLog() {
  previousHandler_ = SetPromptHandler([this](const std::string& text, const std::string&, unsigned style) {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back({text, style});
    return static_cast<int>(kAnswerOk);
  });
  previousPoster_ = SetPromptPoster([this](const std::string& text, const std::string&, unsigned style) {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back({text, style});
  });
}

PromptLog::~PromptLog() {
  SetPromptHandler(previousHandler_);
  SetPromptPoster(previousPoster_);
}

std::vector<PromptLog::Entry> PromptLog::Shown() {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

std::vector<PromptLog::Entry> PromptLog::Posted() {
  std::lock_guard<std::mutex> lock(mutex_);
  return posted_;
}

// ---- DiskAudio ------------------------------------------------------------------

DiskAudio::DiskAudio() {
  char pattern[] = "/tmp/qel_host_audio_XXXXXX";
  if (!mkdtemp(pattern)) return;
  folder_ = pattern;
  file_ = folder_ + "/out.raw";
  setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
  opened_ = InitSoundOutput(-1) == kSoundOk;
}

DiskAudio::~DiskAudio() {
  FreeSoundOutput();
  std::error_code ec;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

std::vector<int16_t> DiskAudio::Recorded(int channel) {
  FreeSoundOutput();
  std::ifstream in(file_, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> out;
  for (size_t i = static_cast<size_t>(channel) * 2; i + 1 < bytes.size(); i += 4) {
    out.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
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

}  // namespace qel::test


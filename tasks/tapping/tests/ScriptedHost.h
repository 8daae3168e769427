// A task host for Tapping's runs in tests. Its run clock is virtual: it
// moves on by 1 ms with every reading (one poll of the keys costs one
// tick) and by the slept time with every sleep, so a part that polls
// without pause runs through its seconds at once and sees each scripted key
// change at its exact ms. The keys come from a script of key presses over
// that clock; drawing goes to the framework's fake display; tones are kept
// with the clock time they started at.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "FakeDisplay.h"
#include "qel/TaskHostInterface.h"

// What a scripted press holds down.
enum class KeySource {
  kLeftCtrl,     // left Ctrl/Shift
  kRightCtrl,    // right Ctrl/Shift
  kBothCtrl,     // both at once
  kLeftButton,   // response-device button 1
  kRightButton,  // response-device button 2
  kSpace,
  kEscape,
};

// Down from `from` (included) to `to` (excluded), in ms of the run clock.
struct KeyPress {
  KeySource source;
  uint32_t from;
  uint32_t to;
};

class ScriptedHost final : public ITaskHost {
 public:
  struct Tone {
    int frequency;
    uint32_t start;
  };

  explicit ScriptedHost(FakeDisplay* d) { display = d; }

  uint16_t GetFeedbackSoundId(int) override { return 0; }
  bool PermuteCodeQuarters(char*, bool, int) override { return false; }
  void SetRunFlags(uint8_t practice) override { practiceFlag = practice; }
  void* GetWndDD() override { return nullptr; }
  uint32_t GetRunTimeMs() override { return ++now; }
  void ShowDxError(const char*, int32_t) override {}
  std::string LoadText(uint32_t) override { return std::string(); }
  bool MakeTone(int frequency, int sampleRate, int channels) override;
  bool LoadSoundBuffer(const int16_t*, uint32_t, const QelWaveFormat&) override { return true; }
  bool LoadWaveResource(uint32_t, QelResModule) override { return false; }
  bool IsSoundPlaying() override { return playing_; }
  bool PlaySound(bool loop) override;
  void StopSound() override { playing_ = false; }
  void RewindSound() override {}
  uint32_t GetShiftCtrlKeys() override;
  uint32_t GetResponseKeys() override;
  int GetSpaceKey() override;
  int ReadDigitKey(char* out) override {
    *out = 0;
    return 0;
  }
  int WaitSpaceChange() override { return 0; }
  void GetMouseDelta(int* dx, int* dy) override { *dx = *dy = 0; }
  int GetButtonType() override { return 2; }
  uint32_t ReadButtons() override;
  int DisplayEnum() override { return 1; }
  std::string GetDisplayName(int) override { return "test display"; }
  bool CreateFullScreen(int, uint32_t) override { return false; }
  void FreeDisplay() override {}
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}
  CDC* SurfaceGetDC(int surface) override { return display ? display->SurfaceGetDC(surface) : nullptr; }
  bool SurfaceReleaseDC(int surface, CDC* dc) override {
    return display ? display->SurfaceReleaseDC(surface, dc) : false;
  }
  bool SurfaceClear(int surface, COLORREF colour) override {
    return display ? display->SurfaceClear(surface, colour) : false;
  }
  bool Present(bool show) override { return display ? display->Present(show) : false; }
  void FillRect(CDC*, int, int, int, int, COLORREF) override {}
  void DrawFramedSquare(CDC*, int, int, int, COLORREF, COLORREF) override {}
  void FillSquare(CDC*, int, int, int, COLORREF) override {}
  void FillSquareCentred(CDC*, int, COLORREF) override {}
  void DrawCross(CDC*, int, int, int, COLORREF, int) override {}
  void DrawCrossCentred(CDC*, int, COLORREF, int) override {}
  void DrawLine(CDC*, int, int, int, int, COLORREF, int) override {}
  void DrawArc(CDC*, int, int, int, int, COLORREF, int) override {}
  void FillEllipse(CDC*, int, int, int, int, COLORREF) override {}
  void SleepMs(uint32_t ms) override { now += ms; }

  // A new script from clock 0.
  void Reset(std::vector<KeyPress> presses);

  uint32_t now = 0;
  std::vector<KeyPress> script;
  // Keys down by rule (for long patterns), besides the script.
  std::function<bool(KeySource, uint32_t)> pattern;
  std::vector<Tone> tones;
  uint64_t keyReads = 0;

 private:
  bool Down(KeySource source) const;
  int pendingTone_ = 0;
  bool playing_ = false;
};

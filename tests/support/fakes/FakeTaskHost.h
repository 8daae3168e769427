// A task host for tests: it records the calls of interest, runs a virtual
// clock that SleepMs advances (and, with readStepMs, every reading), answers
// keys from fields and a script of the clock, draws the host's shapes into
// the fake display's memory contexts and permutes trial codes with the
// shared pure functions. Without a display every surface call fails; tests
// that only need the host's fields use it as it is, tests that watch or
// script one service derive from it and override that one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fakes/FakeDisplay.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

class FakeTaskHost : public ITaskHost {
 public:
  struct Tone {
    int frequency;
    uint32_t start;  // clock when played
    uint32_t stop;   // clock when stopped
  };

  explicit FakeTaskHost(FakeDisplay* d = nullptr) { display = d; }

  uint16_t GetFeedbackSoundId(int index) override;
  bool PermuteCodeQuarters(char* code, bool flag, int offset) override;
  void SetRunFlags(uint8_t practice) override { practiceFlag = practice; }
  void* GetWndDD() override { return nullptr; }
  uint32_t GetRunTimeMs() override {
    now += readStepMs;
    return now;
  }
  void ShowDxError(const char* text, int32_t) override { Log(std::string("ShowDxError ") + text); }
  std::string LoadText(uint32_t id) override { return "host text " + std::to_string(id); }
  bool MakeTone(int frequency, int sampleRate, int channels) override;
  bool LoadSoundBuffer(const int16_t*, uint32_t, const QelWaveFormat&) override { return true; }
  bool LoadWaveResource(uint32_t id, QelResModule module) override;
  bool IsSoundPlaying() override { return playing; }
  bool PlaySound(bool loop) override;
  void StopSound() override;
  void RewindSound() override { Log("RewindSound"); }
  uint32_t GetShiftCtrlKeys() override { return responseKeys & 3; }
  uint32_t GetResponseKeys() override { return responseKeys; }
  int GetSpaceKey() override { return spaceKey ? spaceKey(now) : 0; }
  int ReadDigitKey(char* out) override {
    *out = 0;
    return 0;
  }
  int WaitSpaceChange() override { return spaceChange; }
  void GetMouseDelta(int* dx, int* dy) override {
    *dx = mouseDx;
    *dy = mouseDy;
  }
  int GetButtonType() override { return buttonType; }
  uint32_t ReadButtons() override { return buttons; }
  int DisplayEnum() override { return 1; }
  std::string GetDisplayName(int) override { return "test display"; }
  bool CreateFullScreen(int, uint32_t) override { return false; }
  void FreeDisplay() override {}
  void SetRestoreDisplay(QelRestoreCallback callback, void* context) override;
  CDC* SurfaceGetDC(int surface) override;
  bool SurfaceReleaseDC(int surface, CDC* dc) override;
  bool SurfaceClear(int surface, COLORREF colour) override;
  bool Present(bool show) override;
  void FillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) override;
  void DrawFramedSquare(CDC*, int, int, int, COLORREF, COLORREF) override { Log("DrawFramedSquare"); }
  void FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) override;
  void FillSquareCentred(CDC* dc, int r, COLORREF colour) override;
  void DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) override;
  void DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) override;
  void DrawLine(CDC*, int, int, int, int, COLORREF, int) override { Log("DrawLine"); }
  void DrawArc(CDC*, int, int, int, int, COLORREF, int) override { Log("DrawArc"); }
  void FillEllipse(CDC*, int, int, int, int, COLORREF) override { Log("FillEllipse"); }
  void SleepMs(uint32_t ms) override;

  const std::vector<std::string>& Calls() const { return calls_; }
  bool Called(const std::string& call) const;
  int CountCalls(const std::string& prefix) const;
  void ClearCalls() { calls_.clear(); }

  uint32_t now = 0;                        // the virtual run clock
  uint32_t readStepMs = 0;                 // added by every GetRunTimeMs (before it reads)
  std::function<int(uint32_t)> spaceKey;   // GetSpaceKey by clock
  uint32_t responseKeys = 0;
  uint32_t buttons = 0;
  int spaceChange = 0;
  int buttonType = 1;
  int mouseDx = 0;
  int mouseDy = 0;
  bool playing = false;
  bool waveLoads = true;  // LoadWaveResource's answer
  std::vector<Tone> tones;
  std::vector<uint32_t> sleeps;
  QelRestoreCallback restoreCallback = nullptr;
  void* restoreContext = nullptr;

 protected:
  void Log(const std::string& call) { calls_.push_back(call); }

 private:
  int pendingTone_ = 0;
  std::vector<std::string> calls_;
};

}  // namespace qel

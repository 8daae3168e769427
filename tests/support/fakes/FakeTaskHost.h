// A task host for tests: it records the calls of interest, runs a virtual
// clock that SleepMs advances (and, with readStepMs, every reading), answers
// keys from fields and a script of the clock (and, when set, digit keys,
// mouse motion and buttons by clock from scripts of an operator), draws the
// host's shapes into the display's contexts and permutes trial codes with the
// shared pure functions. Without a display every surface call fails; tests
// that only need the host's fields use it as it is, tests that watch or
// script one service derive from it and override that one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "include/qel/TaskHostInterface.h"
#include "tests/support/fakes/FakeDisplay.h"

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
    m_now += m_readStepMs;
    return m_now;
  }
  void ShowDxError(const char* text, int32_t) override { Log(std::string("ShowDxError ") + text); }
  std::string LoadText(uint32_t id) override { return "host text " + std::to_string(id); }
  bool MakeTone(int frequency, int sampleRate, int channels) override;
  bool LoadSoundBuffer(const int16_t*, uint32_t, const QelWaveFormat&) override { return true; }
  bool LoadWaveResource(uint32_t id, QelResModule module) override;
  bool IsSoundPlaying() override { return m_playing; }
  bool PlaySound(bool loop) override;
  void StopSound() override;
  void RewindSound() override { Log("RewindSound"); }
  uint32_t GetShiftCtrlKeys() override { return m_responseKeys & 3; }
  uint32_t GetResponseKeys() override { return m_responseKeys; }
  int GetSpaceKey() override { return m_spaceKey ? m_spaceKey(m_now) : 0; }
  int ReadDigitKey(char* out) override {
    *out = 0;
    return m_digitKeys ? m_digitKeys(out) : 0;
  }
  int WaitSpaceChange() override { return m_spaceChange; }
  void GetMouseDelta(int* dx, int* dy) override {
    *dx = m_mouseDx;
    *dy = m_mouseDy;
    if (m_mouseScript) m_mouseScript(dx, dy);
  }
  int GetButtonType() override { return m_buttonType; }
  uint32_t ReadButtons() override { return m_buttonsAt ? m_buttonsAt(m_now) : m_buttons; }
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
  void DrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush) override;
  void FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) override;
  void FillSquareCentred(CDC* dc, int r, COLORREF colour) override;
  void DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) override;
  void DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) override;
  // Logged with their coordinates ("FillEllipse left top right bottom
  // colour") and drawn with the context's pen, brush and figure.
  void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) override;
  void DrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) override;
  void FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) override;
  void SleepMs(uint32_t ms) override;
  // Without a script no key events of its own: its keys are read as they
  // are now.
  bool NextInputEvent(uint32_t* runMs) override { return m_nextInputEvent ? m_nextInputEvent(runMs) : false; }

  const std::vector<std::string>& Calls() const { return m_calls; }
  bool Called(const std::string& call) const;
  int CountCalls(const std::string& prefix) const;
  void ClearCalls() { m_calls.clear(); }

  uint32_t m_now = 0;                       // the virtual run clock
  uint32_t m_readStepMs = 0;                // added by every GetRunTimeMs (before it reads)
  std::function<int(uint32_t)> m_spaceKey;  // GetSpaceKey by clock
  uint32_t m_responseKeys = 0;
  uint32_t m_buttons = 0;
  std::function<uint32_t(uint32_t)> m_buttonsAt;  // ReadButtons by clock, when set
  int m_spaceChange = 0;
  int m_buttonType = kButtonTypeMouse;
  int m_mouseDx = 0;
  int m_mouseDy = 0;
  bool m_playing = false;
  bool m_waveLoads = true;   // LoadWaveResource's answer
  bool m_toneFails = false;  // MakeTone fails whatever the tone
  std::vector<Tone> m_tones;
  std::vector<uint32_t> m_sleeps;
  QelRestoreCallback m_restoreCallback = nullptr;
  void* m_restoreContext = nullptr;
  // An operator's scripts: the digit-key reader's answer (its character in
  // *out), the mouse motion of each reading; and what every SleepMs also
  // does (after the clock has moved).
  std::function<int(char* out)> m_digitKeys;
  std::function<void(int* dx, int* dy)> m_mouseScript;
  std::function<void(uint32_t ms)> m_onSleep;
  // The operator's presses and releases taken one at a time (NextInputEvent).
  std::function<bool(uint32_t* runMs)> m_nextInputEvent;

 protected:
  void Log(const std::string& call) { m_calls.push_back(call); }

 private:
  int m_pendingTone = 0;
  std::vector<std::string> m_calls;
};

}  // namespace qel

// A task host for tests: only its members are read; every service answers
// "nothing". Tests that watch a service derive from it and override that one.
#pragma once

#include "qel/TaskHostInterface.h"

class FakeTaskHost : public ITaskHost {
 public:
  ~FakeTaskHost() = default;
  uint16_t GetFeedbackSoundId(int) override { return 0; }
  bool PermuteCodeQuarters(char*, bool, int) override { return false; }
  void SetRunFlags(uint8_t) override {}
  void* GetWndDD() override { return nullptr; }
  uint32_t GetRunTimeMs() override { return 0; }
  void ShowDxError(const char*, int32_t) override {}
  std::string LoadText(uint32_t) override { return std::string(); }
  bool MakeTone(int, int, int) override { return false; }
  bool LoadSoundBuffer(const int16_t*, uint32_t, const QelWaveFormat&) override { return false; }
  bool LoadWaveResource(uint32_t, QelResModule) override { return false; }
  bool IsSoundPlaying() override { return false; }
  bool PlaySound(bool) override { return false; }
  void StopSound() override {}
  void RewindSound() override {}
  uint32_t GetShiftCtrlKeys() override { return 0; }
  uint32_t GetResponseKeys() override { return 0; }
  int GetSpaceKey() override { return 0; }
  int ReadDigitKey(char* out) override {
    if (out) *out = 0;
    return 0;
  }
  int WaitSpaceChange() override { return 0; }
  void GetMouseDelta(int* dx, int* dy) override {
    if (dx) *dx = 0;
    if (dy) *dy = 0;
  }
  int GetButtonType() override { return 0; }
  uint32_t ReadButtons() override { return 0; }
  int DisplayEnum() override { return 0; }
  std::string GetDisplayName(int) override { return std::string(); }
  bool CreateFullScreen(int, uint32_t) override { return false; }
  void FreeDisplay() override {}
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}
  CDC* SurfaceGetDC(int) override { return nullptr; }
  bool SurfaceReleaseDC(int, CDC*) override { return false; }
  bool SurfaceClear(int, COLORREF) override { return false; }
  bool Present(bool) override { return false; }
  void FillRect(CDC*, int, int, int, int, COLORREF) override {}
  void DrawFramedSquare(CDC*, int, int, int, COLORREF, COLORREF) override {}
  void FillSquare(CDC*, int, int, int, COLORREF) override {}
  void FillSquareCentred(CDC*, int, COLORREF) override {}
  void DrawCross(CDC*, int, int, int, COLORREF, int) override {}
  void DrawCrossCentred(CDC*, int, COLORREF, int) override {}
  void DrawLine(CDC*, int, int, int, int, COLORREF, int) override {}
  void DrawArc(CDC*, int, int, int, int, COLORREF, int) override {}
  void FillEllipse(CDC*, int, int, int, int, COLORREF) override {}
  void SleepMs(uint32_t) override {}
};

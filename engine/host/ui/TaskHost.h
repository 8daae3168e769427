// The task host services: the one object through which a task plug-in
// reaches the machine. Plug-ins read its ITaskHost members and call its 42
// virtual slots; the run engine uses the non-virtual members below.
//
// It embeds the run's display, the response device and the tone generator.
// Keys, the mouse and the response buttons come from the input device
// layer, sounds from the sound output layer; both are opened and released
// by the run dialog around a run (the host only opens and closes the
// response device for it). The run time and every wait of a plug-in go
// through one run clock, which the run dialog hands over (its timer) and
// tests replace by a virtual one.
//
// Threads: the key, mouse and button slots are called from the run's timer
// thread and plug-in worker threads, drawing and sound slots from the
// user-interface thread and plug-in threads. Nothing is locked here: each
// call is a short device read or a forward to a layer that guards itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "display/ui/DDDisplay.h"
#include "engine/host/MonotonicRunClock.h"
#include "engine/host/RunClock.h"
#include "engine/host/Tone.h"
#include "engine/input/InputTypes.h"
#include "engine/input/ResponseDevice.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

class CTaskHost final : public ITaskHost {
 public:
  // Feedback sounds: WAVE resources of the main program by feedback index.
  static constexpr uint16_t kFeedbackSoundIds[5] = {181, 182, 183, 179, 180};

  // The constructing thread is taken as the user-interface thread.
  CTaskHost();
  ~CTaskHost();
  CTaskHost(const CTaskHost&) = delete;
  CTaskHost& operator=(const CTaskHost&) = delete;

  // ---- set-up by the program and the run dialog ----
  // The main program's resource table: TEXT and feedback WAVE resources,
  // and the display's dialog resources. Null: this module's own table.
  void SetProgramResources(QelResModule module) { m_programResources = module; }
  QelResModule GetProgramResources() const;
  // The run clock (not owned; it must outlive its use). Null: the host's
  // own monotonic clock, which starts at construction.
  void SetRunClock(qel::IRunClock* clock) { m_pClock.store(clock ? clock : &m_ownClock); }
  qel::IRunClock* GetRunClock() const { return m_pClock.load(); }
  // While set, the key services answer as if Escape were held, which tasks
  // take as "abort": GetSpaceKey answers 1, so the framework's key waits and
  // a plug-in's own key loops end; WaitSpaceChange and ReadDigitKey answer 1
  // without waiting. Setting it also answers the display's break word with
  // Stop, so a plug-in waiting in (or about to open) its own break dialog
  // ends its part instead of waiting for an answer nobody gives. The run
  // dialog sets it before it joins a plug-in's worker thread and clears it
  // (and the break word) before the next run.
  void SetWaitsInterrupted(bool interrupted) {
    m_bWaitsInterrupted.store(interrupted);
    if (interrupted) m_display.BreakSetState(kBreakStop);
  }
  bool WaitsInterrupted() const { return m_bWaitsInterrupted.load(); }

  CDDDisplay& Display() { return m_display; }
  // Until the CLOCK_MONOTONIC moment (0: none), the display's presents and
  // the sound starts wait for it (see CDDDisplay::HoldPresentsUntil).
  void HoldOutputsUntil(int64_t monotonicNs);
  qel::CResponseDevice& ResponseDevice() { return m_responseDevice; }
  CTone& Tone() { return m_tone; }

  // ---- virtual slots (binding order in ITaskHost) ----
  uint16_t GetFeedbackSoundId(int index) override;                                                       // 0
  bool PermuteCodeQuarters(char* code, bool flag, int offset) override;                                  // 1
  void SetRunFlags(uint8_t practice) override;                                                           // 2
  void* GetWndDD() override;                                                                             // 3
  uint32_t GetRunTimeMs() override;                                                                      // 4
  void ShowDxError(const char* text, int32_t error) override;                                            // 5
  std::string LoadText(uint32_t id) override;                                                            // 6
  bool MakeTone(int frequency, int sampleRate, int channels) override;                                   // 7
  bool LoadSoundBuffer(const int16_t* samples, uint32_t frames, const QelWaveFormat& format) override;   // 8
  bool LoadWaveResource(uint32_t id, QelResModule module) override;                                      // 9
  bool IsSoundPlaying() override;                                                                        // 10
  bool PlaySound(bool loop) override;                                                                    // 11
  void StopSound() override;                                                                             // 12
  void RewindSound() override;                                                                           // 13
  uint32_t GetShiftCtrlKeys() override;                                                                  // 14
  uint32_t GetResponseKeys() override;                                                                   // 15
  int GetSpaceKey() override;                                                                            // 16
  int ReadDigitKey(char* out) override;                                                                  // 17
  int WaitSpaceChange() override;                                                                        // 18
  void GetMouseDelta(int* dx, int* dy) override;                                                         // 19
  int GetButtonType() override;                                                                          // 20
  uint32_t ReadButtons() override;                                                                       // 21
  int DisplayEnum() override;                                                                            // 22
  std::string GetDisplayName(int index) override;                                                        // 23
  bool CreateFullScreen(int displayIndex, uint32_t flags) override;                                      // 24
  void FreeDisplay() override;                                                                           // 25
  void SetRestoreDisplay(QelRestoreCallback callback, void* context) override;                           // 26
  CDC* SurfaceGetDC(int surface) override;                                                               // 27
  bool SurfaceReleaseDC(int surface, CDC* dc) override;                                                  // 28
  bool SurfaceClear(int surface, COLORREF colour) override;                                              // 29
  bool Present(bool show) override;                                                                      // 30
  void FillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) override;                          // 31
  void DrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush) override;            // 32
  void FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) override;                               // 33
  void FillSquareCentred(CDC* dc, int r, COLORREF colour) override;                                      // 34
  void DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) override;               // 35
  void DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) override;                      // 36
  void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) override;           // 37
  void DrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) override;  // 38
  void FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) override;         // 39
  void SleepMs(uint32_t ms) override;                                                                    // 40
  bool NextInputEvent(uint32_t* runMs) override;                                                         // 41

  // ---- used by the run engine ----
  // Left/right codes 1/2, or 2/1 when swappable and hand is 1.
  void SetButtonMapping(int hand, bool swappable);
  // Exchanges the halves of a code's letters from offset on (4, 6 or 8 letters).
  bool SwapCodeHalves(char* code, int offset);
  // SwapCodeHalves or PermuteCodeQuarters on trial i with the code offset;
  // false when i is not below the trial count.
  bool SwapTrialHalves(uint32_t i);
  bool PermuteTrialQuarters(uint32_t i, bool flag);
  // Selects the response device by the ButtonType and ButtonInd settings
  // and acquires it for the window; false when either step fails.
  bool OpenResponseDevice(qel::InputWindow window);
  void CloseResponseDevice();
  int BreakGetState();
  void BreakSetState(int state);

 private:
  // One keyboard state read; all zero without a keyboard.
  void ReadKeys(uint8_t state[256]);
  bool IsUiThread() const { return std::this_thread::get_id() == m_uiThread; }

  CDDDisplay m_display;
  qel::CResponseDevice m_responseDevice;
  CTone m_tone;

  QelResModule m_programResources = nullptr;
  qel::CMonotonicRunClock m_ownClock;
  std::atomic<qel::IRunClock*> m_pClock;
  std::atomic<bool> m_bWaitsInterrupted{false};
  std::atomic<int64_t> m_soundHoldNs{0};
  std::thread::id m_uiThread;
};

}  // namespace qel

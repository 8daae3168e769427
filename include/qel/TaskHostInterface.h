// The task host services as plug-ins see them: the members they read
// directly and the 42 virtual slots in their binding order. The main
// program's CTaskHost implements it; plug-ins link none of its code.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DisplayInterface.h"
#include "include/qel/DrawContext.h"
#include "include/qel/ModelTask.h"
#include "include/qel/Resources.h"

namespace qel {

// PCM wave format (the fields of a RIFF "fmt " chunk, no extra bytes used).
struct QelWaveFormat {
  uint16_t formatTag = 1;  // 1 = PCM
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t cbSize = 0;
};

// Keys as the host reports them (scan codes of the main block; extended keys
// as 128 + code: right Ctrl 157, right Alt 184, keypad Enter 156).
enum QelScanCode : int32_t {
  kScanEscape = 1,
  kScanBackspace = 14,
  kScanEnter = 28,
  kScanLeftCtrl = 29,
  kScanLeftShift = 42,
  kScanRightShift = 54,
  kScanSpace = 57,
  kScanKeypadEnter = 156,
  kScanRightCtrl = 157,
};

// Button types: the kind of response device the workstation is set up for
// (the ButtonType setting), as GetButtonType reports it.
enum QelButtonType : int32_t {
  kButtonTypeNone = -1,  // no device selected
  kButtonTypeKeyboard = 0,
  kButtonTypeMouse = 1,
  kButtonTypeGamePad = 2,
  kButtonTypeJoystick = 3,
};

class ITaskHost {
 public:
  // Members plug-ins read and write directly.
  uint32_t reserved0 = 0;
  IDDDisplay* display = nullptr;  // the run's stimulus display (owned by the host)
  int32_t language = 0;           // Language setting: 0 default, 1 English, 2 Dutch, 3 Italian
  uint32_t responseCount = 0;     // progress of the current part
  uint32_t trialIndex = 0;        // current trial in the trial list
  uint32_t secondIndex = 0;       // current trial in the second list
  uint32_t reserved1[2] = {0, 0};
  uint8_t secondListFlag = 0;  // trials come from the second list
  uint8_t practiceFlag = 0;    // the run is a practice run
  int32_t leftCode = 1;        // response code of the left button
  int32_t rightCode = 2;       // response code of the right button
  uint8_t breakFlag = 0;       // set by a plug-in, read at the end of a run
  char trialList[kMaxTrialCodes][kTrialCodeSize] = {};
  uint32_t trialCount = 0;
  char currentCode[kTrialCodeSize] = {};
  const char (*secondList)[kTrialCodeSize] = nullptr;
  uint32_t secondCount = 0;
  uint32_t reserved2[2] = {0, 0};
  uint32_t codeOffset = 0;  // where a code's permutable letters start

  // Virtual slots, in binding order.
  virtual uint16_t GetFeedbackSoundId(int index) = 0;                       // 0
  virtual bool PermuteCodeQuarters(char* code, bool flag, int offset) = 0;  // 1
  virtual void SetRunFlags(uint8_t practice) = 0;                           // 2
  virtual void* GetWndDD() = 0;                                             // 3 (wxWindow*)
  virtual uint32_t GetRunTimeMs() = 0;                                      // 4
  virtual void ShowDxError(const char* text, int32_t error) = 0;            // 5
  virtual std::string LoadText(uint32_t id) = 0;                            // 6
  virtual bool MakeTone(int frequency, int sampleRate, int channels) = 0;   // 7
  virtual bool LoadSoundBuffer(const int16_t* samples, uint32_t frames,
                               const QelWaveFormat& format) = 0;                    // 8
  virtual bool LoadWaveResource(uint32_t id, QelResModule module) = 0;              // 9
  virtual bool IsSoundPlaying() = 0;                                                // 10
  virtual bool PlaySound(bool loop) = 0;                                            // 11
  virtual void StopSound() = 0;                                                     // 12
  virtual void RewindSound() = 0;                                                   // 13
  virtual uint32_t GetShiftCtrlKeys() = 0;                                          // 14
  virtual uint32_t GetResponseKeys() = 0;                                           // 15
  virtual int GetSpaceKey() = 0;                                                    // 16
  virtual int ReadDigitKey(char* out) = 0;                                          // 17
  virtual int WaitSpaceChange() = 0;                                                // 18
  virtual void GetMouseDelta(int* dx, int* dy) = 0;                                 // 19
  virtual int GetButtonType() = 0;                                                  // 20: a QelButtonType
  virtual uint32_t ReadButtons() = 0;                                               // 21
  virtual int DisplayEnum() = 0;                                                    // 22
  virtual std::string GetDisplayName(int index) = 0;                                // 23
  virtual bool CreateFullScreen(int displayIndex, uint32_t flags) = 0;              // 24
  virtual void FreeDisplay() = 0;                                                   // 25
  virtual void SetRestoreDisplay(QelRestoreCallback callback, void* context) = 0;   // 26
  virtual CDC* SurfaceGetDC(int surface) = 0;                                       // 27
  virtual bool SurfaceReleaseDC(int surface, CDC* dc) = 0;                          // 28
  virtual bool SurfaceClear(int surface, COLORREF colour) = 0;                      // 29
  virtual bool Present(bool show) = 0;                                              // 30
  virtual void FillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) = 0;  // 31
  virtual void DrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen,
                                COLORREF brush) = 0;                           // 32
  virtual void FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) = 0;  // 33
  virtual void FillSquareCentred(CDC* dc, int r, COLORREF colour) = 0;         // 34
  virtual void DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour,
                         int thickness) = 0;                                            // 35
  virtual void DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) = 0;  // 36
  virtual void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour,
                        int width) = 0;  // 37
  virtual void DrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour,
                       int width) = 0;  // 38
  virtual void FillEllipse(CDC* dc, int left, int top, int right, int bottom,
                           COLORREF colour) = 0;  // 39

  // Sleeps for ms milliseconds on the host's run clock. Plug-ins wait only
  // through this, so a test host can run them on a virtual clock.
  virtual void SleepMs(uint32_t ms) = 0;  // 40

  // Takes the next press or release of a key or button into the state that
  // this thread's key and button slots (14-21) read, with its run time in
  // ms in *runMs; false when none is waiting (they then read the latest
  // state). One event per call: a loop that takes one before each look
  // sees every press and every release, also of a tap that began and ended
  // between two looks. A thread that never calls it reads the latest state.
  virtual bool NextInputEvent(uint32_t* runMs) = 0;  // 41

 protected:
  ~ITaskHost() = default;
};

}  // namespace qel

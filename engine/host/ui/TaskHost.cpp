#include "engine/host/ui/TaskHost.h"

#include <cstring>

#include "app/model/ButtonMapping.h"
#include "app/settings/SystemSettings.h"
#include "common/MonotonicNs.h"
#include "common/Prompt.h"
#include "common/TextOrEmpty.h"
#include "display/ui/WndDD.h"
#include "engine/host/HostDrawing.h"
#include "engine/host/HostErrorName.h"
#include "engine/host/HostKeys.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/ResourceData.h"
#include "engine/sound/SoundService.h"
#include "include/qel/TrialCodes.h"

namespace qel {

CTaskHost::CTaskHost() : m_tone(this), m_pClock(&m_ownClock), m_uiThread(std::this_thread::get_id()) {
  display = &m_display;
}

CTaskHost::~CTaskHost() { m_responseDevice.Release(); }

QelResModule CTaskHost::GetProgramResources() const {
  return m_programResources ? m_programResources : &QelModuleResources();
}

// ---- slots 0-6 ----------------------------------------------------------------

uint16_t CTaskHost::GetFeedbackSoundId(int index) { return index >= 0 && index < 5 ? kFeedbackSoundIds[index] : 0; }

bool CTaskHost::PermuteCodeQuarters(char* code, bool flag, int offset) {
  return QelPermuteCodeQuarters(code, flag, offset);
}

void CTaskHost::SetRunFlags(uint8_t practice) {
  practiceFlag = practice;
  language = g_Language;
}

void* CTaskHost::GetWndDD() {
  CWndDD* wnd = m_display.GetWndDD();
  return wnd ? static_cast<void*>(wnd->GetWindow()) : nullptr;
}

uint32_t CTaskHost::GetRunTimeMs() { return m_pClock.load()->NowMs(); }

void CTaskHost::ShowDxError(const char* text, int32_t error) {
  const std::string message = std::string(TextOrEmpty(text)) + "\n" + qel::HostErrorName(error);
  const unsigned style = qel::kPromptOk | qel::kPromptIconStop;
  // A message box only on the user-interface thread; other threads hand it over.
  if (IsUiThread()) {
    qel::ShowPrompt(message, "Qel", style);
  } else {
    qel::PostPrompt(message, "Qel", style);
  }
}

std::string CTaskHost::LoadText(uint32_t id) { return QelLoadTextResource(GetProgramResources(), id); }

// ---- sound (slots 7-13) -------------------------------------------------------

bool CTaskHost::MakeTone(int frequency, int sampleRate, int channels) {
  return m_tone.Make(frequency, sampleRate, channels);
}

bool CTaskHost::LoadSoundBuffer(const int16_t* samples, uint32_t frames, const QelWaveFormat& format) {
  return qel::LoadSoundFromMemory(samples, frames, format) == qel::kSoundOk;
}

bool CTaskHost::LoadWaveResource(uint32_t id, QelResModule module) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!qel::LoadResourceData(id, "WAVE", &data, &size, module ? module : GetProgramResources())) return false;
  return qel::LoadWaveImage(data, size) == qel::kSoundOk;
}

bool CTaskHost::IsSoundPlaying() { return qel::IsCurrentSoundPlaying(); }

bool CTaskHost::PlaySound(bool loop) {
  // A signal's sound starts at its onset, not when it was asked for ahead of it.
  if (const int64_t hold = m_soundHoldNs.load()) WaitUntilMonotonicNs(hold);
  return qel::PlayCurrentSound(loop) == qel::kSoundOk;
}

void CTaskHost::StopSound() { qel::StopSound(); }

void CTaskHost::RewindSound() { qel::RewindSound(); }

// ---- keys, mouse and buttons (slots 14-21) --------------------------------------

void CTaskHost::ReadKeys(uint8_t state[256]) { qel::ReadKeyboard(state); }

uint32_t CTaskHost::GetShiftCtrlKeys() {
  uint8_t state[qel::kKeyboardStateSize];
  ReadKeys(state);
  return qel::ShiftCtrlBits(state);
}

uint32_t CTaskHost::GetResponseKeys() {
  uint8_t state[qel::kKeyboardStateSize];
  ReadKeys(state);
  return qel::ResponseKeyBits(state);
}

int CTaskHost::GetSpaceKey() {
  // A run that is ending reads as Escape held: a plug-in's key loop then
  // gives up as it does for the operator's Escape, and its thread can be joined.
  if (WaitsInterrupted()) return kScanEscape;
  uint8_t state[qel::kKeyboardStateSize];
  ReadKeys(state);
  return qel::SpaceKeyCode(state);
}

int CTaskHost::ReadDigitKey(char* out) {
  if (out) *out = 0;
  if (WaitsInterrupted()) return 1;  // as for Escape held
  uint8_t state[qel::kKeyboardStateSize];
  ReadKeys(state);
  if (qel::KeyDown(state, kScanEscape)) return 1;
  const int key = qel::FirstKeyDown(state);
  if (key < 0) return 0;
  const char c = qel::DigitKeyChar(key);
  // One key press gives one character: wait for its release. A keyboard
  // that goes away reads as all keys up.
  for (;;) {
    ReadKeys(state);
    if (!qel::KeyDown(state, key) || WaitsInterrupted()) break;
    SleepMs(1);
  }
  if (out) *out = c;
  return c;
}

int CTaskHost::WaitSpaceChange() {
  if (!qel::IsKeyboardPresent()) return 0;
  int first = 0;
  for (;;) {
    if (WaitsInterrupted()) return kScanEscape;
    if (!qel::IsKeyboardPresent()) return 0;
    first = GetSpaceKey();
    if (first != 0) break;
    SleepMs(1);
  }
  for (;;) {
    if (WaitsInterrupted() || !qel::IsKeyboardPresent() || GetSpaceKey() != first) return first;
    SleepMs(1);
  }
}

void CTaskHost::GetMouseDelta(int* dx, int* dy) {
  qel::MouseState state;
  qel::ReadMouse(&state);
  if (dx) *dx = state.lX;
  if (dy) *dy = state.lY;
}

int CTaskHost::GetButtonType() { return m_responseDevice.Type(); }

uint32_t CTaskHost::ReadButtons() { return m_responseDevice.ReadMask(); }

// ---- display (slots 22-30) ------------------------------------------------------

int CTaskHost::DisplayEnum() {
  m_display.DisplayEnum();
  return m_display.GetDisplayNum();
}

std::string CTaskHost::GetDisplayName(int index) { return m_display.GetDisplayName(index); }

bool CTaskHost::CreateFullScreen(int displayIndex, uint32_t flags) {
  if (!m_display.CreateFullScreen(displayIndex, flags)) return false;
  m_display.SetInstResource(GetProgramResources());
  return true;
}

void CTaskHost::FreeDisplay() { m_display.Free(); }

void CTaskHost::SetRestoreDisplay(QelRestoreCallback callback, void* context) {
  m_display.SetRestoreDisplay(callback, context);
}

CDC* CTaskHost::SurfaceGetDC(int surface) { return m_display.SurfaceGetDC(surface); }

bool CTaskHost::SurfaceReleaseDC(int surface, CDC* dc) { return m_display.SurfaceReleaseDC(surface, dc); }

bool CTaskHost::SurfaceClear(int surface, COLORREF colour) { return m_display.SurfaceClear(surface, colour); }

bool CTaskHost::Present(bool show) { return m_display.Present(show); }

// ---- drawing (slots 31-39) -------------------------------------------------------

void CTaskHost::FillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) {
  qel::HostFillRect(dc, x, y, w, h, colour);
}

void CTaskHost::DrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush) {
  qel::HostDrawFramedSquare(dc, x, y, r, pen, brush);
}

void CTaskHost::FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) { qel::HostFillSquare(dc, x, y, r, colour); }

void CTaskHost::FillSquareCentred(CDC* dc, int r, COLORREF colour) {
  if (dc) FillSquare(dc, m_display.GetResolutionX() / 2, m_display.GetResolutionY() / 2, r, colour);
}

void CTaskHost::DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) {
  qel::HostDrawCross(dc, x, y, arm, colour, thickness);
}

void CTaskHost::DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) {
  if (dc) DrawCross(dc, m_display.GetResolutionX() / 2, m_display.GetResolutionY() / 2, arm, colour, thickness);
}

void CTaskHost::DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
  qel::HostDrawLine(dc, x1, y1, x2, y2, colour, width);
}

void CTaskHost::DrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) {
  qel::HostDrawArc(dc, left, top, right, bottom, colour, width);
}

void CTaskHost::FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  qel::HostFillEllipse(dc, left, top, right, bottom, colour);
}

// ---- slot 40 -----------------------------------------------------------------

void CTaskHost::SleepMs(uint32_t ms) {
  qel::IRunClock* clock = m_pClock.load();
  clock->SleepUntilMs(clock->NowMs() + ms);
}

// ---- run engine: the signal's onset ---------------------------------------------

void CTaskHost::HoldOutputsUntil(int64_t monotonicNs) {
  m_soundHoldNs.store(monotonicNs);
  m_display.HoldPresentsUntil(monotonicNs);
}

// ---- slot 41 -----------------------------------------------------------------

bool CTaskHost::NextInputEvent(uint32_t* runMs) {
  qel::InputEventStamp event;
  if (!qel::StepInputEvent(&event)) return false;
  if (runMs) *runMs = m_pClock.load()->MsAt(event.ns);
  return true;
}

// ---- run engine -----------------------------------------------------------------

void CTaskHost::SetButtonMapping(int hand, bool swappable) { ApplyButtonMapping(this, hand, swappable); }

bool CTaskHost::SwapCodeHalves(char* code, int offset) { return QelSwapCodeHalves(code, offset); }

bool CTaskHost::SwapTrialHalves(uint32_t i) {
  if (i >= trialCount || i >= kMaxTrialCodes) return false;
  return SwapCodeHalves(trialList[i], static_cast<int>(codeOffset));
}

bool CTaskHost::PermuteTrialQuarters(uint32_t i, bool flag) {
  if (i >= trialCount || i >= kMaxTrialCodes) return false;
  return PermuteCodeQuarters(trialList[i], flag, static_cast<int>(codeOffset));
}

bool CTaskHost::OpenResponseDevice(qel::InputWindow window) {
  if (!m_responseDevice.Select(static_cast<unsigned>(g_ButtonType), g_ButtonInd)) return false;
  return m_responseDevice.Acquire(window);
}

void CTaskHost::CloseResponseDevice() { m_responseDevice.Release(); }

int CTaskHost::BreakGetState() { return m_display.BreakGetState(); }

void CTaskHost::BreakSetState(int state) { m_display.BreakSetState(state); }

}  // namespace qel

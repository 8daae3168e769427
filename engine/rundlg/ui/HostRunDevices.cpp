#include "engine/rundlg/ui/HostRunDevices.h"

#include <cstdio>

#include "common/Prompt.h"

#include "engine/host/ui/TaskHost.h"
#include "engine/input/InputDevices.h"
#include "engine/rundlg/ui/HostRunStamps.h"
#include "engine/timer/TimerMs.h"
#include "engine/sound/SoundService.h"

namespace qel {

CHostRunDevices::CHostRunDevices(CTaskHost& host) : m_host(host) {}

CHostRunDevices::~CHostRunDevices() = default;

bool CHostRunDevices::InitVoiceKey(int captureDevice) { return m_voiceKey.Init(captureDevice); }

bool OpenRunFullScreen(CTaskHost& host, int displayIndex) {
  CDDDisplay& display = host.Display();
  // The displays are listed once; a run on a machine that has not listed
  // them yet lists them first.
  if (display.GetDisplayNum() == 0) display.DisplayEnum();
  if (displayIndex < 0 || displayIndex >= display.GetDisplayNum()) {
    char text[256];
    std::snprintf(text, sizeof text, kRunDisplayMissing, displayIndex);
    qel::ShowPrompt(text, "Qel", qel::kPromptOk | qel::kPromptIconStop);
    return false;
  }
  return host.CreateFullScreen(displayIndex, 0);
}

bool CHostRunDevices::CreateFullScreen(int displayIndex) { return OpenRunFullScreen(m_host, displayIndex); }

qel::InputWindow CHostRunDevices::GetDeviceWindow() {
  // The input layer reads the X server's state for the whole display and
  // takes no window. (Asking GDK for the full screen's X id would make its
  // drawing area a native window of its own, which stops it showing frames.)
  return 0;
}

bool CHostRunDevices::InitSoundOutput(int deviceIndex) {
  m_soundOpen = qel::InitSoundOutput(deviceIndex) == qel::kSoundOk;
  return m_soundOpen;
}

bool CHostRunDevices::CreateInput() { return qel::CreateDirectInput() == 0; }

bool CHostRunDevices::OpenResponseDevice(qel::InputWindow window) { return m_host.OpenResponseDevice(window); }

bool CHostRunDevices::AcquireKeyboard(qel::InputWindow window) { return qel::AcquireKeyboard(window, 0) == 0; }

bool CHostRunDevices::AcquireMouse(qel::InputWindow window) { return qel::AcquireMouse(window, 0) == 0; }

void CHostRunDevices::ReleaseMouse() { qel::ReleaseMouse(); }

void CHostRunDevices::ReleaseKeyboard() { qel::ReleaseKeyboard(); }

void CHostRunDevices::CloseResponseDevice() { m_host.CloseResponseDevice(); }

void CHostRunDevices::ReleaseInput() { qel::ReleaseDirectInput(); }

void CHostRunDevices::ReleaseSound() {
  qel::StopAndRewindSound();
  qel::FreeSoundOutput();
  m_soundOpen = false;
}

void CHostRunDevices::ReleaseVoiceKey() { m_voiceKey.Release(); }

void CHostRunDevices::FreeDisplay() { m_host.FreeDisplay(); }

IRunStamps* CHostRunDevices::Stamps(const CTimerMs& clock) {
  // Device stamps are CLOCK_MONOTONIC times: a run on another clock (a
  // test's virtual one) is timed by its beats alone.
  if (!clock.OnSystemMonotonicClock()) return nullptr;
  m_stamps = std::make_unique<CHostRunStamps>(clock, m_host.Display(), m_voiceKey);
  return m_stamps.get();
}

IRunPresentGate* CHostRunDevices::PresentGate(const CTimerMs& clock) {
  // The display and the sound output wait on CLOCK_MONOTONIC.
  if (!clock.OnSystemMonotonicClock()) return nullptr;
  m_gate = std::make_unique<CHostPresentGate>(clock, m_host);
  return m_gate.get();
}

}  // namespace qel

#include "engine/host/tests/probe/HostProbeTask.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "taskfw/TaskPlugin.h"

namespace qel {

namespace {

const char* const kVersions[] = {"Probe"};
const char* const kParts[] = {"Part"};

// Splits "NAME rest" into the name and the rest.
std::string FirstWord(const char*& text) {
  while (*text == ' ') ++text;
  const char* start = text;
  while (*text && *text != ' ') ++text;
  std::string word(start, static_cast<size_t>(text - start));
  while (*text == ' ') ++text;
  return word;
}

// Integers (decimal or 0x hex) of the rest of a command.
std::vector<long> Numbers(const char* text) {
  std::vector<long> values;
  char* end = nullptr;
  for (;;) {
    const long v = std::strtol(text, &end, 0);
    if (end == text) break;
    values.push_back(v);
    text = end;
  }
  return values;
}

long Arg(const std::vector<long>& v, size_t i) { return i < v.size() ? v[i] : 0; }

}  // namespace

CTaskHostProbe::CTaskHostProbe() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 1;
  m_partNames = kParts;
  m_partCount = 1;
  m_taskWords[0] = 2;  // codes permute from their third letter on
}

bool CTaskHostProbe::OnRestore(void* context) {
  static_cast<CTaskHostProbe*>(context)->m_restoreCalls.fetch_add(1);
  return true;
}

bool CTaskHostProbe::DrawStimulus(CDC* dc, intptr_t, intptr_t) {
  if (!dc || !m_host) return false;
  m_host->DrawFramedSquare(dc, 40, 30, 10, kStimulusFrame, kStimulusColour);
  m_host->DrawCross(dc, dc->GetWidth() / 2, dc->GetHeight() / 2, 20, kStimulusColour, 3);
  return true;
}

int32_t CTaskHostProbe::Draw(CDC* dc, const char* shape, const char* args) {
  const std::vector<long> v = Numbers(args);
  auto i = [&v](size_t n) { return static_cast<int>(Arg(v, n)); };
  auto c = [&v](size_t n) { return static_cast<COLORREF>(Arg(v, n)); };
  const std::string s = shape;
  if (s == "RECT") m_host->FillRect(dc, i(0), i(1), i(2), i(3), c(4));
  else if (s == "FRAMED") m_host->DrawFramedSquare(dc, i(0), i(1), i(2), c(3), c(4));
  else if (s == "SQUARE") m_host->FillSquare(dc, i(0), i(1), i(2), c(3));
  else if (s == "CSQUARE") m_host->FillSquareCentred(dc, i(0), c(1));
  else if (s == "CROSS") m_host->DrawCross(dc, i(0), i(1), i(2), c(3), i(4));
  else if (s == "CCROSS") m_host->DrawCrossCentred(dc, i(0), c(1), i(2));
  else if (s == "LINE") m_host->DrawLine(dc, i(0), i(1), i(2), i(3), c(4), i(5));
  else if (s == "ARC") m_host->DrawArc(dc, i(0), i(1), i(2), i(3), c(4), i(5));
  else if (s == "ELLIPSE") m_host->FillEllipse(dc, i(0), i(1), i(2), i(3), c(4));
  else return -1;
  return 1;
}

int32_t CTaskHostProbe::GetCorrectResponse(const char* command) {
  if (!m_host || !m_record || !command) return -1;
  ITaskHost& host = *m_host;
  std::string& text = m_record->runText;
  const char* rest = command;
  const std::string name = FirstWord(rest);
  const std::vector<long> v = Numbers(rest);
  auto n = [&v](size_t i) { return static_cast<int>(Arg(v, i)); };

  // ---- slots 0-6 ----
  if (name == "FEEDBACKID") return host.GetFeedbackSoundId(n(0));
  if (name == "PERMUTE") {  // PERMUTE <code> <flag> <offset>
    char code[kTrialCodeSize] = {};
    const std::string letters = FirstWord(rest);
    std::strncpy(code, letters.c_str(), kTrialCodeSize - 1);
    const std::vector<long> w = Numbers(rest);
    const bool ok = host.PermuteCodeQuarters(code, Arg(w, 0) != 0, static_cast<int>(Arg(w, 1)));
    text = code;
    return ok;
  }
  if (name == "RUNFLAGS") {
    host.SetRunFlags(static_cast<uint8_t>(n(0)));
    text = std::to_string(host.practiceFlag);
    return host.language;
  }
  if (name == "WINDOW") return host.GetWndDD() != nullptr;
  if (name == "TIME") return static_cast<int32_t>(host.GetRunTimeMs());
  if (name == "ERROR") {  // ERROR <code> <text>
    char* end = nullptr;
    const long code = std::strtol(rest, &end, 0);
    while (*end == ' ') ++end;
    host.ShowDxError(end, static_cast<int32_t>(code));
    return 1;
  }
  if (name == "TEXT") {
    text = host.LoadText(static_cast<uint32_t>(n(0)));
    return static_cast<int32_t>(text.size());
  }

  // ---- sound (slots 7-13) ----
  if (name == "TONE") return host.MakeTone(n(0), n(1), n(2));
  if (name == "BUFFER") {  // BUFFER <frequency> <rate> <frames>: the plug-in's own mono sine
    const int frequency = n(0), rate = n(1), frames = n(2);
    if (frames <= 0 || frames > 200000) return 0;
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
      samples[static_cast<size_t>(i)] = static_cast<int16_t>(8000 * std::sin(6.283185307 * frequency * i / rate));
    QelWaveFormat f;
    f.channels = 1;
    f.samplesPerSec = static_cast<uint32_t>(rate);
    f.bitsPerSample = 16;
    f.blockAlign = 2;
    f.avgBytesPerSec = 2u * static_cast<uint32_t>(rate);
    return host.LoadSoundBuffer(samples.data(), static_cast<uint32_t>(frames), f);
  }
  if (name == "WAVE") {  // WAVE <id> [own]
    const bool own = std::strstr(rest, "own") != nullptr;
    return host.LoadWaveResource(static_cast<uint32_t>(n(0)), own ? m_record->resources : nullptr);
  }
  if (name == "PLAYING") return host.IsSoundPlaying();
  if (name == "PLAY") return host.PlaySound(n(0) != 0);
  if (name == "STOP") {
    host.StopSound();
    return 1;
  }
  if (name == "REWIND") {
    host.RewindSound();
    return 1;
  }
  if (name == "BEEPS") {  // the framework's train of tones
    BeepTrain(n(0));
    return static_cast<int32_t>(host.GetRunTimeMs());
  }

  // ---- keys, mouse and buttons (slots 14-21) ----
  if (name == "SHIFTCTRL") return static_cast<int32_t>(host.GetShiftCtrlKeys());
  if (name == "RESPONSEKEYS") return static_cast<int32_t>(host.GetResponseKeys());
  if (name == "SPACEKEY") return host.GetSpaceKey();
  if (name == "DIGIT") {
    char out = 'x';
    const int result = host.ReadDigitKey(&out);
    text = std::to_string(static_cast<int>(out));
    return result;
  }
  if (name == "WAITSPACE") return host.WaitSpaceChange();
  if (name == "WAITKEY") return WaitKeyUntil(static_cast<uint32_t>(n(0)));  // the framework's wait
  if (name == "MOUSE") {
    int dx = 99, dy = 99;
    host.GetMouseDelta(&dx, &dy);
    text = std::to_string(dx) + " " + std::to_string(dy);
    return 1;
  }
  if (name == "BUTTONTYPE") return host.GetButtonType();
  if (name == "BUTTONS") return static_cast<int32_t>(host.ReadButtons());

  // ---- display (slots 22-30) ----
  if (name == "DISPLAYS") return host.DisplayEnum();
  if (name == "DISPLAYNAME") {
    text = host.GetDisplayName(n(0));
    return static_cast<int32_t>(text.size());
  }
  if (name == "FULLSCREEN") return host.CreateFullScreen(n(0), static_cast<uint32_t>(n(1)));
  if (name == "FREEDISPLAY") {
    host.FreeDisplay();
    return 1;
  }
  if (name == "RESTORE") {  // RESTORE 1: our callback; RESTORE 0: none
    if (n(0)) host.SetRestoreDisplay(&CTaskHostProbe::OnRestore, this);
    else host.SetRestoreDisplay(nullptr, nullptr);
    return 1;
  }
  if (name == "RESTORECALLS") return m_restoreCalls.load();
  if (name == "CLEAR") return host.SurfaceClear(n(0), static_cast<COLORREF>(Arg(v, 1)));
  if (name == "PRESENT") return host.Present(n(0) != 0);
  if (name == "PIXEL") {  // PIXEL <surface> <x> <y>: the colour, -1 without a context
    CDC* dc = host.SurfaceGetDC(n(0));
    if (!dc) return -1;
    const COLORREF colour = dc->GetPixel(n(1), n(2));
    host.SurfaceReleaseDC(n(0), dc);
    return static_cast<int32_t>(colour);
  }
  if (name == "DRAW" || name == "DRAWNODC") {  // DRAW <surface> <shape> <numbers>
    char* end = nullptr;
    const int surface = static_cast<int>(std::strtol(rest, &end, 0));
    const char* after = end;
    const std::string shape = FirstWord(after);
    CDC* dc = name == "DRAW" ? host.SurfaceGetDC(surface) : nullptr;
    if (name == "DRAW" && !dc) return -2;
    const int32_t drawn = Draw(dc, shape.c_str(), after);
    if (dc && !host.SurfaceReleaseDC(surface, dc)) return -3;
    return drawn;
  }

  // ---- slot 40 ----
  if (name == "SLEEP") {
    host.SleepMs(static_cast<uint32_t>(n(0)));
    return static_cast<int32_t>(host.GetRunTimeMs());
  }
  return -1;
}

}  // namespace qel

// Test support: the script that answers the test plug-ins' commands, a
// recorder of operator messages, the test plug-in files, a temporary
// folder, and a task host that records what the library asks of it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/Prompt.h"
#include "qel/TaskHostInterface.h"
#include "qel/TaskLibraryInterface.h"

namespace englib {

struct PluginCall {
  const ITaskLibrary* record;
  uint32_t command;
  intptr_t a, b, c;
  bool hasOut;
};

using PluginAnswer = std::function<bool(ITaskLibrary* record, uint32_t command, intptr_t a,
                                        intptr_t b, intptr_t c, int32_t* out)>;

// What every test plug-in loaded in this program reports to and asks.
struct PluginScript {
  std::vector<PluginCall> calls;
  PluginAnswer answer;  // empty: every command answers true, out untouched

  static PluginScript& Get();
  void Reset() {
    calls.clear();
    answer = nullptr;
  }
  std::vector<uint32_t> Commands() const;
  std::vector<uint32_t> CommandsOf(const ITaskLibrary* record) const;
};

// Collects the messages shown to the operator while it lives.
class PromptRecorder {
 public:
  PromptRecorder();
  ~PromptRecorder();
  std::vector<std::string> texts;

 private:
  qel::PromptHandler previous_;
};

// A test plug-in built beside the tests: "Good", "Other", "Version2",
// "InitFails", "NoEntry" or "NoDefault".
std::string PluginPath(const std::string& name);

// A fresh folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }
  // The folder as the plug-in folder text (with its trailing '/').
  std::string FolderText() const { return path_.string() + "/"; }
  // Copies test plug-in `plugin` into the folder as `fileName`.
  void AddPlugin(const std::string& plugin, const std::string& fileName) const;
  void AddFile(const std::string& fileName, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

// Whether the file is mapped in this process (dlopen without loading it).
bool IsModuleLoaded(const std::string& path);

// A task host that only records SetRunFlags; every other service is inert.
class RecordingTaskHost : public ITaskHost {
 public:
  std::vector<int> runFlags;

  uint16_t GetFeedbackSoundId(int) override { return 0; }
  bool PermuteCodeQuarters(char*, bool, int) override { return false; }
  void SetRunFlags(uint8_t practice) override { runFlags.push_back(practice); }
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
  int ReadDigitKey(char*) override { return 0; }
  int WaitSpaceChange() override { return 0; }
  void GetMouseDelta(int*, int*) override {}
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

}  // namespace englib

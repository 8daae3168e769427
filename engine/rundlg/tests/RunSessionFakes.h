// What the run tests share without a window: a model task of the scripted
// plug-in, devices that record what a run opens and releases, a project and
// a score dialog that record what they get, a file for the signal port, and
// beating a clock moved by hand.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/rundlg/RunDevices.h"
#include "engine/timer/ManualTickSource.h"
#include "include/qel/TaskLibraryInterface.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"
#include "tests/support/run/RunDeviceFakes.h"
#include "tests/support/run/ScriptedPlugin.h"

namespace qel {

namespace test {

using ScriptLibrary = ScriptedTaskLibrary;

// A model task "SC" of the scripted plug-in, version 2, with its words.
void MakeScriptTask(CExpModelTask& task, ITaskLibrary* library);

// The release sequence of a run.
const std::vector<std::string>& RunReleases();

// A plain file in the temporary folder that the signal port writes into;
// removed when the object goes.
class PortFile {
 public:
  PortFile();
  ~PortFile();
  PortFile(const PortFile&) = delete;
  PortFile& operator=(const PortFile&) = delete;

  const std::string& Path() const { return m_path; }
  std::vector<uint8_t> Bytes() const;

 private:
  std::string m_path;
};

// Beats the clock one millisecond at a time, each followed by the pump,
// until done (true) or the limit passed.
bool StepUntil(ManualTickSource& source, const std::function<void()>& pump, const std::function<bool()>& done,
               uint32_t limitMs);

// Records every open and release by name; the step named in m_failAt fails.
// The full screen succeeds unless m_fullScreen says otherwise; every step
// is also told to m_onStep (on the thread that takes it).
class RecordingDevices final : public IRunDevices {
 public:
  bool InitVoiceKey(int) override { return Step("voicekey"); }
  bool CreateFullScreen(int displayIndex) override;
  InputWindow GetDeviceWindow() override { return 0; }
  bool InitSoundOutput(int) override { return Step("sound"); }
  bool CreateInput() override { return Step("input"); }
  bool OpenResponseDevice(InputWindow) override { return Step("response"); }
  bool AcquireKeyboard(InputWindow) override { return Step("keyboard"); }
  bool AcquireMouse(InputWindow) override { return Step("mouse"); }
  void ReleaseMouse() override { Step("-mouse"); }
  void ReleaseKeyboard() override { Step("-keyboard"); }
  void CloseResponseDevice() override { Step("-response"); }
  void ReleaseInput() override { Step("-input"); }
  void ReleaseSound() override { Step("-sound"); }
  void ReleaseVoiceKey() override { Step("-voicekey"); }
  void FreeDisplay() override;
  IRunKeyboard* Keyboard() override { return &m_keyboard; }
  IRunVoiceKey* VoiceKey() override { return &m_voiceKey; }

  std::vector<std::string> m_log;
  std::string m_failAt;
  std::function<bool(int displayIndex)> m_fullScreen;
  std::function<void()> m_freeDisplay;
  std::function<void(const std::string& step)> m_onStep;
  TestKeyboard m_keyboard;
  TestVoiceKey m_voiceKey;

 private:
  bool Step(const char* name);
};

class FakeProject final : public IRunProject {
 public:
  std::string GetPath() const override { return m_path; }
  bool ReadResponses(const std::string& testee, const std::string& model, CExpModelTask& task, uint32_t assessment,
                     int firstPart, int lastPart) override;
  bool WriteResponses(const std::string& testee, const std::string& model, CExpModelTask& task,
                      const CTaskRunData& runData, int variableCount, const QelDateTime& runDate, bool* userAdded,
                      bool* newVariablesRow) override;

  std::string m_path = "/data/study.qep";
  bool m_readOk = true;
  uint32_t m_storedTrials = 0;  // trials the read finds in the task's current part
  bool m_writeOk = true;
  bool m_userAdded = false;
  bool m_newRow = true;
  int m_reads = 0;
  struct Write {
    std::string testee, model, task;
    int part;
    uint32_t assessment;
    int variables;
    int32_t firstCategory;
  };
  std::vector<Write> m_writes;
};

class ScoreRecorder final : public IScoreDialogFactory {
 public:
  int RunScoreDialog(const ScoreDialogRequest& request) override;

  int m_answer = 0;  // the modal result to give (kScoreDialogOk to store)
  struct Seen {
    ScoreDialogRequest request;
    int variableCount;
    double firstValue;
    uint32_t trialsOfPart;
  };
  std::vector<Seen> m_seen;
};

}  // namespace test

}  // namespace qel

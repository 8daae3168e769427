// What the run dialog tests share: the program's host and run data, a
// scripted plug-in in this program, devices that record what the run opens
// and releases, a project and a score dialog that record what they get, and
// event pumping.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/rundlg/RunDevices.h"
#include "include/qel/TaskLibraryInterface.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"
#include "tests/support/run/RunDeviceFakes.h"
#include "tests/support/run/ScriptedPlugin.h"

namespace qel {

namespace test {

// The program's one host and run data (made after wx is up).
CTaskHost& Host();
CTaskRunData& RunData();

// Handles everything queued for the user-interface thread.
void Pump();

// The scripted plug-in of tests/support, reading the run clock of the
// program's host and publishing its trial list there at command 2.
using qel::test::PluginScript;
using qel::test::TrialScript;
PluginScript& TheScript();
void ResetScript();

using ScriptLibrary = qel::test::ScriptedTaskLibrary;

// A model task "SC" of the scripted plug-in, version 2, with its words.
void MakeScriptTask(CExpModelTask& task, ITaskLibrary* library);

using qel::test::TestKeyboard;
using qel::test::TestVoiceKey;

// Records every open and release by name; the step named in failAt fails.
// With realDisplay the full screen is the host's real one.
class RecordingDevices final : public IRunDevices {
 public:
  bool InitVoiceKey(int) override { return Step("voicekey"); }
  bool CreateFullScreen(int displayIndex) override;
  qel::InputWindow GetDeviceWindow() override { return 0; }
  bool InitSoundOutput(int) override { return Step("sound"); }
  bool CreateInput() override { return Step("input"); }
  bool OpenResponseDevice(qel::InputWindow) override { return Step("response"); }
  bool AcquireKeyboard(qel::InputWindow) override { return Step("keyboard"); }
  bool AcquireMouse(qel::InputWindow) override { return Step("mouse"); }
  void ReleaseMouse() override { m_log.push_back("-mouse"); }
  void ReleaseKeyboard() override { m_log.push_back("-keyboard"); }
  void CloseResponseDevice() override { m_log.push_back("-response"); }
  void ReleaseInput() override { m_log.push_back("-input"); }
  void ReleaseSound() override { m_log.push_back("-sound"); }
  void ReleaseVoiceKey() override { m_log.push_back("-voicekey"); }
  void FreeDisplay() override;
  IRunKeyboard* Keyboard() override { return &m_keyboard; }
  IRunVoiceKey* VoiceKey() override { return &m_voiceKey; }

  std::vector<std::string> m_log;
  std::string m_failAt;
  bool m_realDisplay = false;
  TestKeyboard m_keyboard;
  TestVoiceKey m_voiceKey;

 private:
  bool Step(const char* name) {
    m_log.push_back(name);
    return m_failAt != name;
  }
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
  ScoreRecorder();
  ~ScoreRecorder() override;
  int RunScoreDialog(const ScoreDialogRequest& request) override;

  int m_answer = 0;  // the modal result to give (wxID_OK to store)
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

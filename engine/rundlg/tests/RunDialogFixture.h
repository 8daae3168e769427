// A run dialog on a clock moved by hand, with recording devices (the real
// display when a test asks for it), the scripted plug-in, a recording
// project and score dialog (installed as the program's), and windows that
// record the notifications of the caller, the main view and the main frame.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/timer/ManualTickSource.h"
#include "tests/support/common/PromptRecorder.h"
#include "ui/tests/NotifyRecorder.h"

namespace qel {

namespace test {

class RunDialogFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Beats and pumps until the run has ended (true) or the limit passed.
  bool RunToEnd(uint32_t limitMs = 60000);
  bool RunUntil(const std::function<bool()>& done, uint32_t limitMs = 60000);
  wxString Label(int id) const;
  // The run's full screen is the host's real one.
  void UseRealDisplay();

  PortFile m_portFile;
  qel::ManualTickSource m_source;
  RecordingDevices m_devices;
  ScriptLibrary m_library;
  CExpModelTask m_task;
  FakeProject m_project;
  ScoreRecorder m_scores;
  NotifyRecorder* m_caller = nullptr;
  NotifyRecorder* m_view = nullptr;
  NotifyRecorder* m_frame = nullptr;
  CDlgRun* m_dialog = nullptr;
  qel::test::PromptRecorder m_prompts;
};

}  // namespace test

}  // namespace qel

// Tapping as the program runs it: the plug-in file of the program folder
// loaded by the program's plug-in loader with a scripted host, a model task
// bound to it by short code, and the program's run data. One load serves
// the whole test program; each test gets a fresh model task, run data and
// display.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/library/TaskLibrary.h"
#include "tasks/plugins/tp/tests/ScriptedHost.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/fakes/FakeDisplay.h"

namespace qel {

// The loaded plug-in and its host, for the whole program.
class TappingPlugin : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

  static ScriptedHost& Host();
  static CTaskLibrary* Record();

 private:
  std::unique_ptr<qel::test::TempFolder> m_folder;
};

class TappingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The set-up command for a part.
  bool Setup(int part);
  // A new script, the set-up command, then the self-timed run command on the run data.
  bool RunPart(int part, std::vector<KeyPress> presses);
  // The compute-variables command; its value.
  int32_t Compute();
  // Norm functions of a Z variable: a constant mean and SD for every age.
  void AddNorm(const char* name, double mean, double sd);

  // Stored entries of a part.
  uint32_t Entries(int part) const { return m_task->trialCounts[part]; }
  // The value of variable i, or 9999.0 when it has none.
  double Value(int i) const;
  bool Valid(int i) const { return (m_runData->attributes[i] & kVarValid) != 0; }

  ScriptedHost& m_host = TappingPlugin::Host();
  CTaskLibrary* m_record = TappingPlugin::Record();
  std::unique_ptr<FakeDisplay> m_display;
  std::unique_ptr<CExpModelTask> m_task;
  std::unique_ptr<CTaskRunData> m_runData;
  QelTesteeRecord m_testee;
};

// Presses of one source, each held `hold` ms, starting at the given times.
std::vector<KeyPress> Taps(KeySource source, std::initializer_list<uint32_t> starts, uint32_t hold);
std::vector<KeyPress> operator+(std::vector<KeyPress> a, const std::vector<KeyPress>& b);

}  // namespace qel

// A mouse task plug-in of the program folder loaded by the program's own
// loader (CTaskLibrary), with the mouse test host over a raster display, a
// model task (CExpModelTask) bound to the record and the program's run
// data. Parts run as the run dialog runs them: command 2, then the
// run-self-timed command on a worker thread that is joined.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/library/TaskLibrary.h"
#include "tasks/layers/mouse/tests/support/MouseTestHost.h"
#include "tasks/layers/mouse/tests/support/RasterDisplay.h"

namespace qel {

namespace test {

class LoadedMouseTask {
 public:
  explicit LoadedMouseTask(const std::string& shortCode, int width = 640, int height = 480);
  ~LoadedMouseTask();
  LoadedMouseTask(const LoadedMouseTask&) = delete;
  LoadedMouseTask& operator=(const LoadedMouseTask&) = delete;

  bool Loaded() const { return m_library.module != nullptr; }

  // Command 2 for a part (0-based), as a test run unless practice is set.
  bool Setup(int part, bool practice = false);
  // Command 2, then the run-self-timed command on a worker thread; its result.
  bool RunPart(int part, bool practice = false);
  // Command 2, then the demonstration command on a worker thread; its result.
  bool Demonstrate(int part);
  // As the run dialog ends a run: norm switch, test date, testee, cleared
  // values, then command 29; its value (-1 when refused).
  int32_t Compute(bool practice = false, bool withTestee = true);
  // Norm functions of a Z variable: a constant mean and SD for every age.
  bool AddNorm(const char* name, double mean, double sd);
  // Command 3: the record's answer text; the value it returns in *count
  // (-1 when refused).
  std::string ParamText(int parameter, int which, int32_t* count);
  // Whether text i of the record (task, part, parameters, feedback) holds `part`.
  bool TextHas(int i, const char* part) const { return m_library.texts[i].find(part) != std::string::npos; }
  // Value i of the run data, or 9999.0 when it has none; its valid bit.
  double Value(int i) const;
  bool Valid(int i) const { return (m_runData->attributes[i] & kVarValid) != 0; }
  uint32_t Stored(int part) const { return m_task.trialCounts[part]; }

  MouseTestHost m_host;
  RasterDisplay m_display;
  CTaskLibrary m_library;
  CExpModelTask m_task;
  std::unique_ptr<CTaskRunData> m_runData;
  QelTesteeRecord m_testee;
  std::string m_shortCode;
};

}  // namespace test

}  // namespace qel

#include "tasks/layers/mouse/tests/support/LoadedMouseTask.h"

#include <thread>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

LoadedMouseTask::LoadedMouseTask(const std::string& shortCode, int width, int height)
    : m_display(width, height, &m_host.m_now), m_runData(std::make_unique<CTaskRunData>()), m_shortCode(shortCode) {
  m_host.display = &m_display;
  m_library.host = &m_host;
  const std::string path = std::string(QEL_OUTPUT_DIR) + "/Qel" + shortCode + ".qet";
  if (!m_library.Load(path.c_str(), false)) return;
  // Bound as the program binds a model task to its plug-in.
  m_task.SetFromModelTask(m_library.modelDefault);
  m_task.library = &m_library;
  m_task.loaded = 1;
  m_runData->SetTask(&m_task);
  for (int part = 0; part < kMaxParts; ++part) m_runData->ClearPart(part);
  m_testee.birthDate = QelDateTime::FromDate(1980, 3, 1);
}

LoadedMouseTask::~LoadedMouseTask() {
  if (Loaded()) m_library.Unload();
}

bool LoadedMouseTask::Setup(int part, bool practice) {
  m_task.currentPart = part;
  m_host.SetRunFlags(practice ? 1 : 0);
  return m_task.PrepareRun(m_runData.get());
}

bool LoadedMouseTask::RunPart(int part, bool practice) {
  if (!Setup(part, practice)) return false;
  m_runData->ClearPart(part);
  bool result = false;
  std::thread worker([&] { result = m_task.RunWholeTask(m_runData.get()); });
  worker.join();
  return result;
}

bool LoadedMouseTask::Demonstrate(int part) {
  if (!Setup(part, false)) return false;
  bool result = false;
  std::thread worker([&] { result = m_task.RunSignals(m_runData.get()); });
  worker.join();
  return result;
}

int32_t LoadedMouseTask::Compute(bool practice, bool withTestee) {
  m_runData->normTableSwitch = practice ? 1 : 0;
  m_runData->testDate = QelDateTime::FromDate(2010, 3, 1);
  m_runData->testee = withTestee ? &m_testee : nullptr;
  m_runData->resultWord = 0;
  m_runData->variableCount = 0;
  m_runData->ClearValues();
  int32_t out = -7;
  if (!m_library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(m_runData.get()), 0, 0, &out)) {
    return -1;
  }
  return out;
}

bool LoadedMouseTask::AddNorm(const char* name, double mean, double sd) {
  const double meanCoefficients[1] = {mean};
  const double sdCoefficients[1] = {sd};
  return m_library.AddNormFunction(m_shortCode.c_str(), name, 0, 0.0, 120.0, meanCoefficients, 1) &&
         m_library.AddNormFunction(m_shortCode.c_str(), name, 1, 0.0, 120.0, sdCoefficients, 1);
}

std::string LoadedMouseTask::ParamText(int parameter, int which, int32_t* count) {
  int32_t out = 0;
  const bool ok = m_library.CallTaskEntry(kCmdGetParamText, parameter, which, 0, &out);
  if (count) *count = ok ? out : -1;
  return m_library.answerText;
}

double LoadedMouseTask::Value(int i) const {
  double v = kNoValue;
  m_runData->GetValue(i, &v);
  return v;
}

}  // namespace test

}  // namespace qel

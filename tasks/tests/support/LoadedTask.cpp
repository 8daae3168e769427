#include "tasks/tests/support/LoadedTask.h"

#include <cstring>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

std::string PluginPath(const std::string& shortCode) {
  return std::string(QEL_OUTPUT_DIR) + "/Qel" + shortCode + ".qet";
}

LoadedTask::LoadedTask(const std::string& shortCode, int width, int height)
    : display(width, height), runData(std::make_unique<CTaskRunData>()) {
  library.host = &host;
  if (!library.Load(PluginPath(shortCode).c_str(), false)) return;
  // Bound as the program binds a model task to its plug-in.
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  task.loaded = 1;
  runData->SetTask(&task);
}

LoadedTask::~LoadedTask() {
  if (Loaded()) library.Unload();
}

bool LoadedTask::Command(uint32_t command, intptr_t a, intptr_t b, intptr_t c) {
  return library.CallTaskEntry(command, a, b, c, nullptr);
}

int32_t LoadedTask::Value(uint32_t command, intptr_t a, intptr_t b, intptr_t c) {
  int32_t out = 0;
  if (!library.CallTaskEntry(command, a, b, c, &out)) return 0;
  return out;
}

bool LoadedTask::Setup(uint32_t version, int part, bool practice, int language) {
  task.w.TaskVersion = version;
  task.currentPart = part;
  host.language = language;
  host.SetRunFlags(practice ? 1 : 0);
  return task.PrepareRun(runData.get());
}

bool LoadedTask::Judge(const char* code) {
  char slot[kTrialCodeSize] = {};
  std::strncpy(slot, code, kTrialCodeSize - 1);
  return Command(kCmdSetTrial, reinterpret_cast<intptr_t>(slot));
}

int32_t LoadedTask::Classify(const char* code, int32_t category) {
  Judge(code);
  return Value(kCmdClassifyResponse, category, 0);
}

}  // namespace test

}  // namespace qel

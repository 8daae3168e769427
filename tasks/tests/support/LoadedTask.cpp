#include "tasks/tests/support/LoadedTask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

std::string PluginPath(const std::string& shortCode) {
  return std::string(QEL_OUTPUT_DIR) + "/Qel" + shortCode + ".qet";
}

LoadedTask::LoadedTask(const std::string& shortCode, int width, int height)
    : m_display(width, height), m_runData(std::make_unique<CTaskRunData>()) {
  m_library.host = &m_host;
  if (!m_library.Load(PluginPath(shortCode).c_str(), false)) return;
  // Bound as the program binds a model task to its plug-in.
  m_task.SetFromModelTask(m_library.modelDefault);
  m_task.library = &m_library;
  m_task.loaded = 1;
  m_runData->SetTask(&m_task);
}

LoadedTask::~LoadedTask() {
  if (Loaded()) m_library.Unload();
}

bool LoadedTask::Command(uint32_t command, intptr_t a, intptr_t b, intptr_t c) {
  return m_library.CallTaskEntry(command, a, b, c, nullptr);
}

int32_t LoadedTask::Value(uint32_t command, intptr_t a, intptr_t b, intptr_t c) {
  int32_t out = 0;
  if (!m_library.CallTaskEntry(command, a, b, c, &out)) return 0;
  return out;
}

bool LoadedTask::Setup(uint32_t version, int part, bool practice, int language) {
  m_task.w.TaskVersion = version;
  m_task.currentPart = part;
  m_host.language = language;
  m_host.SetRunFlags(practice ? 1 : 0);
  return m_task.PrepareRun(m_runData.get());
}

namespace {

struct CodeSlot {
  explicit CodeSlot(const char* code) { std::strncpy(text, code, kTrialCodeSize - 1); }
  intptr_t Arg() { return reinterpret_cast<intptr_t>(text); }
  char text[kTrialCodeSize] = {};
};

}  // namespace

bool LoadedTask::Judge(const char* code) { return Command(kCmdSetTrial, CodeSlot(code).Arg()); }

bool LoadedTask::ShowSignal(const char* code) {
  return Command(kCmdShowSignal, CodeSlot(code).Arg(), reinterpret_cast<intptr_t>(&m_display));
}

bool LoadedTask::DrawPreview(const char* code) {
  return Command(kCmdDrawToSurface, CodeSlot(code).Arg(), reinterpret_cast<intptr_t>(&m_display));
}

int32_t LoadedTask::Classify(const char* code, int32_t category) {
  Judge(code);
  return Value(kCmdClassifyResponse, category, 0);
}

void ExpectWholeSlots(const std::string& shortCode, uint32_t version, int part,
                      std::initializer_list<std::pair<char, bool>> fillsAndTargets) {
  LoadedTask t(shortCode);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(version, part));
  ASSERT_TRUE(t.BeginRun());
  const intptr_t display = reinterpret_cast<intptr_t>(&t.m_display);
  for (const auto& [fill, target] : fillsAndTargets) {
    SCOPED_TRACE(std::string("fill '") + (fill ? std::string(1, fill) : std::string("\\0")) + "'");
    std::unique_ptr<char[]> slot;
    if (fill) {
      slot.reset(new char[kTrialCodeSize]);
      std::memset(slot.get(), fill, kTrialCodeSize);
    }
    const intptr_t code = reinterpret_cast<intptr_t>(slot.get());
    EXPECT_EQ(t.Command(kCmdSetTrial, code), target);
    t.Value(kCmdCorrectResponse, code);
    t.Value(kCmdClassifyResponse, kCatHit, 1);
    EXPECT_TRUE(t.Command(kCmdShowSignal, code, display));
    EXPECT_TRUE(t.Command(kCmdHideSignal, 0));
    EXPECT_TRUE(t.Command(kCmdDrawToSurface, code, display));
  }
}

}  // namespace test

}  // namespace qel

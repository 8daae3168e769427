#include "tasks/plugins/tp/tests/TappingHarness.h"

#include <cstdlib>
#include <filesystem>

#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"

namespace qel {

namespace fs = std::filesystem;

namespace {
FakeDisplay g_idleDisplay(320, 240);
ScriptedHost g_host(&g_idleDisplay);
}  // namespace

ScriptedHost& TappingPlugin::Host() { return g_host; }

CTaskLibrary* TappingPlugin::Record() { return FindTaskLibrary("TP"); }

void TappingPlugin::SetUp() {
  // A plug-in folder holding only the program's Tapping file.
  m_folder = std::make_unique<qel::test::TempFolder>();
  ASSERT_FALSE(m_folder->Path().empty());
  fs::create_symlink(fs::path(QEL_OUTPUT_DIR) / "QelTP.qet", m_folder->Path() / "QelTP.qet");
  SetTaskFolder((m_folder->Path() / "program").c_str());
  ASSERT_EQ(FindTaskLibraries(&g_host), 1);
  ASSERT_NE(Record(), nullptr);
}

void TappingPlugin::TearDown() {
  UnloadTaskLibraries();
  m_folder.reset();
}

void TappingTest::SetUp() {
  ASSERT_NE(m_record, nullptr);
  m_display = std::make_unique<FakeDisplay>(320, 240);
  m_host.display = m_display.get();
  m_host.practiceFlag = 0;
  m_host.language = 0;
  m_host.Reset({});
  m_record->ResetNorms();

  m_task = std::make_unique<CExpModelTask>();
  m_task->SetFromModelTask(m_record->modelDefault);
  BindModelTask(m_task.get());
  ASSERT_EQ(m_task->library, m_record);

  m_runData = std::make_unique<CTaskRunData>();
  m_runData->SetTask(m_task.get());
  for (int part = 0; part < 4; ++part) m_runData->ClearPart(part);
  m_testee.birthDate = QelDateTime::FromDate(1980, 3, 1);
  m_runData->testDate = QelDateTime::FromDate(2010, 3, 1);
  m_runData->testee = &m_testee;
}

void TappingTest::TearDown() { m_host.display = nullptr; }

bool TappingTest::Setup(int part) {
  m_task->currentPart = part;
  return m_task->PrepareRun(m_runData.get());
}

bool TappingTest::RunPart(int part, std::vector<KeyPress> presses) {
  m_host.Reset(std::move(presses));
  if (!Setup(part)) {
    ADD_FAILURE() << "the set-up command failed for part " << part;
    return false;
  }
  return m_task->RunWholeTask(m_runData.get());
}

int32_t TappingTest::Compute() {
  int32_t out = -7;
  EXPECT_TRUE(m_record->CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(m_runData.get()), 0, 0, &out));
  return out;
}

void TappingTest::AddNorm(const char* name, double mean, double sd) {
  const double meanCoefficients[1] = {mean};
  const double sdCoefficients[1] = {sd};
  ASSERT_TRUE(m_record->AddNormFunction("TP", name, kNormFunctionMean, 0.0, 120.0, meanCoefficients, 1));
  ASSERT_TRUE(m_record->AddNormFunction("TP", name, kNormFunctionSd, 0.0, 120.0, sdCoefficients, 1));
}

double TappingTest::Value(int i) const {
  double v = kNoValue;
  m_runData->GetValue(i, &v);
  return v;
}

std::vector<KeyPress> Taps(KeySource source, std::initializer_list<uint32_t> starts, uint32_t hold) {
  std::vector<KeyPress> presses;
  for (uint32_t s : starts) presses.push_back({source, s, s + hold});
  return presses;
}

std::vector<KeyPress> operator+(std::vector<KeyPress> a, const std::vector<KeyPress>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The plug-in is loaded once, before the first test.
const ::testing::Environment* const g_tappingPlugin = ::testing::AddGlobalTestEnvironment(new TappingPlugin);

}  // namespace qel

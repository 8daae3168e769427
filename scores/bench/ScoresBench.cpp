// Benchmarks of the scores area, run by hand (under an X server, e.g.
// xvfb-run): opening the score dialog on a run with 1,500 variables, and
// exporting 1,000 stored scores of one task to .xlsx and to .dbf.
#include <wx/app.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "admin/UserRecord.h"
#include "engine/library/TaskLibrary.h"
#include "project/ProjectDbPlain.h"
#include "project/QelProject.h"
#include "project/TaskAvailability.h"
#include "project/TesteeInfo.h"
#include "scores/ProjectScoreStore.h"
#include "scores/ScoreExport.h"
#include "scores/ui/DlgScore.h"

namespace qel {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

class AllLoaded final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return true; }
};

// A variable table of n rows: counts, with a Z-score after every fourth.
struct Table {
  explicit Table(int n) {
    for (int i = 0; i < n; ++i) {
      names.push_back("Var" + std::to_string(i) + "_bn");
      labels.push_back("Variable number " + std::to_string(i));
    }
    for (int i = 0; i < n; ++i) {
      const bool z = i % 4 == 3;
      rows.push_back({names[static_cast<size_t>(i)].c_str(), i % 10 < 5 ? "<G>" : nullptr, z ? "%.2f" : "%.1f",
                      labels[static_cast<size_t>(i)].c_str(),
                      VariableFlags(z ? kVarTypeZScore : kVarTypeCount, 1 + i % 5), 0});
    }
  }
  std::vector<std::string> names, labels;
  std::vector<TaskVariableDef> rows;
};

void BenchDialog() {
  constexpr int kVariables = 1500;
  const Table table(kVariables);
  auto runData = std::make_unique<CTaskRunData>();
  runData->scoreVariables = table.rows.data();
  runData->scoreVariableCount = kVariables;
  runData->variableCount = kVariables;
  for (int i = 0; i < kVariables; ++i) runData->values[i] = i % 17 == 0 ? kNoValue : i * 1.25;
  runData->testDate = QelDateTime::FromDate(2026, 1, 2, 10, 0, 0);
  CExpModelTask task;
  task.TaskIdStr = "BN";
  CScoreDocument::Computed computed;
  computed.runData = runData.get();
  computed.testee = "T1";
  computed.model = "M";
  computed.task = &task;
  computed.maySave = true;
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    auto* dialog = new CDlgScore(nullptr, std::make_unique<CScoreDocument>(computed));
    dialog->Show();
    wxTheApp->ProcessPendingEvents();
    dialog->Update();
    std::printf("score dialog, %d variables: opened in %.1f ms\n", kVariables, Ms(start));
    dialog->Destroy();
    wxTheApp->ProcessIdle();
  }
}

void BenchExport() {
  constexpr int kTestees = 100;
  constexpr int kPerTestee = 10;
  constexpr int kVariables = 40;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qel-scores-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "Bench.qep").string();
  if (!CProjectDbPlain::CreateProjectFile(path, "bench", "", nullptr, true, false)) return;
  AllLoaded tasks;
  CQelProject project(tasks);
  auto runData = std::make_unique<CTaskRunData>();
  project.AttachRunData(runData.get());
  const Table table(kVariables);
  CTaskLibrary library;
  library.scoreVariables = table.rows.data();
  library.scoreVariableCount = kVariables;
  if (!project.Open(path, false, false)) return;
  project.SetScoreVariableTable(&library);  // opening unbinds the variable rows
  const CUserRecord writer;  // a plain project records no user
  CExpModel model;
  model.Reset();
  model.m_name = "M";
  CExpModelTask task;
  task.TaskIdStr = "BN";
  task.TaskName = "Bench";
  model.AddTask(task);
  project.WriteModel(&model, writer, nullptr);
  runData->scoreVariableCount = kVariables;
  std::vector<std::string> testees;
  const auto fill = Clock::now();
  for (int t = 0; t < kTestees; ++t) {
    CTesteeInfo testee;
    testee.m_testee = "T" + std::to_string(t);
    testee.m_firstName = "First";
    testee.m_surname = "Last" + std::to_string(t);
    testee.m_dateBirth = QelDateTime::FromDate(1950 + t % 50, 1 + t % 12, 1 + t % 28);
    project.WriteTestee(testee, writer, nullptr, false, false);
    testees.push_back(testee.m_testee);
    for (int a = 1; a <= kPerTestee; ++a) {
      for (int i = 0; i < kVariables; ++i) {
        runData->values[i] = t + a * 0.5 + i;
        runData->attributes[i] = kVarValid;
      }
      task.currentAssessment = static_cast<uint32_t>(a);
      task.currentPart = 0;
      task.trialCounts[0] = 10;
      bool newRow = false;
      project.WriteResponses(testee.m_testee, "M", &task, writer, nullptr, kVariables,
                             QelDateTime::FromDate(2026, 1, 2, 10, a, 0), &newRow);
    }
  }
  std::printf("stored %d scores in %.0f ms (set-up)\n", kTestees * kPerTestee, Ms(fill));
  CProjectScoreStore store(project);
  ScoreExportSource source;
  source.store = &store;
  source.testees = testees;
  source.model = "M";
  source.task = "BN";
  {
    const auto start = Clock::now();
    int read = 0;
    for (const std::string& t : testees) {
      for (uint32_t n : store.GetAssessments(t, "M", "BN")) {
        StoredScore score;
        if (store.ReadScore({t, "M", "BN", n}, nullptr, &score)) ++read;
      }
    }
    std::printf("reading %d stored scores from the project: %.0f ms\n", read, Ms(start));
  }
  for (const auto& [type, name] : {std::pair{ScoreExportType::kExcel, "T_BN.xlsx"},
                                   std::pair{ScoreExportType::kDbase, "T_BN.dbf"},
                                   std::pair{ScoreExportType::kText, "T_BN.txt"}}) {
    const auto start = Clock::now();
    const bool ok = ExportScoreTable(type, (dir / name).string(), source, {});
    std::printf("export of %d stored scores to %s: %s in %.0f ms\n", kTestees * kPerTestee, name,
                ok ? "written" : "FAILED", Ms(start));
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qel

int main(int argc, char** argv) {
  wxApp::SetInstance(new wxApp());
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "no X server: run under xvfb-run\n");
    return 1;
  }
  qel::BenchDialog();
  qel::BenchExport();
  wxEntryCleanup();
  return 0;
}

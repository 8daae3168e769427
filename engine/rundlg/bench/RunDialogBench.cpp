// Benchmark (not a test): a 60-trial host-timed test part of the tests'
// square plug-in through the run dialog on the REAL devices: the 1 ms beat
// thread, the full-screen display and X test key presses. For every trial
// it measures
//   signal onset error: the run time at which the plug-in's Present of the
//     signal returned minus the scheduled onset;
//   response-time error: the reaction time the run recorded minus the one
//     injected (key press time minus the scheduled onset);
// and reports median, 99th percentile and maximum (ms, whole milliseconds:
// the run clock's unit). Run it under an X server (xvfb-run).
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

namespace {

constexpr int kTrials = 60;

class BenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// A project without stored trials that stores nothing.
class EmptyProject final : public IRunProject {
 public:
  std::string GetPath() const override { return "bench"; }
  bool ReadResponses(const std::string&, const std::string&, CExpModelTask& task, uint32_t, int, int) override {
    task.trialCounts[task.currentPart] = 0;
    return true;
  }
  bool WriteResponses(const std::string&, const std::string&, CExpModelTask&, const CTaskRunData&, int,
                      const QelDateTime&, bool*, bool*) override {
    return false;
  }
};

// Keeps the Present times the plug-in reports when it computes its variables.
class PresentTimes final : public IScoreDialogFactory {
 public:
  int RunScoreDialog(const ScoreDialogRequest& request) override {
    for (int i = 0; i < request.runData->variableCount && i < kMaxVariables; ++i) {
      m_times.push_back(static_cast<int64_t>(request.runData->values[i]));
    }
    return wxID_CANCEL;
  }
  std::vector<int64_t> m_times;
};

void PumpOnce() {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  while (loop && loop->Pending()) loop->Dispatch();
  wxTheApp->ProcessPendingEvents();
}

void PumpFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    PumpOnce();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  } while (std::chrono::steady_clock::now() < end);
}

void Report(const char* name, std::vector<int64_t> v) {
  if (v.empty()) {
    std::printf("%-22s no samples\n", name);
    return;
  }
  std::sort(v.begin(), v.end());
  const auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))]; };
  std::printf("%-22s n=%zu  min %lld  median %lld  p99 %lld  max %lld ms\n", name, v.size(),
              static_cast<long long>(v.front()), static_cast<long long>(at(0.5)), static_cast<long long>(at(0.99)),
              static_cast<long long>(v.back()));
}

bool SignalShown(CDlgRun& dialog) { return std::strcmp(dialog.Machine().GetIndicator(1), "!") == 0; }

int Run() {
  qel::test::XTestInput x;
  if (!x.Ok()) {
    std::fprintf(stderr, "no X server\n");
    return 1;
  }
  if (qel::EnumInputDevices() != 0) return 1;
  ResetSystemSettings();
  g_ButtonType = 0;

  CTaskHost host;
  auto runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  library.host = &host;
  if (!library.Load(QEL_TEST_PLUGIN_DIR "/rundlg/QelRunDlgSquare.qet", true)) return 1;
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  task.TaskPartTrials[0] = kTrials;
  runData->SetTask(&task);
  EmptyProject project;
  PresentTimes presents;
  qel::SetScoreDialogFactory(&presents);

  CDlgRun* dialog = new CDlgRun(nullptr, host, *runData);
  dialog->SetTask(&task);
  dialog->SetTitle(true);
  if (!dialog->RunTest(&project, "BENCH", "Bench")) return 1;

  std::mt19937 random(7);
  std::uniform_int_distribution<int> plannedRt(150, 450);
  std::vector<int64_t> scheduled;
  std::vector<int64_t> injectedRt;
  uint32_t lastOnset = UINT32_MAX;
  while (dialog->IsRunActive()) {
    PumpOnce();
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (!SignalShown(*dialog)) continue;
    const uint32_t onset = dialog->Machine().GetTimes().signalOn;
    if (onset == lastOnset) continue;
    lastOnset = onset;
    scheduled.push_back(onset);
    // Press planned ms after the signal was seen on this side.
    const uint32_t due = dialog->Timer().GetElapsedMs() + static_cast<uint32_t>(plannedRt(random));
    while (dialog->Timer().GetElapsedMs() < due && dialog->IsRunActive()) {
      PumpOnce();
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    x.KeyNamed("Shift_L", true);
    x.Flush();
    injectedRt.push_back(static_cast<int64_t>(dialog->Timer().GetElapsedMs()) - onset);
    PumpFor(80);
    x.KeyNamed("Shift_L", false);
    x.Flush();
  }
  PumpFor(50);

  const uint32_t records = std::min<uint32_t>(dialog->Machine().GetResponseCount(), kMaxResponses);
  std::vector<int64_t> onsetError;
  for (size_t i = 0; i < scheduled.size() && i < presents.m_times.size(); ++i) {
    onsetError.push_back(presents.m_times[i] - scheduled[i]);
  }
  std::vector<int64_t> rtError;
  for (size_t i = 0; i < injectedRt.size() && i < records; ++i) {
    rtError.push_back(static_cast<int64_t>(runData->reactionTime[0][i]) - injectedRt[i]);
  }
  std::printf("trials %zu, records %u, late beats %u of %u, largest beat gap %u ms\n", scheduled.size(), records,
              dialog->Timer().LateCount(), dialog->Timer().BeatCount(), dialog->Timer().LargestGapMs());
  Report("signal onset error", onsetError);
  Report("response-time error", rtError);

  dialog->Destroy();
  PumpFor(20);
  wxTheApp->ProcessIdle();
  qel::SetScoreDialogFactory(nullptr);
  library.Unload();
  return 0;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = Run();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}

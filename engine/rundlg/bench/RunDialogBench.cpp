// Benchmark (not a test): a host-timed test part of the tests' square
// plug-in through the run dialog on the REAL devices: the 1 ms beat thread,
// the full-screen display and X test key presses. Run it under an X server
// of the size to measure:
//
//   SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null xvfb-run -a -s "-screen 0 1920x1080x24" \
//       qel_rundlg_bench [trials] [nowatch]
//
// Every trial's press is injected at a random point within the millisecond
// (not right after a beat), between 150 and 450 ms after the signal was
// seen on the screen. A thread of its own watches the screen's centre pixel
// on a connection of its own, so the moment a frame has reached the X server
// is known independently of the program's own stamps. Reported:
//   reaction-time error: the reaction time the run recorded minus the true
//     one (press on the server minus signal on the server), ms: mean, SD,
//     min, max, next to the rounding floor (the true one rounded once);
//   reaction-time error (own onset): the same against the onset the run
//     stamped itself, which isolates the stamping of the response;
//   onset latency: the planned onset to the frame on the server: median, SD,
//     p99 (ms);
//   the beat: late beats, callbacks over 1 ms and the longest callback.
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "common/MonotonicNs.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/input/InputDevices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "project/RunProject.h"
#include "scores/ScoreDialog.h"

// Last: the X headers define macros (Status, None, ...) that the others must not see.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace qel {

namespace {

constexpr int kDefaultTrials = 300;
constexpr uint32_t kIntervalMs = 400;
constexpr double kNsPerMs = 1e6;
constexpr unsigned long kWhite = 0xFFFFFF;
constexpr int kWatchPauseUs = 150;
constexpr int kWatchPriority = 40;
constexpr int64_t kMatchNs = 50'000'000;  // a frame on the screen belongs to the onset stamped this near

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

class NoScores final : public IScoreDialogFactory {
 public:
  int RunScoreDialog(const ScoreDialogRequest&) override { return wxID_CANCEL; }
};

// Watches the screen's centre pixel on a connection of its own and keeps the
// moment of every change to white (the square's colour), as CLOCK_MONOTONIC
// ns: the midpoint of the read that first saw it (the change happened
// between the end of the read before and the end of this one).
class PixelWatcher {
 public:
  bool Start() {
    m_display = XOpenDisplay(nullptr);
    if (!m_display) return false;
    const int screen = DefaultScreen(m_display);
    m_x = DisplayWidth(m_display, screen) / 2;
    m_y = DisplayHeight(m_display, screen) / 2;
    m_thread = std::thread([this] { Run(); });
    return true;
  }
  void Stop() {
    m_stop.store(true);
    if (m_thread.joinable()) m_thread.join();
    if (m_display) XCloseDisplay(m_display);
    m_display = nullptr;
  }
  std::vector<int64_t> Onsets() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_onsets;
  }
  double MeanReadNs() const { return m_reads ? static_cast<double>(m_readNs) / m_reads : 0; }

 private:
  void Run() {
    // Ahead of ordinary work where allowed, so a change is seen when it happens.
    sched_param param{};
    param.sched_priority = kWatchPriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    const Window root = DefaultRootWindow(m_display);
    bool white = false;
    int64_t before = MonotonicNowNs();
    while (!m_stop.load()) {
      XImage* image = XGetImage(m_display, root, m_x, m_y, 1, 1, AllPlanes, ZPixmap);
      const int64_t after = MonotonicNowNs();
      ++m_reads;
      m_readNs += after - before;
      if (image) {
        const bool now = (XGetPixel(image, 0, 0) & kWhite) == kWhite;
        XDestroyImage(image);
        if (now && !white) {
          std::lock_guard<std::mutex> lock(m_mutex);
          m_onsets.push_back(before + (after - before) / 2);
        }
        white = now;
      }
      // A pause between reads keeps the server free for the run itself.
      std::this_thread::sleep_for(std::chrono::microseconds(kWatchPauseUs));
      before = MonotonicNowNs();
    }
  }

  Display* m_display = nullptr;
  int m_x = 0;
  int m_y = 0;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::vector<int64_t> m_onsets;
  int64_t m_reads = 0;
  int64_t m_readNs = 0;
};

// Presses through the X test extension; the moment of a press is the
// midpoint of the request and the server's answer to the sync after it.
class Injector {
 public:
  bool Open() {
    m_display = XOpenDisplay(nullptr);
    if (!m_display) return false;
    m_key = XKeysymToKeycode(m_display, XStringToKeysym("Shift_L"));
    return m_key != 0;
  }
  ~Injector() {
    if (m_display) XCloseDisplay(m_display);
  }
  int64_t Press(bool down, int64_t* spanNs) {
    const int64_t t0 = MonotonicNowNs();
    XTestFakeKeyEvent(m_display, m_key, down ? True : False, 0);
    XSync(m_display, False);
    const int64_t t1 = MonotonicNowNs();
    if (spanNs) *spanNs = t1 - t0;
    return t0 + (t1 - t0) / 2;
  }

 private:
  Display* m_display = nullptr;
  unsigned m_key = 0;
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

struct Summary {
  size_t n = 0;
  double mean = 0, sd = 0, min = 0, max = 0, median = 0, p99 = 0;
};

Summary Summarise(std::vector<double> v) {
  Summary s;
  s.n = v.size();
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  double sum = 0;
  for (double x : v) sum += x;
  s.mean = sum / v.size();
  double sq = 0;
  for (double x : v) sq += (x - s.mean) * (x - s.mean);
  s.sd = v.size() > 1 ? std::sqrt(sq / (v.size() - 1)) : 0;
  s.min = v.front();
  s.max = v.back();
  const auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))]; };
  s.median = at(0.5);
  s.p99 = at(0.99);
  return s;
}

void ReportSpread(const char* name, const std::vector<double>& v) {
  const Summary s = Summarise(v);
  std::printf("%-34s n=%zu  mean %+.3f  SD %.3f  min %+.3f  max %+.3f  median %+.3f ms\n", name, s.n, s.mean, s.sd,
              s.min, s.max, s.median);
}

void ReportLatency(const char* name, const std::vector<double>& v) {
  const Summary s = Summarise(v);
  std::printf("%-34s n=%zu  median %.3f  SD %.3f  p99 %.3f  max %.3f ms\n", name, s.n, s.median, s.sd, s.p99, s.max);
}

bool SignalShown(CDlgRun& dialog) { return std::strcmp(dialog.Machine().GetIndicator(1), "!") == 0; }

int Run(int trials, bool watch) {
  Injector injector;
  PixelWatcher watcher;
  if (!injector.Open() || (watch && !watcher.Start())) {
    std::fprintf(stderr, "no X server\n");
    return 1;
  }
  if (qel::EnumInputDevices() != 0) {
    watcher.Stop();
    return 1;
  }
  ResetSystemSettings();
  g_ButtonType = 0;

  CTaskHost host;
  auto runData = std::make_unique<CTaskRunData>();
  CTaskLibrary library;
  library.host = &host;
  if (!library.Load(QEL_TEST_PLUGIN_DIR "/rundlg/QelRunDlgSquare.qet", true)) {
    watcher.Stop();
    return 1;
  }
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  task.TaskPartTrials[0] = static_cast<uint32_t>(trials);
  task.w.TaskIntLow = task.w.TaskIntHigh = kIntervalMs;
  runData->SetTask(&task);
  EmptyProject project;
  NoScores scores;
  qel::SetScoreDialogFactory(&scores);

  CDlgRun* dialog = new CDlgRun(nullptr, host, *runData);
  dialog->SetTask(&task);
  dialog->SetTitle(true);
  if (!dialog->RunTest(&project, "BENCH", "Bench")) {
    watcher.Stop();
    return 1;
  }
  const int64_t clockOrigin = MonotonicNowNs() - dialog->Timer().GetElapsedNs();

  std::mt19937 random(7);
  std::uniform_real_distribution<double> plannedRtMs(150.0, 450.0);
  std::vector<int64_t> planned;    // planned onsets, run clock ms
  std::vector<int64_t> presses;    // press moments, CLOCK_MONOTONIC ns
  std::vector<int64_t> machineOn;  // the run's own onset stamps, CLOCK_MONOTONIC ns
  int64_t spanSum = 0;
  uint32_t lastPlanned = UINT32_MAX;
  uint32_t plannedNow = UINT32_MAX;
  uint32_t lastShownOnset = UINT32_MAX;
  while (dialog->IsRunActive()) {
    PumpOnce();
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (!SignalShown(*dialog)) {
      if (dialog->Machine().GetPhase() == CRunMachine::Phase::kTrial) plannedNow = dialog->Machine().GetTimes().signalOn;
      continue;
    }
    const CRunMachine::TrialTimes times = dialog->Machine().GetTimes();
    if (times.signalOn == lastShownOnset) continue;
    lastShownOnset = times.signalOn;
    // Every trial is pressed, so the records stay in step; a planned time
    // that was not seen here counts in no onset figure.
    planned.push_back(plannedNow == lastPlanned ? -1 : static_cast<int64_t>(plannedNow));
    lastPlanned = plannedNow;
    machineOn.push_back(clockOrigin + times.signalOnNs);
    // Press at a random point, 150-450 ms after the signal was seen here.
    const int64_t due = MonotonicNowNs() + static_cast<int64_t>(plannedRtMs(random) * kNsPerMs);
    while (MonotonicNowNs() < due - 3'000'000 && dialog->IsRunActive()) {
      PumpOnce();
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    while (MonotonicNowNs() < due) {
    }
    int64_t span = 0;
    presses.push_back(injector.Press(true, &span));
    spanSum += span;
    PumpFor(60);
    injector.Press(false, nullptr);
  }
  PumpFor(50);
  watcher.Stop();

  // Each trial's frame on the screen: the change to white nearest to the
  // onset the run stamped (never more than kMatchNs away).
  const std::vector<int64_t> seen = watcher.Onsets();
  const uint32_t records = std::min<uint32_t>(dialog->Machine().GetResponseCount(), kMaxResponses);
  std::vector<double> onsetLatency, rtError, floorError, machineRtError, machineFloor, stampToScreen;
  size_t unmatched = 0;
  for (size_t i = 0; i < planned.size() && i < presses.size() && i < records; ++i) {
    const double recorded = runData->reactionTime[0][i];
    const double ownRt = (presses[i] - machineOn[i]) / kNsPerMs;
    machineRtError.push_back(recorded - ownRt);
    machineFloor.push_back(std::round(ownRt) - ownRt);
    if (!watch) continue;
    const auto nearest = std::min_element(seen.begin(), seen.end(), [&](int64_t a, int64_t b) {
      return std::llabs(a - machineOn[i]) < std::llabs(b - machineOn[i]);
    });
    if (nearest == seen.end() || std::llabs(*nearest - machineOn[i]) > kMatchNs) {
      ++unmatched;
      continue;
    }
    const int64_t onNs = *nearest;
    const int64_t plannedNs = clockOrigin + planned[i] * 1'000'000;
    if (planned[i] >= 0) onsetLatency.push_back((onNs - plannedNs) / kNsPerMs);
    stampToScreen.push_back((onNs - machineOn[i]) / kNsPerMs);
    const double trueRt = (presses[i] - onNs) / kNsPerMs;
    rtError.push_back(recorded - trueRt);
    floorError.push_back(std::round(trueRt) - trueRt);
  }
  const CTimerMs& timer = dialog->Timer();
  std::printf("trials %zu, records %u, screen onsets seen %zu, unmatched %zu (pixel read %.3f ms, press sync %.3f ms)\n",
              planned.size(), records, seen.size(), unmatched, watcher.MeanReadNs() / kNsPerMs,
              presses.empty() ? 0.0 : spanSum / kNsPerMs / presses.size());
  std::printf("beats %u, late (gap over %u ms) %u, largest gap %u ms, callbacks over 1 ms %u, longest %.3f ms\n",
              timer.BeatCount(), CTimerMs::kLateGapMs, timer.LateCount(), timer.LargestGapMs(), timer.LongBeatCount(),
              timer.LongestBeatNs() / kNsPerMs);
  ReportSpread("reaction-time error (true)", rtError);
  ReportSpread("rounding floor", floorError);
  ReportSpread("reaction-time error (own onset)", machineRtError);
  ReportSpread("rounding floor (own onset)", machineFloor);
  ReportLatency("onset latency (planned->server)", onsetLatency);
  ReportSpread("screen onset minus own onset stamp", stampToScreen);

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
  const int trials = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultTrials;
  // "nowatch": no screen watcher (it loads the X server): own-onset figures only.
  const bool watch = !(argc > 2 && std::strcmp(argv[2], "nowatch") == 0);
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = Run(trials, watch);
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}

// Pursuit benchmark (built, not run by the tests): one self-timed part of
// the plug-in of the program folder on the real clock, at 1920 x 1080,
// with a mouse that moves at every reading, so every pass of the sampling
// loop redraws the scene. Reports (median, 99th percentile, maximum):
//   - reading to stored sample: from the host's mouse reading to the first
//     drawing call of the pass that stored the sample (the sample is in the
//     run data by then);
//   - one pass of the loop: the longest a movement waits to be read;
//   - one frame: clearing the back surface, drawing the scene, presenting
//     it into the front surface (the display's raster buffers, no window).
//
//   qel_pursuit_bench [seconds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/rundata/TaskRunData.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/TaskEntry.h"
#include "tasks/layers/mouse/tests/support/RasterDisplay.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

double Micro(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// A host on the real clock with a jittering mouse that times the loop.
class BenchHost final : public FakeTaskHost {
 public:
  BenchHost() : m_start(Clock::now()) {}

  uint32_t GetRunTimeMs() override {
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count());
  }
  void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  void GetMouseDelta(int* dx, int* dy) override {
    const Clock::time_point now = Clock::now();
    if (m_lastRead.time_since_epoch().count() != 0) m_passes.push_back(Micro(now - m_lastRead));
    m_lastRead = now;
    *dx = (m_reads++ & 1) ? -1 : 1;
    *dy = 0;
  }
  bool SurfaceClear(int surface, COLORREF colour) override {
    const Clock::time_point now = Clock::now();
    // A sample is stored after the pass's reading and before its scene is drawn.
    if (m_samples && m_next < kMaxResponses && m_samples[m_next] != kUnset) {
      m_storeLatency.push_back(Micro(now - m_lastRead));
      ++m_next;
    }
    if (surface == kSurfaceBack) m_frameStart = now;
    return display->SurfaceClear(surface, colour);
  }
  bool Present(bool show) override {
    const bool ok = display->Present(show);
    m_frames.push_back(Micro(Clock::now() - m_frameStart));
    return ok;
  }

  static constexpr int32_t kUnset = -1;
  const int32_t* m_samples = nullptr;  // the stored times; kUnset until stored
  int m_next = 0;
  std::vector<double> m_passes, m_storeLatency, m_frames;

 private:
  Clock::time_point m_start;
  Clock::time_point m_lastRead{};
  Clock::time_point m_frameStart{};
  uint64_t m_reads = 0;
};

void Report(const char* what, std::vector<double> v) {
  if (v.empty()) {
    std::printf("%-28s no values\n", what);
    return;
  }
  std::sort(v.begin(), v.end());
  const double median = v[v.size() / 2];
  const double p99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
  std::printf("%-28s n=%6zu  median %9.1f us  p99 %9.1f us  max %9.1f us\n", what, v.size(), median, p99, v.back());
}

int Run(int seconds) {
  BenchHost host;
  test::RasterDisplay display(1920, 1080, &host.m_now);
  host.display = &display;
  CTaskLibrary library;
  library.host = &host;
  if (!library.Load(QEL_OUTPUT_DIR "/QelPU.qet", false)) {
    std::fprintf(stderr, "cannot load QelPU.qet\n");
    return 1;
  }
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  task.loaded = 1;
  task.TaskPartTrials[0] = static_cast<uint32_t>(seconds);
  auto runData = std::make_unique<CTaskRunData>();
  runData->SetTask(&task);
  task.currentPart = 0;
  if (!task.PrepareRun(runData.get())) return 1;
  std::fill(runData->responseCode[0], runData->responseCode[0] + kMaxResponses, BenchHost::kUnset);
  host.m_samples = runData->responseCode[0];

  bool ok = false;
  std::thread worker([&] { ok = task.RunWholeTask(runData.get()); });
  worker.join();
  std::printf("Pursuit, %d s at 1920 x 1080: %u samples stored, %zu frames\n", seconds, task.trialCounts[0],
              host.m_frames.size());
  Report("reading to stored sample", host.m_storeLatency);
  Report("one pass of the loop", host.m_passes);
  Report("one frame (clear, draw, show)", host.m_frames);
  library.Unload();
  return ok ? 0 : 1;
}

}  // namespace

}  // namespace qel

int main(int argc, char** argv) { return qel::Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 20); }

// Presentation benchmark: full-screen frames presented back to back, from
// the user-interface thread and from a worker thread, with and without the
// synchronous (flip) attribute. Reports the time from the call of Present
// to its return, when the frame has been handed to the X server (median,
// 99th percentile, maximum).
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" present_bench [frames]
#include <wx/app.h>
#include <wx/evtloop.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "display/ui/DDDisplay.h"
#include "display/ui/DisplayMessage.h"

namespace qel {

namespace {

class BenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

using Clock = std::chrono::steady_clock;

void Pump(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  do {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (loop && loop->Pending()) loop->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
  } while (Clock::now() < end);
}

// A frame that changes everywhere: a moving band and a counter.
void DrawFrame(CDDDisplay& d, int i) {
  d.SurfaceClear(kSurfaceBack, QelRGB(i % 256, 40, 90));
  CDC* dc = d.SurfaceGetDC(kSurfaceBack);
  if (!dc) return;
  dc->FillSolidRect((i * 13) % dc->GetWidth(), 0, 120, dc->GetHeight(), QelRGB(250, 250, 250));
  dc->SetBkMode(kBkTransparent);
  dc->SetTextColor(QelRGB(255, 255, 0));
  char text[32];
  std::snprintf(text, sizeof text, "%d", i);
  dc->TextOut(40, 40, text);
  d.SurfaceReleaseDC(kSurfaceBack, dc);
}

void Report(const char* what, int width, int height, std::vector<double>& ms) {
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  if (n == 0) return;
  std::printf("%-34s %4dx%-4d frames=%zu  median=%.3f ms  p99=%.3f ms  max=%.3f ms\n", what, width, height, n,
              ms[n / 2], ms[std::min(n - 1, n * 99 / 100)], ms[n - 1]);
}

double Since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

void RunUiThread(CDDDisplay& d, int frames, const char* what) {
  std::vector<double> ms;
  for (int i = 0; i < frames; ++i) {
    DrawFrame(d, i);
    const auto t0 = Clock::now();
    if (d.Present(true)) ms.push_back(Since(t0));
    Pump(0);
  }
  Report(what, d.GetResolutionX(), d.GetResolutionY(), ms);
}

void RunWorker(CDDDisplay& d, int frames, const char* what) {
  std::vector<double> ms;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < frames; ++i) {
      DrawFrame(d, i);
      const auto t0 = Clock::now();
      if (d.Present(true)) ms.push_back(Since(t0));
    }
    done = true;
  });
  while (!done) Pump(1);
  worker.join();
  Report(what, d.GetResolutionX(), d.GetResolutionY(), ms);
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  qel::display::SetMessageHandler([](const std::string& text, const std::string&, unsigned) {
    std::fprintf(stderr, "display: %s\n", text.c_str());
    return 1;
  });
  int result = 0;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    CDDDisplay display;
    if (!display.DisplayEnum()) {
      std::fprintf(stderr, "no display\n");
      result = 1;
    }
    for (const uint32_t flags : {0u, static_cast<uint32_t>(kDispAttrFlip)}) {
      if (result || !display.CreateFullScreen(0, flags)) {
        result = 1;
        break;
      }
      Pump(200);
      const bool flip = flags != 0;
      RunUiThread(display, frames, flip ? "UI thread, synchronous (flip)" : "UI thread, flush");
      RunWorker(display, frames, flip ? "worker thread, synchronous (flip)" : "worker thread, flush");
      std::printf("  frames reached the window by %s\n", display.PresentPath().c_str());
      display.Free();
      Pump(50);
    }
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}

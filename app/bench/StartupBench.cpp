// Start-up to the main window shown, and shut-down, with every plug-in of
// the program folder: the median of ten runs of each, in milliseconds. Runs
// in a program folder of its own (links to the built program folder's
// plug-ins and display library) with a settings file of its own.
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelProgram.h"
#include "ui/ui/MainFrame.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRuns = 10;

class BenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

void PumpUntilIdle() {
  for (int i = 0; i < 20; ++i) {
    while (wxTheApp->Pending()) wxTheApp->Dispatch();
    wxTheApp->ProcessIdle();
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return (values[kRuns / 2 - 1] + values[kRuns / 2]) / 2.0;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;
  const fs::path folder = fs::temp_directory_path() / ("qel-startup-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  int plugins = 0;
  for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
    const std::string name = entry.path().filename().string();
    const bool plugin = name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet";
    if (plugin || name == qel::kDisplayLibraryName) fs::create_symlink(entry.path(), folder / name);
    plugins += plugin ? 1 : 0;
  }
  std::ofstream(folder / "Qel.qen") << "norms";

  std::vector<double> starts, ends;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    for (int run = 0; run < kRuns; ++run) {
      qel::ResetSystemSettings();
      qel::CQelProgram program(folder.string() + "/", (folder / "Qel.conf").string());
      const auto t0 = Clock::now();
      if (!program.InitInstance({"Qel"})) return 1;
      PumpUntilIdle();
      const auto t1 = Clock::now();
      program.GetMainFrame()->Close(true);
      PumpUntilIdle();
      program.ExitInstance();
      const auto t2 = Clock::now();
      starts.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      ends.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
  }
  std::printf("plug-ins: %d\nstart-up to the main window shown: median %.1f ms\nshut-down: median %.1f ms\n",
              plugins, Median(starts), Median(ends));
  fs::remove_all(folder);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}

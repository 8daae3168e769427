// The road's operator at the screen and its program on a fresh workstation:
// shared by the steps of the road, each in a file of its own.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeCode.h"
#include "admin/ui/DlgUser.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramWiring.h"
#include "app/ui/PromptBox.h"
#include "app/ui/QelProgram.h"
#include "db/tests/support/DbTestTools.h"
#include "include/qel/Resources.h"
#include "project/QelProject.h"
#include "project/users/WorkstationUsers.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"
#include "tests/support/x11/XWindows.h"
#include "ui/MainWindowRules.h"
#include "ui/ui/DlgTabTestee.h"
#include "ui/ui/MainFrame.h"

namespace qel::road {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TempFolder;
using test::XTestInput;
using test::XTopWindow;
using test::XWindows;

// Loose bounds for a loaded machine: how long a window may take to come or
// go, and how long the program may take to answer a question of the driver.
inline constexpr auto kWindowWait = 60s;
inline constexpr auto kMainAnswer = 60s;
inline constexpr auto kPoll = 20ms;
// How long the end of a failed road waits for the program between its rounds of closing.
inline constexpr auto kUnblockAnswer = 1s;
inline constexpr auto kUnblockPause = 100ms;
inline constexpr int kRoadLimitMs = 15 * 60 * 1000;
inline constexpr unsigned kLeftButton = 1;

// The operator, the project and the testees of the road.
inline constexpr char kUserId[] = "ann";
inline constexpr char kUserPassword[] = "Road-pass1";
inline constexpr char kFirstName[] = "Ann";
inline constexpr char kSurname[] = "Walker";
inline constexpr char kProjectFile[] = "Study.qep";
inline constexpr char kProjectPassword[] = "Secret-9";
inline constexpr char kNewProjectPassword[] = "Other'9";
inline constexpr char kInstitute[] = "Road Clinic";
inline constexpr char kPlainFile[] = "Old.qep";
inline constexpr char kConvertedFile[] = "Converted.qep";
inline constexpr char kCompactedFile[] = "Compacted.qep";
inline constexpr char kPlainPassword[] = "old pass";
inline constexpr char kCode[] = "CTRL";
inline constexpr char kCodeLabel[] = "Control group";
inline constexpr const char* kTestees[] = {"P01", "O'Brien-02"};
inline constexpr char kTesteeFirstName[] = "Pat";
inline constexpr char kTesteeSurname[] = "Road";
// The birth date as the date picker takes it (month/day/year).
inline constexpr char kBirthDate[] = "05/17/1980";
inline constexpr int kTesteesPage = 1;
// The code's column in the testee dialog's list of codes.
inline constexpr int kCodeColumn = 1;

// The captions the program gives its windows.
inline constexpr char kMessageBoxTitle[] = "Qel";
inline constexpr char kFrameTitle[] = "Qel Task Battery";
inline constexpr char kLoginTitle[] = ": Login existing user";
inline constexpr char kRegisterTitle[] = ": Register new user";
inline constexpr char kCreateProjectTitle[] = "Create new project (21CFR part11)";
inline constexpr char kOpenProjectTitle[] = "Open existing project";
inline constexpr char kPlainWorkingProject[] = "Working project";
inline constexpr char kConvertTitle[] = "Convert existing project to new version (21CFR part11)";
inline constexpr char kPasswordTitle[] = "Change password of existing project";
inline constexpr char kCompactTitle[] = "Compact existing project";
inline constexpr char kNewCodeTitle[] = "New Testee code data";
inline constexpr char kNewTesteeTitle[] = "New Testee data";
inline constexpr char kCfrWorkingProject[] = "Working project (21CFR part11)";

// The model the operator composes: its tasks in their order, each by its
// plug-in file and the name the program lists it by.
struct RoadTask {
  const char* plugin;
  const char* name;
};
inline constexpr RoadTask kRoadTasks[] = {{"QelTP", "Tapping"},
                                          {"QelMSL", "Memory Search Letters"},
                                          {"QelPU", "Pursuit"},
                                          {"QelSAA", "Sustained Attention Auditory"},
                                          {"QelPR", "Prosody"}};

// The road's model: saved as a model file of this name in the data folder,
// stored in the project under the file's title. Two of its tasks run
// faster than their plug-in's default, their timing changed on the task
// dialog's Timing page: Sustained Attention Auditory's responses count
// until 400 ms after the tone's onset (not 1500) and a tone comes every
// 600 ms (not 1750), so that its 360 trials take 3.6 minutes (not 10.5);
// Prosody's next sentence is announced 300 ms after the answer (not 2000).
inline constexpr char kRoadModelFile[] = "Road.qem";
inline constexpr char kRoadModelName[] = "Road";
struct RoadTiming {
  const char* task;          // the name the program lists it by
  uint32_t responsesEndMs;   // "Valid responses" high value; 0: as the plug-in has it
  uint32_t intervalMs;       // the events interval (rate or post-response interval)
};
inline constexpr RoadTiming kRoadTimings[] = {{"Sustained Attention Auditory", 800, 1000}};

// What the score dialog showed when a run's score was saved, by task name:
// its variables list, cell by cell. The later steps compare with it.
using ShownScores = std::map<std::string, std::vector<std::string>>;

// Where a control is in a window, and a point within a control (client
// coordinates), both found on the program's thread.
using Locator = std::function<wxWindow*(wxTopLevelWindow*)>;
using PointIn = std::function<std::optional<wxPoint>(wxWindow*)>;

inline Locator ById(int id) {
  return [id](wxTopLevelWindow* top) { return top->FindWindow(id); };
}

// A control of the window by its label (buttons, radio buttons, check boxes).
inline Locator Labelled(const std::string& label) {
  return [label](wxTopLevelWindow* top) -> wxWindow* {
    std::function<wxWindow*(wxWindow*)> find = [&](wxWindow* w) -> wxWindow* {
      for (wxWindow* child : w->GetChildren()) {
        if (child->IsTopLevel()) continue;
        if (child->GetLabel().utf8_string() == label && child->IsShown()) return child;
        if (wxWindow* found = find(child)) return found;
      }
      return nullptr;
    };
    return find(top);
  };
}

// What ends a step: which step, on which window, and what was wrong.
struct RoadFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The operator at the screen, on the driver thread.
class Operator {
 public:
  explicit Operator(std::atomic<bool>& stop) : m_stop(stop) {}

  bool Ready() const { return m_x.Ok() && m_screen.Ok(); }

  // A new step begins; the one before ends (its time is kept for the road's figures).
  void SetStep(const std::string& step) {
    const auto now = std::chrono::steady_clock::now();
    if (!m_step.empty()) m_times.emplace_back(m_step, std::chrono::duration<double>(now - m_stepStart).count());
    m_step = step;
    m_stepStart = now;
  }
  // Each step's time in seconds, once the road is walked.
  std::vector<std::pair<std::string, double>> StepTimes() {
    SetStep(std::string());
    return m_times;
  }
  void SetWindow(const std::string& window) { m_window = window; }
  // Ends the step: the message names the step, the window and the windows
  // on the screen; the screen is kept as a picture.
  [[noreturn]] void Fail(const std::string& what) {
    std::string shown;
    for (const XTopWindow& window : m_screen.Viewable()) shown += " \"" + window.title + "\"";
    throw RoadFailure("step \"" + m_step + "\", window \"" + m_window + "\": " + what + " (on the screen:" + shown +
                      "; picture " + KeepScreen() + ")");
  }

  // The screen as it is, as a PNG file in the build's output folder.
  std::string KeepScreen() {
    const test::XScreenShot shot;
    if (!shot.IsOk()) return "none";
    wxImage image(shot.Width(), shot.Height());
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        const uint32_t rgb = shot.At(x, y);
        image.SetRGB(x, y, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
      }
    }
    const std::string path = std::string(QEL_OUTPUT_DIR) + "/../road-failure.png";
    return image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG) ? path : "not written";
  }

  // Runs `f` on the program's thread and returns what it returned.
  template <class F>
  auto OnMain(F f) -> decltype(f()) {
    using Result = decltype(f());
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(f));
    std::future<Result> result = task->get_future();
    wxTheApp->CallAfter([task] { (*task)(); });
    if (result.wait_for(kMainAnswer) != std::future_status::ready) Fail("the program does not answer");
    return result.get();
  }

  // Waits until `done` holds.
  void WaitUntil(const std::function<bool()>& done, const std::string& what) {
    const auto end = std::chrono::steady_clock::now() + kWindowWait;
    while (!done()) {
      if (m_stop) Fail("stopped");
      if (std::chrono::steady_clock::now() > end) Fail("waited in vain for " + what);
      std::this_thread::sleep_for(kPoll);
    }
  }

  // The viewable top-level window whose title contains `title` (exactly
  // `title` when `exact`), as the X server knows it and as the program
  // shows it; it becomes the window the step works on.
  XTopWindow WaitWindow(const std::string& title, bool exact = false) {
    SetWindow(title);
    std::optional<XTopWindow> found;
    WaitUntil(
        [&] {
          found.reset();
          for (const XTopWindow& window : m_screen.Viewable()) {
            if (exact ? window.title == title : window.title.find(title) != std::string::npos) found = window;
          }
          return found.has_value() && (exact || ProgramShows(title));
        },
        "the window");
    m_current = *found;
    return *found;
  }

  // Waits until no pop-up menu or list is open.
  void WaitMenusClosed() {
    WaitUntil([&] { return m_screen.MenusShown() == 0; }, "the pop-up menus to close");
  }

  void WaitGone(const XTopWindow& window) {
    WaitUntil([&] { return !IsShown(window); }, "the window to close");
  }
  bool IsShown(const XTopWindow& window) {
    for (const XTopWindow& shown : m_screen.Viewable()) {
      if (shown.id == window.id) return true;
    }
    return false;
  }

  // The program's shown top-level window with the title; on its thread.
  static wxTopLevelWindow* ShownTopLevel(const std::string& title) {
    for (wxWindow* window : wxTopLevelWindows) {
      auto* top = wxDynamicCast(window, wxTopLevelWindow);
      if (top && top->IsShown() && top->GetTitle().utf8_string().find(title) != std::string::npos) return top;
    }
    return nullptr;
  }
  // The keys go to the field: it has the focus, or the composite control
  // it is part of has (a date picker's field) -- not the window itself.
  static bool HasFocusIn(wxWindow* field, wxTopLevelWindow* top) {
    for (wxWindow* w = field; w && w != top; w = w->GetParent()) {
      if (wxWindow::FindFocus() == w) return true;
    }
    return false;
  }
  bool ProgramShows(const std::string& title) {
    return OnMain([title] { return ShownTopLevel(title) != nullptr; });
  }

  // A control of the current window, shown and enabled: its centre on the
  // screen (or the point `at` gives within it).
  std::optional<wxPoint> ControlPoint(const Locator& where, const PointIn& at = PointIn()) {
    const std::string title = m_window;
    return OnMain([title, where, at]() -> std::optional<wxPoint> {
      wxTopLevelWindow* top = ShownTopLevel(title);
      wxWindow* control = top ? where(top) : nullptr;
      if (!control || !control->IsShownOnScreen() || !control->IsEnabled()) return std::nullopt;
      // Where the operator sees it: within its window (not cut off by it).
      const wxRect rect = control->GetScreenRect();
      if (rect.IsEmpty() || !top->GetScreenRect().Contains(rect)) return std::nullopt;
      if (at) {
        const std::optional<wxPoint> inside = at(control);
        if (!inside) return std::nullopt;
        return control->ClientToScreen(*inside);
      }
      return rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2);
    });
  }

  // The operator clicks the control with the left button.
  void Click(const Locator& where, const std::string& name, const PointIn& at = PointIn()) {
    std::optional<wxPoint> point;
    WaitUntil([&] { return (point = ControlPoint(where, at)).has_value(); }, "\"" + name + "\" to show, enabled");
    m_screen.Focus(m_current.id);
    m_x.MoveTo(point->x, point->y);
    m_x.Click(kLeftButton);
    m_x.Sync();
  }
  void Click(int id, const std::string& name) { Click(ById(id), name); }
  // The operator double-clicks the control (a list's row) with the left button.
  void DoubleClick(const Locator& where, const std::string& name, const PointIn& at = PointIn()) {
    Click(where, name, at);
    m_x.Click(kLeftButton);
    m_x.Sync();
  }
  // Types into whatever field of the current window has the focus (a
  // dialog of the toolkit's own, whose fields the program does not know).
  void TypeText(const std::string& text) {
    m_screen.Focus(m_current.id);
    m_x.Type(text);
    m_x.Sync();
  }

  // The operator clicks into the text field and types the text into it.
  void TypeInto(const Locator& where, const std::string& name, const std::string& text) {
    Click(where, name);
    const std::string title = m_window;
    auto value = [this, title, where] {
      return OnMain([title, where]() -> std::optional<std::string> {
        wxTopLevelWindow* top = ShownTopLevel(title);
        auto* field = top ? wxDynamicCast(where(top), wxTextCtrl) : nullptr;
        if (!field || !HasFocusIn(field, top)) return std::nullopt;
        return field->GetValue().utf8_string();
      });
    };
    WaitUntil([&] { return value().has_value(); }, "\"" + name + "\" to take the keys");
    // What the field held is replaced.
    if (!value()->empty()) {
      m_x.KeyNamed("Control_L", true);
      m_x.Type("a");
      m_x.KeyNamed("Control_L", false);
      m_x.Sync();
      m_x.KeyNamed("BackSpace", true);
      m_x.KeyNamed("BackSpace", false);
      m_x.Sync();
      WaitUntil([&] { return value() == std::string(); }, "\"" + name + "\" to be emptied");
    }
    m_x.Type(text);
    m_x.Sync();
    WaitUntil([&] { return value() == text; }, "\"" + name + "\" to hold \"" + text + "\"");
  }
  void TypeInto(int id, const std::string& name, const std::string& text) { TypeInto(ById(id), name, text); }

  // Waits until the program's state, read on its thread from the current
  // window, holds.
  void WaitProgram(const std::function<bool(wxTopLevelWindow*)>& holds, const std::string& what) {
    const std::string title = m_window;
    WaitUntil(
        [&] {
          return OnMain([title, holds] {
            wxTopLevelWindow* top = ShownTopLevel(title);
            return top && holds(top);
          });
        },
        what);
  }

  // Keys to the window the step works on (Return, Escape, a menu's
  // mnemonic with Alt).
  void PressKey(const char* keysym) {
    m_screen.Focus(m_current.id);
    m_x.KeyNamed(keysym, true);
    m_x.KeyNamed(keysym, false);
    m_x.Sync();
  }
  void PressWith(const char* modifier, const char* keysym) {
    m_screen.Focus(m_current.id);
    m_x.KeyNamed(modifier, true);
    m_x.KeyNamed(keysym, true);
    m_x.KeyNamed(keysym, false);
    m_x.KeyNamed(modifier, false);
    m_x.Sync();
  }

  // A message box of the program's: the operator reads it and presses
  // Return on its button.
  void AcknowledgeMessage(const std::string& about) {
    const std::string window = m_window;
    const XTopWindow box = WaitWindow(kMessageBoxTitle, true);
    SetWindow(std::string(kMessageBoxTitle) + "\" message box (" + about + ")");
    PressKey("Return");
    WaitGone(box);
    SetWindow(window);
  }

  // The program's text in a control of the window with the title.
  std::string ControlText(const std::string& title, const Locator& where) {
    return OnMain([title, where] {
      wxTopLevelWindow* top = ShownTopLevel(title);
      wxWindow* control = top ? where(top) : nullptr;
      return control ? control->GetLabel().utf8_string() : std::string("<no control>");
    });
  }

  // The toolkit's own dialogs (file and printer dialogs), which are not the
  // program's windows: a viewable window with exactly the title other than
  // `besides` (a program's dialog of the same title).
  XTopWindow WaitOtherWindow(const std::string& title, unsigned long besides) {
    SetWindow(title + "\" (the toolkit's dialog)");
    std::optional<XTopWindow> found;
    WaitUntil(
        [&] {
          found.reset();
          for (const XTopWindow& window : m_screen.Viewable()) {
            if (window.title == title && window.id != besides) found = window;
          }
          return found.has_value();
        },
        "the window");
    m_current = *found;
    return *found;
  }

  // One round of closing what a failure left open, so that the program's
  // thread comes back to the road's end: the innermost of the program's
  // modal dialogs is ended (a dialog opened from a dialog before the one
  // that opened it), and every other window but the main window that the
  // program does not know as its own (a message box, the testee's screen)
  // gets Escape. True when nothing was left to close.
  bool Unblock() {
    struct Shown {
      std::vector<std::string> own;
      bool modalEnded = false;
    };
    auto task = std::make_shared<std::packaged_task<Shown()>>([] {
      Shown shown;
      wxDialog* innermost = nullptr;
      for (wxWindow* window : wxTopLevelWindows) {
        auto* top = wxDynamicCast(window, wxTopLevelWindow);
        if (top && top->IsShown()) shown.own.push_back(top->GetTitle().utf8_string());
        auto* dialog = wxDynamicCast(window, wxDialog);
        if (dialog && dialog->IsModal()) innermost = dialog;
      }
      if (innermost) innermost->EndModal(wxID_CANCEL);
      shown.modalEnded = innermost != nullptr;
      return shown;
    });
    std::future<Shown> done = task->get_future();
    wxTheApp->CallAfter([task] { (*task)(); });
    const bool answered = done.wait_for(kUnblockAnswer) == std::future_status::ready;
    const Shown shown = answered ? done.get() : Shown();
    int escaped = 0;
    // A program's thread that does not answer is in a task's own wait for
    // the operator, which reads the keyboard whichever window has the
    // focus: Escape ends it.
    if (!answered) {
      m_x.KeyNamed("Escape", true);
      m_x.KeyNamed("Escape", false);
      m_x.Sync();
      ++escaped;
    }
    for (const XTopWindow& window : m_screen.Viewable()) {
      if (window.title.find(kFrameTitle) != std::string::npos) continue;
      if (std::find(shown.own.begin(), shown.own.end(), window.title) != shown.own.end()) continue;
      m_screen.Focus(window.id);
      m_x.KeyNamed("Escape", true);
      m_x.KeyNamed("Escape", false);
      m_x.Sync();
      ++escaped;
    }
    return answered && !shown.modalEnded && escaped == 0;
  }

 private:
  std::atomic<bool>& m_stop;
  XTestInput m_x;
  XWindows m_screen;
  XTopWindow m_current;
  std::string m_step;
  std::string m_window;
  std::chrono::steady_clock::time_point m_stepStart;
  std::vector<std::pair<std::string, double>> m_times;
};

// A fresh workstation: a program folder of links to the built program
// files (no norms file: the program warns of it), a home with the settings
// file and a workstation users folder, all of the test's own.
class RoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      const bool plugin = name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet";
      if (plugin || name == kDisplayLibraryName || name == "help") {
        fs::create_symlink(entry.path(), m_folder.Path() / name);
      }
    }
    ::setenv("HOME", m_home.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (m_home.Path() / ".config").c_str(), 1);
    ::setenv(kUsersFolderVariable, m_users.Path().c_str(), 1);
    ResetSystemSettings();
    LogoutCurrentUser();
  }
  void TearDown() override { ::unsetenv(kUsersFolderVariable); }

  std::string Folder() const { return m_folder.Path().string() + "/"; }
  // The settings file the program starts with (a road walked by another
  // process of the test takes that process's).
  virtual std::string SettingsPath() const { return (m_home.Path() / "Qel.conf").string(); }
  std::string ProjectPath() const { return (m_data.Path() / kProjectFile).string(); }

  // The program as its application object runs it, while the operator
  // walks the road on the driver thread; the failure of a step, if any.
  std::string Walk(const std::function<void(Operator&)>& road) {
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> closed{false};
    std::mutex mutex;
    std::string failure;
    Operator op(stop);
    if (!op.Ready()) return "no X server for the operator";
    // The picture of the screen a failure keeps.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    std::thread driver([&] {
      bool failed = false;
      try {
        road(op);
      } catch (const RoadFailure& e) {
        std::lock_guard<std::mutex> lock(mutex);
        failure = e.what();
        failed = true;
        // Said at once: the road may not come to its end.
        std::fprintf(stderr, "road failure: %s\n", failure.c_str());
        std::fflush(stderr);
      }
      finished = true;
      // A failed road ends the program as it stands: until the program is
      // gone, what it opens (dialogs within dialogs, the questions of its
      // closing) is closed again.
      while (failed && !closed) {
        if (op.Unblock()) std::this_thread::sleep_for(kUnblockPause);
      }
    });

    InstallPromptBoxes();
    CProgramWiring wiring;
    wiring.Install();
    {
      CQelProgram program(Folder(), SettingsPath());
      if (program.InitInstance({"Qel"})) {
        wxTheApp->CallAfter([] { CProgramWiring::EnumDevices(); });
        test::PumpUntil([&] { return finished.load(); }, kRoadLimitMs);
        // The frame the operator did not close is closed as the operator would.
        wxWindow* frame = program.GetMainFrame();
        const bool open = std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), frame) != wxTopLevelWindows.end();
        if (frame && open) frame->Close(true);
        test::Pump(50);
      }
      stop = true;
      test::PumpUntil([&] { return finished.load(); }, kRoadLimitMs);
      program.ExitInstance();
    }
    closed = true;
    wiring.Uninstall();
    driver.join();
    test::Pump(50);
    // The figures of the road (not checked: the benchmark of the road).
    for (const auto& [step, seconds] : op.StepTimes()) {
      std::printf("road step \"%s\": %.2f s\n", step.c_str(), seconds);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("road peak memory: %ld KiB\n", usage.ru_maxrss);
    return failure;
  }

  TempFolder m_folder;
  TempFolder m_home;
  TempFolder m_users;
  TempFolder m_data;
};

// The control with the id on a page of the main view's tabs.
inline Locator OnPage(int page, int id) {
  return [page, id](wxTopLevelWindow* top) -> wxWindow* {
    auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
    wxWindow* shown = tabs && page < static_cast<int>(tabs->GetPageCount()) ? tabs->GetPage(page) : nullptr;
    return shown ? shown->FindWindow(id) : nullptr;
  };
}

// Where the notebook draws the tab of the page.
inline PointIn TabOf(int page) {
  return [page](wxWindow* control) -> std::optional<wxPoint> {
    auto* tabs = wxDynamicCast(control, wxNotebook);
    if (!tabs) return std::nullopt;
    constexpr int kStep = 4;
    constexpr int kTabStrip = 60;
    for (int y = 0; y < kTabStrip; y += kStep) {
      for (int x = 0; x < tabs->GetClientSize().x; x += kStep) {
        if (tabs->HitTest(wxPoint(x, y)) == page) return wxPoint(x + kStep, y + kStep);
      }
    }
    return std::nullopt;
  };
}

// The middle of a list's row.
inline PointIn RowOf(long row) {
  return [row](wxWindow* control) -> std::optional<wxPoint> {
    auto* list = wxDynamicCast(control, wxListCtrl);
    wxRect rect;
    if (!list || row >= list->GetItemCount() || !list->GetItemRect(row, rect)) return std::nullopt;
    return rect.GetPosition() + wxPoint(rect.width / 4, rect.height / 2);
  };
}

// The text field inside a composite control (the date picker's).
inline Locator TextInside(int id) {
  return [id](wxTopLevelWindow* top) -> wxWindow* {
    wxWindow* outer = top->FindWindow(id);
    std::function<wxWindow*(wxWindow*)> find = [&](wxWindow* w) -> wxWindow* {
      if (wxDynamicCast(w, wxTextCtrl)) return w;
      for (wxWindow* child : w->GetChildren()) {
        if (wxWindow* found = find(child)) return found;
      }
      return nullptr;
    };
    return outer ? find(outer) : nullptr;
  };
}

// Every cell of a list, row by row.
inline std::vector<std::string> ListRows(wxWindow* control) {
  std::vector<std::string> rows;
  if (auto* list = wxDynamicCast(control, wxListCtrl)) {
    for (long row = 0; row < list->GetItemCount(); ++row) {
      for (int column = 0; column < list->GetColumnCount(); ++column) {
        rows.push_back(list->GetItemText(row, column).utf8_string());
      }
    }
  }
  return rows;
}

inline bool Holds(const std::vector<std::string>& rows, const std::string& text) {
  return std::find(rows.begin(), rows.end(), text) != rows.end();
}

// Picks an entry of a read-only combo box: the operator opens its list
// and takes the first entry with the keyboard.
inline void ChooseFirst(Operator& op, int id, const std::string& name) {
  op.Click(id, name);
  op.PressKey("Down");
  op.PressKey("Return");
  op.WaitProgram(
      [id](wxTopLevelWindow* top) {
        auto* combo = wxDynamicCast(top->FindWindow(id), wxComboBox);
        return combo && combo->GetSelection() != wxNOT_FOUND;
      },
      "\"" + name + "\" to show a choice");
  op.WaitMenusClosed();
}

// The project file as the sqlcipher program reads it with the password.
inline std::string QueryProject(const std::string& path, const std::string& password, const std::string& sql) {
  const test::ProgramResult result = test::RunSqlShell("sqlcipher", path, sql, password);
  return result.exitCode == 0 ? result.output : "<sqlcipher fails: " + result.errors + ">";
}

}  // namespace qel::road

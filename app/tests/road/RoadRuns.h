// Test runs of the road's model on the Assessments page, shared by the
// steps that run the tasks: the operator chooses the testee, the model, the
// task and its part, starts the test, watches the run on the run dialog,
// reads the score dialog the run opens and saves the score; the testee
// answers with keys of a connection of its own.
#pragma once

#include <wx/button.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/tests/road/Road.h"
#include "display/ui/DlgDDBreak.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "scores/ui/DlgScore.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/ProjectLists.h"

namespace qel::road {

// A testee's key press: held this long, and let go as long before the next.
inline constexpr auto kKeyHold = 120ms;
// How long a test run may take on a loaded machine, from its start to its
// score dialog.
inline constexpr auto kRunLimit = 10min;
// The score dialog's variables list in its basic view: number, variable,
// value, label.
inline constexpr int kScoreColumns = 4;
inline constexpr int kScoreNameColumn = 1;
inline constexpr int kScoreValueColumn = 2;
// The part of the screen's centre the testee's screen draws in, and the
// main window's distance from the centre while a run shows there.
inline constexpr int kCentreHalf = 150;
inline constexpr int kAside = kCentreHalf + 10;

// The testee at the testee's screen: keys and mouse buttons through the X
// test extension on a connection of its own, as a response keyboard or
// mouse sends them. The program reads them whichever window has the focus.
// A fresh workstation's response device is the mouse: its left and right
// buttons (X buttons 1 and 3) are the left and right response buttons.
inline constexpr unsigned kLeftMouseButton = 1;
inline constexpr unsigned kRightMouseButton = 3;

class TesteeKeys {
 public:
  bool Ready() const { return m_x.Ok(); }
  // The pointer goes to the middle of the screen, over the testee's screen.
  void PointAtCentre() {
    m_x.MoveTo(m_x.ScreenWidth() / 2, m_x.ScreenHeight() / 2);
    m_x.Sync();
  }
  // One press of a mouse button, held and let go as long as a key.
  void Press(unsigned button, std::chrono::milliseconds hold = kKeyHold) {
    m_x.Button(button, true);
    m_x.Sync();
    std::this_thread::sleep_for(hold);
    m_x.Button(button, false);
    m_x.Sync();
    std::this_thread::sleep_for(hold);
  }
  // One press: the key held, then let go, as long each.
  void Tap(const char* keysym, std::chrono::milliseconds hold = kKeyHold) {
    m_x.KeyNamed(keysym, true);
    m_x.Sync();
    std::this_thread::sleep_for(hold);
    m_x.KeyNamed(keysym, false);
    m_x.Sync();
    std::this_thread::sleep_for(hold);
  }
  int ScreenWidth() const { return m_x.ScreenWidth(); }
  int ScreenHeight() const { return m_x.ScreenHeight(); }

 private:
  XTestInput m_x;
};

// The Assessments page of the main view; on the program's thread.
inline CDlgTabAssessment* AssessmentsPage(wxTopLevelWindow* top) {
  auto* tabs = top ? wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook) : nullptr;
  return tabs && kPageAssessments < static_cast<int>(tabs->GetPageCount())
             ? dynamic_cast<CDlgTabAssessment*>(tabs->GetPage(kPageAssessments))
             : nullptr;
}

// The Assessments page's state, read on the program's thread.
template <class F>
auto ReadAssessmentsPage(Operator& op, F read) -> decltype(read(static_cast<CDlgTabAssessment*>(nullptr))) {
  return op.OnMain([read] {
    CDlgTabAssessment* page = AssessmentsPage(Operator::ShownTopLevel(kFrameTitle));
    return read(page);
  });
}

// The operator picks the entry with the key in one of the page's choosers:
// a click opens its list, the arrow keys go from the entry chosen to the
// one wanted and Return takes it.
inline void ChooseOnPage(Operator& op, int id, const std::string& name, const std::string& key) {
  const Locator where = OnPage(kPageAssessments, id);
  auto positions = [&] {
    return op.OnMain([where, key]() -> std::pair<int, int> {
      wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
      auto* combo = top ? dynamic_cast<CComboBoxQel*>(where(top)) : nullptr;
      if (!combo) return {-1, -1};
      return {combo->GetSelection(), combo->FindKey(key.c_str())};
    });
  };
  const auto [chosen, wanted] = positions();
  if (wanted < 0) op.Fail("\"" + name + "\" does not list \"" + key + "\"");
  if (chosen == wanted) return;
  op.Click(where, name);
  const int from = chosen < 0 ? 0 : chosen;
  for (int step = from; step < wanted; ++step) op.PressKey("Down");
  for (int step = from; step > wanted; --step) op.PressKey("Up");
  op.PressKey("Return");
  op.WaitUntil([&] { return positions().first == wanted; }, "\"" + name + "\" to show \"" + key + "\"");
  op.WaitMenusClosed();
}

// The operator clicks the "-" or "+" of the page's spin button (side by
// side, or "+" above "-") until the number it steps shows `wanted`.
template <class Read>
void StepSpinTo(Operator& op, int id, const std::string& name, Read read, int wanted) {
  auto shown = [&] { return ReadAssessmentsPage(op, read); };
  constexpr int kMostSteps = 20;
  for (int step = 0; shown() != wanted; ++step) {
    const int before = shown();
    if (step == kMostSteps) op.Fail("\"" + name + "\" does not come to " + std::to_string(wanted));
    const bool down = before > wanted;
    op.Click(OnPage(kPageAssessments, id), name + (down ? " -" : " +"),
             [down](wxWindow* control) -> std::optional<wxPoint> {
               const wxSize size = control->GetClientSize();
               constexpr int kQuarters = 4;
               const int near = 1;
               const int far = kQuarters - 1;
               if (size.x >= size.y) return wxPoint(size.x * (down ? near : far) / kQuarters, size.y / 2);
               return wxPoint(size.x / 2, size.y * (down ? far : near) / kQuarters);
             });
    op.WaitUntil([&] { return shown() != before; }, "\"" + name + "\" to change from " + std::to_string(before));
  }
}

// The operator shows the Assessments page and chooses the testee, the
// model (the page's first when empty), the task and its part (from 1) there.
inline void SelectTesteeModelTaskPart(Operator& op, const std::string& testee, const std::string& model,
                                      const RoadTask& task, int part) {
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Assessments tab", TabOf(kPageAssessments));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
        return tabs && tabs->GetSelection() == kPageAssessments;
      },
      "the Assessments page to show");
  ChooseOnPage(op, CDlgTabAssessment::kIdTestees, "Current testee", testee);
  if (!model.empty()) ChooseOnPage(op, CDlgTabAssessment::kIdModels, "Current model", model);
  // The tasks chooser lists the model's tasks by their codes.
  const std::string name = task.name;
  const std::string code = op.OnMain([name] {
    CDlgTabAssessment* page = AssessmentsPage(Operator::ShownTopLevel(kFrameTitle));
    CComboBoxTasks* tasks = page ? page->GetTaskCombo() : nullptr;
    for (int i = 0; tasks && i < static_cast<int>(tasks->GetTaskNames().size()); ++i) {
      if (tasks->GetTaskNames()[i] == name) return tasks->GetKey(i);
    }
    return std::string();
  });
  if (code.empty()) op.Fail("the model's tasks lack \"" + name + "\"");
  ChooseOnPage(op, CDlgTabAssessment::kIdTasks, "Current task", code);
  StepSpinTo(op, CDlgTabAssessment::kIdPartSpin, "Part",
             [](CDlgTabAssessment* page) { return page ? page->GetPartNumber() : 0; }, part);
  op.WaitProgram(
      [testee, code](wxTopLevelWindow* top) {
        CDlgTabAssessment* page = AssessmentsPage(top);
        return page && page->GetCurrentTestee() == testee && page->GetCurrentTask() == code &&
               !page->GetCurrentModel().empty();
      },
      "the page to show the testee and the task");
}

// The operator steps the page's assessment number with its spin button
// until it shows the number.
inline void SelectAssessment(Operator& op, uint32_t assessment) {
  StepSpinTo(op, CDlgTabAssessment::kIdAssessmentSpin, "Ano",
             [](CDlgTabAssessment* page) { return page ? static_cast<int>(page->GetAssessmentNumber()) : 0; },
             static_cast<int>(assessment));
}

inline bool RunInProgress(Operator& op) {
  return op.OnMain([] { return IsAnyRunInProgress(); });
}

// The testee's screen of the run is up.
inline bool TesteeScreenUp(Operator& op) {
  return op.OnMain([] {
    CQelProgram* program = GetProgram();
    return program && program->Host().Display().GetWndDD()->GetWindow() != nullptr;
  });
}

// Something is drawn in the middle of the screen (the testee's screen is
// black but for what the task shows).
inline bool DrawnInCentre(const TesteeKeys& keys) {
  return test::XScreenShot(keys.ScreenWidth() / 2 - kCentreHalf, keys.ScreenHeight() / 2 - kCentreHalf,
                           2 * kCentreHalf, 2 * kCentreHalf)
             .CountLit() > 0;
}

// The operator presses Test. Once the testee's screen is up, the main
// window steps away from the middle of the screen, where the task draws;
// its place is returned to put it back.
inline wxPoint StartTestRun(Operator& op) {
  op.WaitWindow(kFrameTitle);
  op.Click(OnPage(kPageAssessments, CDlgTabAssessment::kIdTest), "Test");
  op.SetWindow("testee's screen");
  op.WaitUntil([&] { return RunInProgress(op) && TesteeScreenUp(op); }, "the test run's testee screen");
  return op.OnMain([] {
    wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
    const wxPoint place = top ? top->GetPosition() : wxPoint();
    const wxSize screen = wxGetDisplaySize();
    if (top) top->Move(screen.x / 2 + kAside, screen.y / 2 + kAside);
    return place;
  });
}

// The run dialog of the run in progress (the Assessments page's runs go on
// a hidden one of their own); null when none runs. On the program's thread.
inline CDlgRun* ActiveRunDialog() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* run = dynamic_cast<CDlgRun*>(window);
    if (run && run->IsRunInProgress()) return run;
  }
  return nullptr;
}

// The run dialog's text in the control with the id ("" without a run).
inline std::string RunDialogText(Operator& op, int id) {
  return op.OnMain([id] {
    CDlgRun* run = ActiveRunDialog();
    wxWindow* control = run ? run->FindWindow(id) : nullptr;
    return control ? control->GetLabel().utf8_string() : std::string();
  });
}

// The title of the break dialog on the testee's screen; empty when none shows.
inline std::string BreakDialogTitle(Operator& op) {
  return op.OnMain([] {
    for (wxWindow* window : wxTopLevelWindows) {
      auto* dialog = wxDynamicCast(window, wxDialog);
      if (dialog && dialog->IsShown() && dialog->FindWindow(CDlgDDBreak::kIdText)) return dialog->GetTitle().utf8_string();
    }
    return std::string();
  });
}

// The testee goes on from the break dialog with its Continue button.
inline void ContinueBreak(Operator& op, const std::string& title) {
  const XTopWindow dialog = op.WaitWindow(title, true);
  op.Click(wxID_CANCEL, "Continue");
  op.WaitGone(dialog);
  op.SetWindow("testee's screen");
}

// The caption of the shown score dialog; empty when none is shown.
inline std::string ScoreDialogCaption(Operator& op) {
  return op.OnMain([] {
    for (wxWindow* window : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<CDlgScore*>(window);
      if (dialog && dialog->IsShown()) return dialog->GetTitle().utf8_string();
    }
    return std::string();
  });
}

// Waits until the run has ended and its score dialog shows; the main
// window goes back to its place. Returns the score dialog's caption; the
// dialog is the window the step works on.
inline std::string WaitRunEnd(Operator& op, const wxPoint& home) {
  const auto end = std::chrono::steady_clock::now() + kRunLimit;
  std::string caption;
  while ((caption = ScoreDialogCaption(op)).empty()) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the run does not end with its score dialog");
    std::this_thread::sleep_for(kPoll);
  }
  op.OnMain([home] {
    if (wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle)) top->Move(home);
    return true;
  });
  op.WaitWindow(caption, true);
  return caption;
}

// The variables list of the shown score dialog, cell by cell.
inline std::vector<std::string> ScoreDialogCells(Operator& op, const std::string& caption) {
  return op.OnMain([caption] {
    auto* dialog = dynamic_cast<CDlgScore*>(Operator::ShownTopLevel(caption));
    if (!dialog || dialog->List()->GetColumnCount() != kScoreColumns) return std::vector<std::string>();
    return ListRows(dialog->List());
  });
}

// The value the score dialog's list showed for the variable; nullopt when
// it does not list it.
inline std::optional<std::string> ShownValue(const std::vector<std::string>& cells, const std::string& variable) {
  for (size_t row = 0; row + kScoreColumns <= cells.size(); row += kScoreColumns) {
    if (cells[row + kScoreNameColumn] == variable) return cells[row + kScoreValueColumn];
  }
  return std::nullopt;
}

// The operator reads the score dialog's variables list (kept in `shown`
// under the task's name), presses Save and waits until the dialog is gone
// and the program is back at the main window, the run's assessment filed.
inline std::vector<std::string> SaveScoreShown(Operator& op, const std::string& caption, const RoadTask& task,
                                               ShownScores& shown) {
  const XTopWindow dialog = op.WaitWindow(caption, true);
  const std::vector<std::string> cells = ScoreDialogCells(op, caption);
  if (cells.empty()) op.Fail("the score dialog lists no variables");
  shown[task.name] = cells;
  op.Click(
      [](wxTopLevelWindow* top) -> wxWindow* {
        auto* score = dynamic_cast<CDlgScore*>(top);
        return score ? score->SaveButton() : nullptr;
      },
      "Save");
  op.WaitGone(dialog);
  op.WaitWindow(kFrameTitle);
  op.WaitUntil([&] { return !RunInProgress(op); }, "the run to be over");
  return cells;
}

}  // namespace qel::road

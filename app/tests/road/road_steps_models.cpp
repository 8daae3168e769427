// The steps of the road that concern the model: on the Models page the
// operator composes the road's model in the model editor from the tasks
// available, changes a task's timing in the task dialog, saves the model
// file and adds the model to the project; after the restart the model is
// still in the project.
#include <wx/display.h>
#include <wx/renderer.h>

#include "app/tests/road/RoadSteps.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskPar.h"
#include "editors/ui/DlgTaskParTim.h"
#include "engine/rundlg/ui/DlgTasksAvailable.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/ProjectLists.h"

namespace qel::road {
namespace {

constexpr char kModelEditorTitle[] = "Model";
constexpr char kTasksAvailableTitle[] = "Tasks available";
constexpr char kSaveModelTitle[] = "Save Qel model";
constexpr char kTimingTab[] = "Timing";
// How long the operator waits for the file dialog to take the Save key before pressing it again.
constexpr auto kSaveRetry = 2s;
// The "Name" column of the tasks available and of the editor's tasks list.
constexpr int kNameColumn = 2;
// The "Id" column of the same lists.
constexpr int kIdColumn = 1;

// The Models page of the main view.
CDlgTabModel* ModelsPage(wxTopLevelWindow* top) {
  auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
  return tabs && kPageModels < static_cast<int>(tabs->GetPageCount())
             ? dynamic_cast<CDlgTabModel*>(tabs->GetPage(kPageModels))
             : nullptr;
}

CListCtrlQel* ListOf(wxTopLevelWindow* top, int id) { return dynamic_cast<CListCtrlQel*>(top->FindWindow(id)); }

// The row of a list whose cell in the column holds the text; -1 when none.
int RowWith(const CListCtrlQel* list, int column, const std::string& text) {
  for (int row = 0; list && row < list->GetItemCount(); ++row) {
    if (list->GetItemText(row, column).utf8_string() == text) return row;
  }
  return -1;
}

// A column's cells, top to bottom.
std::vector<std::string> ColumnOf(const CListCtrlQel* list, int column) {
  std::vector<std::string> cells;
  for (int row = 0; list && row < list->GetItemCount(); ++row) cells.push_back(list->GetItemText(row, column).utf8_string());
  return cells;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "\"" : ", \"") + text + "\"";
  return joined;
}

// A row of a list where the operator sees it: within the list's window.
std::optional<wxRect> VisibleRow(CListCtrlQel* list, int row) {
  wxRect rect;
  if (!list || row < 0 || row >= list->GetItemCount() || !list->GetItemRect(row, rect)) return std::nullopt;
  if (rect.y < 0 || rect.GetBottom() > list->GetClientSize().y) return std::nullopt;
  return rect;
}

// Where the operator clicks on a row's text (its name cell), and on its
// check box, which the list draws at the row's left after a small margin.
PointIn NameCellOf(const std::string& name) {
  return [name](wxWindow* control) -> std::optional<wxPoint> {
    auto* list = dynamic_cast<CListCtrlQel*>(control);
    const std::optional<wxRect> rect = VisibleRow(list, RowWith(list, kNameColumn, name));
    if (!rect) return std::nullopt;
    int x = 0;
    for (int column = 0; column < kNameColumn; ++column) x += list->GetColumnWidth(column);
    return wxPoint(rect->x + x + list->GetColumnWidth(kNameColumn) / 2, rect->y + rect->height / 2);
  };
}
PointIn CheckBoxOf(const std::string& name) {
  return [name](wxWindow* control) -> std::optional<wxPoint> {
    auto* list = dynamic_cast<CListCtrlQel*>(control);
    const std::optional<wxRect> rect = VisibleRow(list, RowWith(list, kNameColumn, name));
    if (!rect) return std::nullopt;
    constexpr int kBoxMargin = 5;
    const wxSize box = wxRendererNative::Get().GetCheckBoxSize(list);
    return wxPoint(rect->x + kBoxMargin + box.x / 2, rect->y + rect->height / 2);
  };
}

// Where the notebook of a dialog draws the tab with the text.
PointIn TabNamed(const std::string& tab) {
  return [tab](wxWindow* control) -> std::optional<wxPoint> {
    auto* pages = wxDynamicCast(control, wxNotebook);
    for (size_t i = 0; pages && i < pages->GetPageCount(); ++i) {
      if (pages->GetPageText(i) == tab) return TabOf(static_cast<int>(i))(control);
    }
    return std::nullopt;
  };
}

// A control on the shown page of a notebook.
Locator OnShownPage(int notebook, int id) {
  return [notebook, id](wxTopLevelWindow* top) -> wxWindow* {
    auto* pages = wxDynamicCast(top->FindWindow(notebook), wxNotebook);
    wxWindow* page = pages ? pages->GetCurrentPage() : nullptr;
    return page ? page->FindWindow(id) : nullptr;
  };
}

// A row below the list's end comes into view as the operator goes down the
// list with the arrow key, from the row selected last (the first when none).
void BringIntoView(Operator& op, const std::string& title, const Locator& list, const std::string& name) {
  const auto rows = op.OnMain([title, list, name] {
    wxTopLevelWindow* top = Operator::ShownTopLevel(title);
    auto* shown = top ? dynamic_cast<CListCtrlQel*>(list(top)) : nullptr;
    const int row = RowWith(shown, kNameColumn, name);
    return std::make_pair(row, row < 0 || VisibleRow(shown, row) ? -1 : std::max(shown->GetSelectedRow(), 0));
  });
  if (rows.second < 0) return;
  op.Click(list, "row " + std::to_string(rows.second + 1), RowOf(rows.second));
  for (int row = rows.second; row < rows.first; ++row) op.PressKey("Down");
  op.WaitProgram(
      [list, name](wxTopLevelWindow* top) {
        auto* shown = dynamic_cast<CListCtrlQel*>(list(top));
        return VisibleRow(shown, RowWith(shown, kNameColumn, name)).has_value();
      },
      "\"" + name + "\" to come into view");
}

// The whole window within the screen's work area, as the operator must see it.
void ExpectOnScreen(Operator& op, const std::string& title) {
  const std::string where = op.OnMain([title]() -> std::string {
    wxTopLevelWindow* top = Operator::ShownTopLevel(title);
    if (!top) return "not shown";
    const int display = wxDisplay::GetFromWindow(top);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
    const wxRect rect = top->GetScreenRect();
    if (area.Contains(rect)) return std::string();
    return wxString::Format("at %d,%d sized %dx%d, beyond the screen's %dx%d", rect.x, rect.y, rect.width, rect.height,
                            area.width, area.height)
        .utf8_string();
  });
  if (!where.empty()) op.Fail("the window does not fit the screen: " + where);
}

// The model editor the Models page's New opened: the program's dialog of
// that class, shown.
bool EditorShown() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (dynamic_cast<CDlgModel*>(window) && window->IsShown()) return true;
  }
  return false;
}

// The Tasks available dialog: the operator adds each task of the road in
// turn: a click on its row, one on its check box, then "Add to model"; at
// the end the dialog is closed.
void AddRoadTasks(Operator& op) {
  op.Click(CDlgModel::kIdAdd, "Add");
  const XTopWindow available = op.WaitWindow(kTasksAvailableTitle);
  ExpectOnScreen(op, kTasksAvailableTitle);
  const std::vector<std::string> listed = op.OnMain([] {
    wxTopLevelWindow* top = Operator::ShownTopLevel(kTasksAvailableTitle);
    return ColumnOf(top ? ListOf(top, CDlgTasksAvailable::kIdList) : nullptr, kNameColumn);
  });
  for (const RoadTask& task : kRoadTasks) {
    const std::string name = task.name;
    if (!Holds(listed, name)) op.Fail("the tasks available do not list \"" + name + "\"; they list " + Joined(listed));
    const Locator list = ById(CDlgTasksAvailable::kIdList);
    BringIntoView(op, kTasksAvailableTitle, list, name);
    op.Click(list, "\"" + name + "\" row", NameCellOf(name));
    op.WaitProgram(
        [name](wxTopLevelWindow* top) {
          CListCtrlQel* shown = ListOf(top, CDlgTasksAvailable::kIdList);
          const int row = RowWith(shown, kNameColumn, name);
          return row >= 0 && shown->GetItemState(row, wxLIST_STATE_SELECTED) != 0;
        },
        "\"" + name + "\" to be selected");
    op.Click(list, "\"" + name + "\" check box", CheckBoxOf(name));
    op.WaitProgram(
        [name](wxTopLevelWindow* top) {
          CListCtrlQel* shown = ListOf(top, CDlgTasksAvailable::kIdList);
          const int row = RowWith(shown, kNameColumn, name);
          return row >= 0 && shown->IsRowChecked(row);
        },
        "\"" + name + "\" to be checked");
    // One at a time: the dialog adds what is checked in its own order.
    op.Click(wxID_OK, "Add to model");
    op.WaitProgram(
        [name](wxTopLevelWindow* top) {
          CListCtrlQel* shown = ListOf(top, CDlgTasksAvailable::kIdList);
          const int row = RowWith(shown, kNameColumn, name);
          return row >= 0 && !shown->IsRowChecked(row) && !top->FindWindow(wxID_OK)->IsEnabled();
        },
        "\"" + name + "\" to be added");
  }
  op.Click(wxID_CANCEL, "Cancel");
  op.WaitGone(available);
}

// The project's models list on the Models page shows the road's model.
void FindRoadModel(Operator& op) {
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Models tab", TabOf(kPageModels));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        CDlgTabModel* page = ModelsPage(top);
        return page && Holds(ListRows(page->GetModelList()), kRoadModelName);
      },
      "the project's models list to show \"" + std::string(kRoadModelName) + "\"");
}

// Step 3: a double click on a task of the model file opens the task dialog,
// whose Timing page takes the faster timing; OK keeps it in the model file.
void SpeedUpTask(Operator& op, const RoadTiming& timing) {
  const std::string name = timing.task;
  op.SetStep("3 model: a faster timing for " + name + " in the task dialog");
  op.WaitWindow(kFrameTitle);
  BringIntoView(op, kFrameTitle, OnPage(kPageModels, CDlgTabModel::kIdTasks), name);
  op.DoubleClick(OnPage(kPageModels, CDlgTabModel::kIdTasks), "\"" + name + "\" row", NameCellOf(name));
  const XTopWindow dialog = op.WaitWindow(name, true);
  ExpectOnScreen(op, name);
  op.Click(ById(CDlgTaskPar::kIdTabs), "Timing tab", TabNamed(kTimingTab));
  const Locator responsesEnd = OnShownPage(CDlgTaskPar::kIdTabs, CDlgTaskParTim::kIdVrHigh);
  const Locator interval = OnShownPage(CDlgTaskPar::kIdTabs, CDlgTaskParTim::kIdIntLow);
  op.WaitProgram(
      [interval](wxTopLevelWindow* top) {
        wxWindow* field = interval(top);
        return field && field->IsShownOnScreen();
      },
      "the Timing page to show");
  if (timing.responsesEndMs) op.TypeInto(responsesEnd, "Valid responses (high)", std::to_string(timing.responsesEndMs));
  op.TypeInto(interval, "Events interval", std::to_string(timing.intervalMs));
  op.WaitProgram([](wxTopLevelWindow* top) { return top->FindWindow(wxID_OK)->IsEnabled(); }, "OK to be enabled");
  op.Click(wxID_OK, "OK");
  op.WaitGone(dialog);
  op.WaitWindow(kFrameTitle);
}

// Step 3: Save stores the new model file where the operator names it in
// the file dialog.
void SaveModelFile(Operator& op, const std::string& path) {
  op.SetStep("3 model: save the model file");
  op.WaitWindow(kFrameTitle);
  op.Click(OnPage(kPageModels, CDlgTabModel::kIdSave), "Save");
  const XTopWindow save = op.WaitWindow(kSaveModelTitle, true);
  // The file dialog's name field has the focus; a whole path goes there.
  op.PressWith("Control_L", "a");
  op.TypeText(path);
  // Its Save button, by its mnemonic, once the dialog has taken the path
  // (it completes what is typed as it comes).
  const auto end = std::chrono::steady_clock::now() + kWindowWait;
  while (op.IsShown(save) && std::chrono::steady_clock::now() < end) {
    op.PressWith("Alt_L", "s");
    std::this_thread::sleep_for(kSaveRetry);
  }
  op.WaitGone(save);
  op.WaitWindow(kFrameTitle);
  op.WaitProgram(
      [path](wxTopLevelWindow* top) {
        CDlgTabModel* page = ModelsPage(top);
        return page && page->GetModelFilePath() == path;
      },
      "the Models page to show the saved model file");
}


// Step 3: "Add to project" stores the model in the project, under the
// file's title, after the operator's Yes.
void AddModelToProject(Operator& op) {
  op.SetStep("3 model: add the model to the project");
  op.WaitWindow(kFrameTitle);
  op.Click(OnPage(kPageModels, CDlgTabModel::kIdAddToProject), "Add to project");
  op.AcknowledgeMessage("add the model to the project");
  FindRoadModel(op);
}

}  // namespace

// Step 3: on the Models page New opens the model editor on a new model;
// its Add opens the tasks available, where the operator checks the road's
// five tasks; the editor's tasks list shows them in that order; OK takes
// the model into the Models page's model file.
void ComposeRoadModel(Operator& op, const std::string& path) {
  op.SetStep("3 model: the road's tasks in the model editor");
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Models tab", TabOf(kPageModels));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
        return tabs && tabs->GetSelection() == kPageModels;
      },
      "the Models page to show");
  op.Click(OnPage(kPageModels, CDlgTabModel::kIdNew), "New (model file)");
  op.SetWindow("model editor");
  op.WaitUntil([&] { return op.OnMain([] { return EditorShown(); }); }, "the model editor");
  const XTopWindow editor = op.WaitWindow(kModelEditorTitle, true);
  ExpectOnScreen(op, kModelEditorTitle);
  AddRoadTasks(op);

  op.WaitWindow(kModelEditorTitle, true);
  std::vector<std::string> names;
  for (const RoadTask& task : kRoadTasks) names.emplace_back(task.name);
  op.WaitProgram(
      [names](wxTopLevelWindow* top) { return ColumnOf(ListOf(top, CDlgModel::kIdTaskList), kNameColumn) == names; },
      "the tasks list to show " + Joined(names));
  op.Click(wxID_OK, "OK");
  op.WaitGone(editor);
  op.WaitWindow(kFrameTitle);
  op.WaitProgram(
      [names](wxTopLevelWindow* top) {
        CDlgTabModel* page = ModelsPage(top);
        return page && ColumnOf(page->GetTaskList(), kNameColumn) == names;
      },
      "the Models page's model file to list " + Joined(names));
  for (const RoadTiming& timing : kRoadTimings) SpeedUpTask(op, timing);
  SaveModelFile(op, path);
  AddModelToProject(op);
}

// Step 6: after the restart the project still has the road's model.
void FindModelAgain(Operator& op) {
  op.SetStep("6 the model is there after the restart");
  FindRoadModel(op);
}

}  // namespace qel::road

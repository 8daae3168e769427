// The steps of the road that concern the stored scores: the score dialog
// opened from the Data page shows what the run's score dialog showed, the
// score sheet printed to a PDF file through the printer dialog, the scores
// exported from the Export page and read back by the real readers; after
// the restart every score is there and the score history lists the
// replaced Tapping score.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/odcombo.h>
#include <wx/radiobut.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "admin/ui/DlgHistory.h"
#include "app/model/ExpModel.h"
#include "app/tests/road/RoadSteps.h"
#include "scores/ui/DlgScore.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/DlgTabExport.h"
#include "tests/support/x11/XScreenShot.h"
#include "ui/ListRows.h"

namespace qel::road {

namespace {

constexpr char kTappingName[] = "Tapping";
constexpr char kSavedScoresTitle[] = "Saved Scores";
constexpr char kPrintTableTitle[] = "Print score table";
constexpr char kExportTitle[] = "Export to external file";
constexpr char kScoreHistoryMode[] = "History of updates of testees scores";
// The Data page's scores list: the testee's, the task's and the
// assessment's columns.
constexpr int kTesteeColumn = 1;
constexpr int kTaskColumn = 3;
constexpr int kAssessmentColumn = 4;
constexpr int kTestDateColumn = 5;
constexpr int kSavedColumn = 8;
// The score dialog's basic list: the variable's name and its value.
constexpr char kVariableHeading[] = "Variable";
constexpr char kValueHeading[] = "Value";

// The task code of a task of the road's model: its plug-in's name after "Qel".
std::string TaskCode(const std::string& name) {
  constexpr size_t kPrefix = 3;
  for (const RoadTask& task : kRoadTasks) {
    if (name == task.name) return std::string(task.plugin).substr(kPrefix);
  }
  return std::string();
}

// The score dialog's list of variables.
wxWindow* ScoreList(wxTopLevelWindow* top) {
  auto* dialog = dynamic_cast<CDlgScore*>(top);
  return dialog ? dialog->List() : nullptr;
}

// A list's rows, each as its cells, and its column headings.
struct ListTable {
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  int Column(const std::string& heading) const {
    const auto at = std::find(headings.begin(), headings.end(), heading);
    return at == headings.end() ? -1 : static_cast<int>(at - headings.begin());
  }
};

ListTable TableOf(wxWindow* control) {
  ListTable table;
  auto* list = wxDynamicCast(control, wxListCtrl);
  if (!list) return table;
  for (int column = 0; column < list->GetColumnCount(); ++column) {
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    list->GetColumn(column, heading);
    table.headings.push_back(heading.GetText().utf8_string());
  }
  for (long row = 0; row < list->GetItemCount(); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
      cells.push_back(list->GetItemText(row, column).utf8_string());
    }
    table.rows.push_back(std::move(cells));
  }
  return table;
}

// The variables a score dialog shows with a value, by name: the value as shown.
using ShownValues = std::vector<std::pair<std::string, std::string>>;

ShownValues ValuesOf(const ListTable& table) {
  ShownValues values;
  const int name = table.Column(kVariableHeading);
  const int value = table.Column(kValueHeading);
  if (name < 0 || value < 0) return values;
  for (const auto& row : table.rows) {
    const std::string& text = row[static_cast<size_t>(value)];
    // Group rows and variables without a value have no number to compare.
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str()) continue;
    values.emplace_back(row[static_cast<size_t>(name)], text);
  }
  return values;
}

// Whether a number read from a file is the value shown: equal to the
// shown text's last digit.
bool SameValue(const std::string& shown, double stored) {
  const size_t dot = shown.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(shown.size() - dot - 1);
  constexpr double kHalf = 0.5;
  constexpr double kSlack = 1e-9;
  return std::fabs(std::strtod(shown.c_str(), nullptr) - stored) <= kHalf * std::pow(10.0, -decimals) + kSlack;
}

// The Data page shows every stored score: all testees, all models.
constexpr int kDataPageTab = kPageData;

void ShowAllScoresOnDataPage(Operator& op) {
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Data tab", TabOf(kDataPageTab));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
        return tabs && tabs->GetSelection() == kDataPageTab;
      },
      "the Data page to show");
  for (const auto& [id, name] : {std::pair{CDlgTabData::kIdAllTestees, "All (testees)"},
                                 std::pair{CDlgTabData::kIdAllModels, "All (models)"}}) {
    const int box = id;
    const bool checked = op.OnMain([box] {
      wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
      auto* check = top ? wxDynamicCast(OnPage(kDataPageTab, box)(top), wxCheckBox) : nullptr;
      return check && check->GetValue();
    });
    if (checked) continue;
    op.Click(OnPage(kDataPageTab, box), name);
    op.WaitProgram(
        [box](wxTopLevelWindow* top) {
          auto* check = wxDynamicCast(OnPage(kDataPageTab, box)(top), wxCheckBox);
          return check && check->GetValue();
        },
        std::string("\"") + name + "\" to be checked");
  }
}

// The Data page's rows of the testee's scores of the task, waited for.
std::vector<std::vector<std::string>> ScoreRows(Operator& op, const std::string& testee, const std::string& code,
                                                size_t expected) {
  std::vector<std::vector<std::string>> found;
  op.WaitUntil(
      [&] {
        const ListTable table = op.OnMain([] {
          wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
          return TableOf(top ? OnPage(kDataPageTab, CDlgTabData::kIdScores)(top) : nullptr);
        });
        found.clear();
        for (const auto& row : table.rows) {
          if (row.size() > kTestDateColumn && row[kTesteeColumn] == testee && row[kTaskColumn] == code) {
            found.push_back(row);
          }
        }
        return found.size() == expected;
      },
      "the Data page to list " + std::to_string(expected) + " score(s) of " + testee + " for " + code);
  return found;
}

int RowIndex(Operator& op, const std::string& testee, const std::string& code) {
  return op.OnMain([testee, code] {
    wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
    const ListTable table = TableOf(top ? OnPage(kDataPageTab, CDlgTabData::kIdScores)(top) : nullptr);
    for (size_t row = 0; row < table.rows.size(); ++row) {
      const auto& cells = table.rows[row];
      if (cells.size() > kTaskColumn && cells[kTesteeColumn] == testee && cells[kTaskColumn] == code) {
        return static_cast<int>(row);
      }
    }
    return -1;
  });
}

std::string Joined(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& cell : cells) text += (text.empty() ? "" : "|") + cell;
  return text;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The operator saves a file through the program's file dialog: the path
// typed into its name field, then Return.
void SaveThroughFileDialog(Operator& op, const std::string& title, const XTopWindow& owner, const std::string& path) {
  const XTopWindow chooser = op.WaitOtherWindow(title, owner.id);
  op.SetWindow(title + "\" file dialog (" + path + ")");
  op.PressWith("Control_L", "a");
  op.TypeText(path);
  op.PressKey("Return");
  op.WaitGone(chooser);
}

// The rows of a file, read back by the real reader, as name=value lines of
// the testee's row.
constexpr char kReadBack[] =
    "import sys\n"
    "kind, path, testee = sys.argv[1], sys.argv[2], sys.argv[3]\n"
    "if kind == 'xlsx':\n"
    "  import openpyxl\n"
    "  rows = [list(r) for r in openpyxl.load_workbook(path).worksheets[0].iter_rows(values_only=True)]\n"
    "elif kind == 'dbf':\n"
    "  import dbfread\n"
    "  t = dbfread.DBF(path, encoding='cp1252')\n"
    "  rows = [t.field_names] + [list(r.values()) for r in t]\n"
    "else:\n"
    "  rows = [line.split('|') for line in open(path, encoding='cp1252', newline='').read().split('\\r\\n') if line]\n"
    "at = list(rows[0]).index('TesteeId')\n"
    "for row in rows[1:]:\n"
    "  if str(row[at]) != testee: continue\n"
    "  for name, value in zip(rows[0], row):\n"
    "    print('%s=%s' % (name, '' if value is None else value))\n";

std::map<std::string, std::string> ReadBack(Operator& op, const std::string& kind, const std::string& path,
                                            const std::string& testee) {
  const test::ProgramResult result = test::RunProgram({test::SystemPython(), "-c", kReadBack, kind, path, testee});
  if (result.exitCode != 0) op.Fail("the " + kind + " file " + path + " cannot be read back: " + result.errors);
  std::map<std::string, std::string> values;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  if (values.empty()) op.Fail("the " + kind + " file " + path + " has no row of " + testee + ": " + FileText(path).substr(0, 300));
  return values;
}

}  // namespace

// ---- step 5 ------------------------------------------------------------------------------

namespace {

// Opens the saved score of the testee's task from the Data page: the row
// clicked, Return pressed. The dialog's table.
ListTable OpenSavedScore(Operator& op, const std::string& testee, const std::string& code,
                                XTopWindow* dialog) {
  op.SetWindow(kFrameTitle);
  ScoreRows(op, testee, code, 1);
  const int row = RowIndex(op, testee, code);
  op.Click(OnPage(kDataPageTab, CDlgTabData::kIdScores), "the score row of " + testee + " for " + code, RowOf(row));
  op.WaitProgram(
      [row](wxTopLevelWindow* top) {
        auto* list = wxDynamicCast(OnPage(kDataPageTab, CDlgTabData::kIdScores)(top), wxListCtrl);
        return list && list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) == row;
      },
      "the score row to be selected");
  op.PressKey("Return");
  *dialog = op.WaitWindow(kSavedScoresTitle);
  op.WaitProgram([](wxTopLevelWindow* top) { return ScoreList(top) && !ListRows(ScoreList(top)).empty(); },
                 "the score dialog to list the variables");
  return op.OnMain([] { return TableOf(ScoreList(Operator::ShownTopLevel(kSavedScoresTitle))); });
}

void CloseScoreDialog(Operator& op, const XTopWindow& dialog) {
  op.WaitWindow(kSavedScoresTitle);
  op.Click(Labelled("Close"), "Close");
  op.WaitGone(dialog);
}

}  // namespace

ScoreValues CheckSavedScores(Operator& op,
                                                                                        const ShownScores& shown) {
  op.SetStep("5 the score dialog from the Data page shows the run's values");
  if (shown.empty()) op.Fail("no run's score was shown at saving");
  ShowAllScoresOnDataPage(op);
  // A part run again replaced a score: its history is on offer at once.
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        wxWindow* history = OnPage(kDataPageTab, CDlgTabData::kIdScoresHistory)(top);
        return history && history->IsShown() && history->IsEnabled();
      },
      "the Data page to offer \"Scores history\"");
  ScoreValues values;
  for (const auto& [task, cells] : shown) {
    XTopWindow dialog;
    const ListTable table = OpenSavedScore(op, kTestees[0], TaskCode(task), &dialog);
    // The run's dialog showed the variables of the part run; the saved
    // score shows them all: every row shown at saving is there, as it was.
    const size_t columns = table.headings.size();
    if (columns == 0 || cells.size() % columns != 0) {
      op.Fail("the saved " + task + " score has " + std::to_string(columns) + " columns; " +
              std::to_string(cells.size()) + " cells were shown at saving");
    }
    for (size_t at = 0; at < cells.size(); at += columns) {
      const std::vector<std::string> row(cells.begin() + static_cast<long>(at),
                                         cells.begin() + static_cast<long>(at + columns));
      if (std::find(table.rows.begin(), table.rows.end(), row) == table.rows.end()) {
        op.Fail("the saved " + task + " score lacks the row shown at saving \"" + Joined(row) + "\"");
      }
    }
    values[task] = ValuesOf(table);
    if (values[task].empty()) op.Fail("the saved " + task + " score shows no value");
    CloseScoreDialog(op, dialog);
  }
  return values;
}

namespace {

// The printer dialog of the toolkit, which the program cannot be asked
// about, is watched on the screen: the file printer is chosen with the
// arrow key once the list holds it (the dialog's picture changes: the row
// is selected and the printer's file button shown); the button opens the
// toolkit's file dialog, where the operator types the PDF file's path; then
// the dialog prints.
constexpr char kPrinterTitle[] = "Print";
constexpr char kPrintFileTitle[] = "Select a filename";
constexpr auto kRedrawWait = 250ms;

std::vector<uint32_t> PictureOf(const XTopWindow& window) {
  const test::XScreenShot shot(window.x, window.y, window.width, window.height);
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(shot.Width()) * static_cast<size_t>(shot.Height()));
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) pixels.push_back(shot.At(x, y));
  }
  return pixels;
}

// Waits until the window's picture stays as it is between two looks.
std::vector<uint32_t> WaitDrawn(Operator& op, const XTopWindow& window) {
  std::vector<uint32_t> last = PictureOf(window);
  op.WaitUntil(
      [&] {
        std::this_thread::sleep_for(kRedrawWait);
        std::vector<uint32_t> now = PictureOf(window);
        const bool same = now == last;
        last = std::move(now);
        return same;
      },
      "the toolkit's dialog to be drawn");
  return last;
}

void PrintToFile(Operator& op, const std::string& pdf) {
  const XTopWindow printer = op.WaitOtherWindow(kPrinterTitle, 0);
  const std::vector<uint32_t> listed = WaitDrawn(op, printer);
  op.WaitUntil(
      [&] {
        op.PressKey("Down");
        std::this_thread::sleep_for(kRedrawWait);
        return PictureOf(printer) != listed;
      },
      "the file printer to be chosen");
  WaitDrawn(op, printer);
  op.PressKey("Tab");
  op.PressKey("space");
  const XTopWindow chooser = op.WaitOtherWindow(kPrintFileTitle, 0);
  op.PressWith("Control_L", "a");
  op.TypeText(pdf);
  op.PressKey("Return");
  op.WaitGone(chooser);
  op.WaitOtherWindow(kPrinterTitle, 0);
  op.PressWith("Alt_L", "p");
  op.WaitGone(printer);
}

// Whether a line of the text holds the variable's name and its value.
bool OnOneLine(const std::string& text, const std::string& name, const std::string& value) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::vector<std::string> tokens{std::istream_iterator<std::string>(words), {}};
    const auto at = std::find(tokens.begin(), tokens.end(), name);
    if (at != tokens.end() && std::find(at, tokens.end(), value) != tokens.end()) return true;
  }
  return false;
}

}  // namespace

void PrintScoreSheet(Operator& op, const std::string& pdf, const ScoreValues& values) {
  op.SetStep("5 print the Tapping score sheet to a PDF file");
  const auto tapping = values.find(kTappingName);
  if (tapping == values.end()) op.Fail("no Tapping score was shown");
  XTopWindow dialog;
  OpenSavedScore(op, kTestees[0], TaskCode(kTappingName), &dialog);
  op.Click(Labelled("Print"), "Print");
  const XTopWindow table = op.WaitWindow(kPrintTableTitle);
  op.Click(Labelled("Print"), "Print");
  PrintToFile(op, pdf);
  op.WaitWindow(kPrintTableTitle);
  op.Click(Labelled("Close"), "Close");
  op.WaitGone(table);
  CloseScoreDialog(op, dialog);
  // The printer writes the file after the dialog has gone: read once whole.
  test::ProgramResult text;
  op.WaitUntil(
      [&] {
        if (!fs::exists(pdf)) return false;
        text = test::RunProgram({"pdftotext", "-layout", pdf, "-"});
        return text.exitCode == 0;
      },
      "the PDF file " + pdf + " to be written");
  for (const std::string& expected : {std::string(kTestees[0]), std::string(kTesteeSurname)}) {
    if (text.output.find(expected) == std::string::npos) op.Fail("the printed sheet lacks \"" + expected + "\"");
  }
  for (const auto& [name, value] : tapping->second) {
    if (!OnOneLine(text.output, name, value)) {
      op.Fail("the printed sheet lacks the line of " + name + " with " + value + ":\n" + text.output);
    }
  }
}

namespace {

// The score tables the Export page writes, each read back by its reader.
struct ExportKind {
  const char* caption;  // the type's radio button in the export dialog
  const char* reader;   // ReadBack's kind
  const char* extension;
  bool limited;         // offered only for a task of at most 240 variables
};
constexpr ExportKind kExportKinds[] = {{"Excel  97-2000  (<= 240 vars)", "xlsx", ".xlsx", true},
                                       {"Dbase  IV  (<= 240 vars)", "dbf", ".dbf", true},
                                       {"Text (\"|\" between values)", "text", ".txt", false}};
constexpr int kExportPageTab = kPageExport;

// The Export page's task chooser (it lists the tasks' codes) set to the
// task's code: the operator opens its list and moves from the chosen entry
// to the task's with the arrow keys.
void ChooseExportTask(Operator& op, const std::string& code) {
  struct Entries {
    int chosen = -1, wanted = -1;
    std::string value;
  };
  auto entries = [&op, code] {
    return op.OnMain([code] {
      Entries found;
      wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
      auto* combo = top ? dynamic_cast<wxOwnerDrawnComboBox*>(OnPage(kExportPageTab, CDlgTabExport::kIdTaskCombo)(top))
                        : nullptr;
      if (!combo) return found;
      found.chosen = combo->GetSelection();
      found.wanted = combo->FindString(wxString::FromUTF8(code), true);
      found.value = combo->GetValue().utf8_string();
      return found;
    });
  };
  const Entries before = entries();
  if (before.value == code) return;
  if (before.wanted < 0 || before.chosen < 0) op.Fail("the task chooser does not offer \"" + code + "\"");
  op.Click(OnPage(kExportPageTab, CDlgTabExport::kIdTaskCombo), "Task (combo)");
  for (int step = before.chosen; step != before.wanted; step += before.wanted > step ? 1 : -1) {
    op.PressKey(before.wanted > step ? "Down" : "Up");
  }
  op.PressKey("Return");
  op.WaitMenusClosed();
  op.WaitUntil([&] { return entries().value == code; }, "the task chooser to show \"" + code + "\"");
}

}  // namespace

void ExportScores(Operator& op, const std::string& folder, const ScoreValues& values) {
  op.SetStep("5 export the scores to Excel, dBase and text from the Export page");
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Export tab", TabOf(kExportPageTab));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
        return tabs && tabs->GetSelection() == kExportPageTab;
      },
      "the Export page to show");
  for (const auto& [task, shown] : values) {
    const std::string code = TaskCode(task);
    op.SetWindow(kFrameTitle);
    ChooseExportTask(op, code);
    op.Click(OnPage(kExportPageTab, CDlgTabExport::kIdSelectAll), "Select all");
    op.WaitProgram(
        [](wxTopLevelWindow* top) {
          auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
          auto* page = tabs ? dynamic_cast<CDlgTabExport*>(tabs->GetPage(kExportPageTab)) : nullptr;
          return page && page->GetState().checkedCount > 0;
        },
        "a testee with a score to be checked");
    for (const ExportKind& kind : kExportKinds) {
      op.SetWindow(kFrameTitle);
      op.Click(OnPage(kExportPageTab, CDlgTabExport::kIdExportScore), "Export score");
      const XTopWindow dialog = op.WaitWindow(kExportTitle);
      const std::string caption = kind.caption;
      // The table files take at most 240 variables: Tapping's fit, a task
      // with more (Pursuit's samples) is offered text only.
      const bool offered = op.OnMain([caption] {
        wxTopLevelWindow* top = Operator::ShownTopLevel(kExportTitle);
        auto* radio = top ? wxDynamicCast(Labelled(caption)(top), wxRadioButton) : nullptr;
        return radio && radio->IsEnabled();
      });
      if (!offered) {
        if (!kind.limited || task == kTappingName) op.Fail("\"" + caption + "\" is not offered for " + task);
        op.Click(Labelled("Close"), "Close");
        op.WaitGone(dialog);
        continue;
      }
      op.Click(Labelled(caption), caption);
      op.WaitProgram(
          [caption](wxTopLevelWindow* top) {
            auto* radio = wxDynamicCast(Labelled(caption)(top), wxRadioButton);
            return radio && radio->GetValue();
          },
          "\"" + caption + "\" to be chosen");
      op.Click(Labelled("Save"), "Save");
      const std::string path = folder + "/T_" + code + kind.extension;
      SaveThroughFileDialog(op, kExportTitle, dialog, path);
      op.WaitGone(dialog);
      if (!fs::exists(path)) op.Fail("no file " + path);
      const std::map<std::string, std::string> stored = ReadBack(op, kind.reader, path, kTestees[0]);
      for (const auto& [name, text] : shown) {
        const auto at = stored.find(name);
        char* end = nullptr;
        const double number = at == stored.end() ? 0.0 : std::strtod(at->second.c_str(), &end);
        if (at == stored.end() || end == at->second.c_str() || !SameValue(text, number)) {
          op.Fail(std::string(kind.reader) + " file " + path + ": " + name + " is \"" +
                  (at == stored.end() ? "<missing>" : at->second) + "\", the score dialog shows " + text);
        }
      }
    }
  }
}

// ---- step 6 ------------------------------------------------------------------------------

void FindScoresAgain(Operator& op, const ShownScores& shown, const std::string& path) {
  op.SetStep("6 every score is there after the restart");
  if (shown.empty()) op.Fail("no run's score was shown at saving");
  ShowAllScoresOnDataPage(op);
  std::string expected;
  for (const auto& [task, cells] : shown) {
    const std::string code = TaskCode(task);
    const auto rows = ScoreRows(op, kTestees[0], code, 1);
    if (rows[0][kAssessmentColumn] != "1") op.Fail(task + " is listed as assessment " + rows[0][kAssessmentColumn]);
    expected += std::string(kTestees[0]) + "|" + code + "|1\n";
  }
  // The file holds the scores and their assessments (the responses of part 1).
  std::vector<std::string> lines;
  std::istringstream sorted(expected);
  for (std::string line; std::getline(sorted, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  std::string ordered;
  for (const std::string& line : lines) ordered += line + "\n";
  const std::string scores =
      QueryProject(path, kProjectPassword, "SELECT Testee, Task, AssNo FROM Variables ORDER BY Testee, Task, AssNo;");
  if (scores != ordered) op.Fail("the project file's scores are\n" + scores + "not\n" + ordered);
  const std::string responses = QueryProject(
      path, kProjectPassword, "SELECT DISTINCT Testee, Task, AssNo FROM Responses ORDER BY Testee, Task, AssNo;");
  if (responses != ordered) op.Fail("the project file's assessments are\n" + responses + "not\n" + ordered);
}

void FindReplacedRunInHistory(Operator& op, const std::string& path) {
  op.SetStep("6 the score history shows the replaced Tapping score");
  ShowAllScoresOnDataPage(op);
  const std::string code = TaskCode(kTappingName);
  const std::vector<std::string> standing = ScoreRows(op, kTestees[0], code, 1)[0];
  op.Click(OnPage(kDataPageTab, CDlgTabData::kIdScoresHistory), "Scores history");
  const XTopWindow dialog = op.WaitWindow(kScoreHistoryMode);
  std::vector<std::vector<std::string>> replaced;
  op.WaitUntil(
      [&] {
        const ListTable table = op.OnMain(
            [] { return TableOf(Operator::ShownTopLevel(kScoreHistoryMode)->FindWindow(CDlgScoreHistory::kIdList)); });
        replaced.clear();
        for (const auto& row : table.rows) {
          if (row.size() > kTestDateColumn && row[kTesteeColumn] == kTestees[0] && row[kTaskColumn] == code) {
            replaced.push_back(row);
          }
        }
        return !replaced.empty();
      },
      "the history to list the replaced Tapping run");
  if (replaced.size() != 1) op.Fail("the history lists " + std::to_string(replaced.size()) + " Tapping rows");
  const std::vector<std::string>& row = replaced[0];
  if (row[kAssessmentColumn] != "1") op.Fail("the replaced run is listed as assessment " + row[kAssessmentColumn]);
  // The rebuilt score is of the same test, saved later.
  if (row[kTestDateColumn] != standing[kTestDateColumn] || row[kTestDateColumn].empty()) {
    op.Fail("the replaced score's test date is \"" + row[kTestDateColumn] + "\", the standing score's \"" +
            standing[kTestDateColumn] + "\"");
  }
  if (row[kSavedColumn].empty() || row[kSavedColumn] == standing[kSavedColumn]) {
    op.Fail("the replaced score was saved \"" + row[kSavedColumn] + "\", the standing score \"" +
            standing[kSavedColumn] + "\"");
  }
  // The operator opens the kept version from its row: the score dialog
  // shows the replaced run's score, as saved then.
  const int at = op.OnMain([code] {
    const ListTable table =
        TableOf(Operator::ShownTopLevel(kScoreHistoryMode)->FindWindow(CDlgScoreHistory::kIdList));
    for (size_t row = 0; row < table.rows.size(); ++row) {
      if (table.rows[row][kTesteeColumn] == kTestees[0] && table.rows[row][kTaskColumn] == code) {
        return static_cast<int>(row);
      }
    }
    return -1;
  });
  op.Click(ById(CDlgScoreHistory::kIdList), "the replaced run's row", RowOf(at));
  op.PressKey("Return");
  const XTopWindow keptScore = op.WaitWindow(kSavedScoresTitle);
  op.WaitProgram([](wxTopLevelWindow* top) { return ScoreList(top) && !ListRows(ScoreList(top)).empty(); },
                 "the kept score to list its variables");
  const std::string keptDate = op.OnMain([] {
    auto* score = dynamic_cast<CDlgScore*>(Operator::ShownTopLevel(kSavedScoresTitle));
    return score ? ListDateText(score->Document().m_testDate) : std::string();
  });
  if (keptDate != row[kTestDateColumn]) {
    op.Fail("the kept score shows the run of " + keptDate + ", its row the run of " + row[kTestDateColumn]);
  }
  op.Click(Labelled("Close"), "Close");
  op.WaitGone(keptScore);
  op.WaitWindow(kScoreHistoryMode);
  op.Click(Labelled("Close"), "Close");
  op.WaitGone(dialog);
  // The file keeps the replaced score once; the responses it was built
  // from are the standing ones, unchanged.
  const std::string kept = std::string(kTestees[0]) + "|" + code + "|1\n";
  if (QueryProject(path, kProjectPassword, "SELECT Testee, Task, AssNo FROM VariablesHistory;") != kept ||
      !QueryProject(path, kProjectPassword, "SELECT Testee, Task, AssNo FROM ResponsesHistory;").empty()) {
    op.Fail("the project file does not keep the replaced score once, with no replaced responses");
  }
}

}  // namespace qel::road

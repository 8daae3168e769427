// The score sheet: the rows, columns and texts of one score's lists (basic,
// series and changes views), its norm rows, the check states that choose
// the Z-score bars, and the header lines of a printed or exported score.
// Window-free; the score dialog shows what it builds.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "scores/ScoreGraphs.h"

namespace qel {

class CExpModelTask;
class ITaskRunData;

inline constexpr int kMaxScoreVariables = 1500;
inline constexpr int kMaxScoreItems = 25;
inline constexpr int kMaxGroupContinuations = 30;  // a group row holds at most 31 variables

enum class ScoreView { kBasic = 0, kZ = 1, kZNorm = 2, kSeries = 3, kChanges = 4 };

// One variable as the views describe it.
struct ScoreVariable {
  std::string name = "-";
  std::string group;
  std::string format = "%.2f";
  std::string label;
  uint32_t attr = 0;
  int part = 0;  // 0: every part
  bool described = false;  // from a variable table (else the row image is the plain one)
};

// Attribute bits of a variable.
inline constexpr uint32_t kAttrTypeMask = 0xF;
inline constexpr uint32_t kAttrFullListOnly = 0x10;
inline constexpr uint32_t kAttrLongListOnly = 0x20;
inline constexpr uint32_t kAttrTestOnly = 0x40;
inline constexpr uint32_t kAttrSeriesOnly = 0x80;
inline constexpr uint32_t kAttrSeriesToo = 0x100;
inline constexpr int kAttrValueColumnShift = 16;
inline constexpr int kAttrSeriesColumnShift = 24;
inline constexpr uint32_t kAttrColumnBits = 0x1F;
inline constexpr int kZScoreType = 9;

// Check states of a row (the list's state images).
enum CheckState : int { kCheckNone = 0, kCheckOff = 1, kCheckOn = 2, kCheckNoValue = 3 };

// Row images: the variable's type code, and the norm row's.
inline constexpr int kNormRowImage = 47;
int VariableImage(const ScoreVariable& v);

struct ScoreColumn {
  std::string heading;
  bool right = false;
  int width = 0;
};

struct ScoreRow {
  std::vector<std::string> cells;
  int key = 0;  // variable index + 1; 0 for norm and group rows
  int image = 0;
  int check = kCheckNone;
};

struct ScoreListOptions {
  bool groupList = false;
  bool longList = false;
  bool fullList = false;
};

// The two versions a changes view compares.
struct ScoreChangeSides {
  std::vector<double> oldValues, newValues;
  double oldAge = 0.0, newAge = 0.0;
  std::string oldDate, newDate, oldUser, newUser;
};

class CScoreSheet {
 public:
  // The variables and their values (at most 1500; values past the
  // variables are dropped, missing ones are no value).
  void SetVariables(std::vector<ScoreVariable> variables, std::vector<double> values);
  // The task whose Z-variable table and norms the sheet uses; may be null.
  void SetTask(const CExpModelTask* task) { m_task = task; }
  void SetItemNames(std::vector<std::string> items, std::vector<std::string> seriesItems);
  void SetPractice(bool practice) { m_practice = practice; }
  void SetPartFilter(int part) { m_partFilter = part; }
  void SetAge(double age) { m_age = age; }
  ScoreListOptions& Options() { return m_options; }

  // Builds the list of a table view (basic, series or changes); the changes
  // view compares the two sides given.
  void Fill(ScoreView view);
  void FillChanges(const ScoreChangeSides& sides);

  const std::vector<ScoreColumn>& Columns() const { return m_columns; }
  const std::vector<ScoreRow>& Rows() const { return m_rows; }
  int LabelColumn() const { return m_labelColumn; }
  int DisplayedCount() const { return m_displayed; }
  int VariableCount() const { return static_cast<int>(m_variables.size()); }
  std::string CountText() const;  // "displayed/total"

  // What print and export read: the listed names and printed values (empty
  // for no value), and the names and norm texts of variables with a norm.
  const std::vector<std::string>& ListedNames() const { return m_names; }
  const std::vector<std::string>& ListedValues() const { return m_valueTexts; }
  const std::vector<std::string>& NormNames() const { return m_normNames; }
  const std::vector<std::string>& NormTexts() const { return m_normTexts; }

  // Counters of the last fill: they decide which options are offered.
  struct Counts {
    int series = 0, fullList = 0, longList = 0, testOnly = 0, testOnlyWithZ = 0, grouped = 0;
  };
  const Counts& GetCounts() const { return m_counts; }

  // Z-score marking: each variable's stored check state.
  void MarkAll(bool detailed, bool summary, bool detailedChecked, bool summaryChecked);
  // The operator checks or unchecks a variable's row: refused (false) for a
  // variable without a Z score or without a value.
  bool SetChecked(int index, bool checked);
  int GetCheck(int index) const;
  bool AnyChecked() const;
  bool AnyDetailedValue() const { return m_anyDetailed; }
  bool AnySummaryValue() const { return m_anySummary; }
  // The checked variables with a Z score, in table order, as the bar chart
  // takes them (names cut at the first "_").
  std::vector<ZBarInput> MarkedBars() const;

  bool HasZScore(int index) const;
  double GetValue(int index) const;
  const ScoreVariable* GetVariable(int index) const;
  // The norm mean of a variable at an age (no value when none or no age).
  double NormValueAt(int index, double age) const;

  // The current Z variable (a selected row): its value and its source's.
  void SelectVariable(int index);
  int CurrentVariable() const { return m_current; }
  double CurrentZ() const { return m_currentZ; }
  double CurrentTval() const { return m_currentTval; }

 private:
  bool Listed(int i, ScoreView view) const;
  void Count(int i, ScoreView view);
  int ValueColumn(int i, ScoreView view) const;
  void SetColumns(ScoreView view);
  void AddNormRow(int i);
  void AddBasicRow(int i);
  // The grouped row that variable i goes into (a new one, or the row of
  // the group listed just before); -1 when that row is full.
  int GroupRowFor(int i);
  bool AddGroupedRow(int i, ScoreView view);
  bool HasNormRow(int i) const;
  void Clear();

  std::vector<ScoreVariable> m_variables;
  std::vector<double> m_values;
  std::vector<int> m_checks;
  const CExpModelTask* m_task = nullptr;
  std::vector<std::string> m_items, m_seriesItems;
  bool m_practice = false;
  int m_partFilter = 0;
  double m_age = 0.0;
  ScoreListOptions m_options;

  std::vector<ScoreColumn> m_columns;
  std::vector<ScoreRow> m_rows;
  int m_labelColumn = 3;
  int m_displayed = 0;
  std::vector<int> m_itemColumn;     // list column of each used score item, -1 unused (changes: the old side)
  std::vector<int> m_newItemColumn;  // changes view, grouped: the new side's column of each item
  std::vector<std::string> m_names, m_valueTexts, m_normNames, m_normTexts;
  Counts m_counts;
  bool m_anyDetailed = false, m_anySummary = false;
  int m_groupRow = -1;
  int m_continuations = 0;
  int m_lastListed = -1;
  int m_current = -1;
  double m_currentZ = 9999.0, m_currentTval = 9999.0;
};

// The variables of a finished run: the run data's table rows and values.
void LoadComputedScore(CScoreSheet& sheet, const ITaskRunData& runData);

// The header lines of a printed or exported score.
struct ScoreHeaderData {
  std::string testee, firstName, surname, ageText;
  bool noTesteeName = false;
  std::string userId, userFirstName, userSurname;  // the logged-in user; empty id: none
  enum class Mode { kShown, kExported, kPrinted } mode = Mode::kShown;
  std::string nowText;  // the present time, while exporting or printing
  std::string projectName;  // empty: no project
  std::string model, task;
  uint32_t assessment = 0;
  bool practice = false;
  std::string testedText;
  std::string testerId, testerFirstName, testerSurname;  // empty id: no tester
};
std::string FormatTesteeHeader(const ScoreHeaderData& d);
std::string FormatTaskHeader(const ScoreHeaderData& d);

// "Duration: h:mm:ss" of a span in days (more than 5 days: "Duration, days: > n").
std::string FormatDuration(double days);

}  // namespace qel

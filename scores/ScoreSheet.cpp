#include "scores/ScoreSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/model/ExpModelTask.h"
#include "include/qel/TaskRunDataInterface.h"
#include "scores/ValueFormat.h"

namespace qel {

namespace {

constexpr int kNormKindMean = 1;
constexpr int kNumberWidth = 40;
constexpr int kNameWidth = 100;
constexpr int kValueWidth = 50;
constexpr int kLabelWidth = 150;
constexpr int kSideWidth = 130;  // a side's heading column holds the saving date
constexpr int kPlainImage = 17;
constexpr int kTypeImageStep = 3;

std::string Number(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", i);
  return text;
}

std::string Printf2OrDash(double v) { return FormatValueOrDash(v, kDefaultValueFormat); }

bool IsSeries(uint32_t attr) { return (attr & (kAttrSeriesOnly | kAttrSeriesToo)) != 0; }

int Type(uint32_t attr) {
  const int t = static_cast<int>(attr & kAttrTypeMask);
  return t > 12 ? 0 : t;
}

}  // namespace

int VariableImage(const ScoreVariable& v) {
  return v.described ? Type(v.attr) * kTypeImageStep + kPlainImage : kPlainImage;
}

void CScoreSheet::SetVariables(std::vector<ScoreVariable> variables, std::vector<double> values) {
  if (variables.size() > static_cast<size_t>(kMaxScoreVariables)) variables.resize(kMaxScoreVariables);
  values.resize(variables.size(), kNoValue);
  m_variables = std::move(variables);
  m_values = std::move(values);
  m_checks.assign(m_variables.size(), kCheckNone);
  m_current = -1;
  m_currentZ = m_currentTval = kNoValue;
}

void CScoreSheet::SetItemNames(std::vector<std::string> items, std::vector<std::string> seriesItems) {
  m_items = std::move(items);
  m_seriesItems = std::move(seriesItems);
  if (m_items.size() > static_cast<size_t>(kMaxScoreItems)) m_items.resize(kMaxScoreItems);
  if (m_seriesItems.size() > static_cast<size_t>(kMaxScoreItems)) m_seriesItems.resize(kMaxScoreItems);
}

std::string CScoreSheet::CountText() const {
  return std::to_string(m_displayed) + "/" + std::to_string(m_variables.size());
}

const ScoreVariable* CScoreSheet::GetVariable(int i) const {
  return i >= 0 && i < VariableCount() ? &m_variables[static_cast<size_t>(i)] : nullptr;
}

double CScoreSheet::GetValue(int i) const {
  return i >= 0 && i < VariableCount() ? m_values[static_cast<size_t>(i)] : kNoValue;
}

bool CScoreSheet::HasZScore(int i) const { return m_task && i >= 0 && i < VariableCount() && m_task->HasZScore(i); }

bool CScoreSheet::HasNormRow(int i) const {
  if (!m_task) return false;
  const TaskNormVariable* entry = m_task->FindZVariable(i);
  return entry && !(entry->flags & kNormNoNormRow);
}

double CScoreSheet::NormValueAt(int i, double age) const {
  if (!m_task || !(age > 0.0)) return kNoValue;
  int position = 0;
  if (!m_task->FindZVariable(i, &position)) return kNoValue;
  double v = kNoValue;
  if (!m_task->GetVariableValue(position, &v, 0.0, age, kNormKindMean, false)) return kNoValue;
  return v;
}

bool CScoreSheet::Listed(int i, ScoreView view) const {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  if (m_partFilter != 0 && v.part != 0 && v.part != m_partFilter) return false;
  if (view == ScoreView::kChanges) return Type(v.attr) == kZScoreType;
  if (view == ScoreView::kSeries) return IsSeries(v.attr);
  if ((v.attr & kAttrSeriesOnly) && !(v.attr & kAttrSeriesToo)) return false;
  if ((v.attr & kAttrLongListOnly) && !m_options.longList) return false;
  if ((v.attr & kAttrFullListOnly) && !m_options.fullList) return false;
  if ((v.attr & kAttrTestOnly) && m_practice) return false;
  return true;
}

void CScoreSheet::Count(int i, ScoreView view) {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  const bool series = IsSeries(v.attr);
  if (series) ++m_counts.series;
  if (series != (view == ScoreView::kSeries)) return;
  if (v.attr & kAttrFullListOnly) ++m_counts.fullList;
  if (v.attr & kAttrLongListOnly) ++m_counts.longList;
  if (v.attr & kAttrTestOnly) {
    ++m_counts.testOnly;
    if (HasZScore(i)) ++m_counts.testOnlyWithZ;
  }
  if (!v.group.empty()) ++m_counts.grouped;
}

int CScoreSheet::ValueColumn(int i, ScoreView view) const {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  if ((v.attr & kAttrLongListOnly) && !m_options.longList) return 0;
  if ((v.attr & kAttrTestOnly) && m_practice) return 0;
  const int shift = view == ScoreView::kSeries && IsSeries(v.attr) ? kAttrSeriesColumnShift : kAttrValueColumnShift;
  return static_cast<int>((v.attr >> shift) & kAttrColumnBits);
}

void CScoreSheet::Clear() {
  m_columns.clear();
  m_rows.clear();
  m_names.clear();
  m_valueTexts.clear();
  m_normNames.clear();
  m_normTexts.clear();
  m_counts = Counts{};
  m_displayed = 0;
  m_groupRow = -1;
  m_continuations = 0;
  m_current = -1;
  m_currentZ = m_currentTval = kNoValue;
}

void CScoreSheet::SetColumns(ScoreView view) {
  const std::vector<std::string>& items = view == ScoreView::kSeries ? m_seriesItems : m_items;
  std::vector<bool> used(kMaxScoreItems, false);
  for (int i = 0; i < VariableCount(); ++i) {
    if (!Listed(i, view)) continue;
    const int c = ValueColumn(i, view);
    if (c < 1 || c > kMaxScoreItems) continue;
    used[static_cast<size_t>(c - 1)] = true;
    if (HasZScore(i) && c >= 2) used[static_cast<size_t>(c - 2)] = true;
    ++m_displayed;
  }
  m_columns = {{"No.", true, kNumberWidth}, {"Variable", false, kNameWidth}};
  m_itemColumn.assign(kMaxScoreItems, -1);
  if (!m_options.groupList || items.empty()) {
    m_columns.push_back({"Value", true, kValueWidth});
  } else {
    for (size_t k = 0; k < items.size(); ++k) {
      if (!used[k]) continue;
      m_itemColumn[k] = static_cast<int>(m_columns.size());
      m_columns.push_back({items[k], true, kValueWidth});
    }
  }
  m_labelColumn = static_cast<int>(m_columns.size());
  m_columns.push_back({"Label", false, kLabelWidth});
}

void CScoreSheet::AddNormRow(int i) {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  const double norm = NormValueAt(i, m_age);
  ScoreRow row;
  row.cells.assign(m_columns.size(), std::string());
  row.cells[1] = "<NVAL>";
  row.cells[2] = Printf2OrDash(norm);
  row.cells[static_cast<size_t>(m_labelColumn)] = "NORM VALUE FOR: " + v.label;
  row.image = kNormRowImage;
  m_rows.push_back(row);
}

void CScoreSheet::AddBasicRow(int i) {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  const double value = m_values[static_cast<size_t>(i)];
  if (HasNormRow(i)) AddNormRow(i);
  ScoreRow row;
  row.cells.assign(m_columns.size(), std::string());
  row.cells[0] = Number(i + 1);
  row.cells[1] = v.name;
  row.cells[2] = FormatValueOrDash(value, v.format);
  row.cells[static_cast<size_t>(m_labelColumn)] = v.label;
  row.key = i + 1;
  row.image = VariableImage(v);
  row.check = m_checks[static_cast<size_t>(i)];
  m_rows.push_back(row);
}

int CScoreSheet::GroupRowFor(int i) {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  const bool continues = m_groupRow >= 0 && !v.group.empty() && m_lastListed >= 0 &&
                         m_variables[static_cast<size_t>(m_lastListed)].group == v.group;
  if (continues) {
    if (m_continuations >= kMaxGroupContinuations) return -1;  // not listed: the row is full
    ++m_continuations;
    ScoreRow& group = m_rows[static_cast<size_t>(m_groupRow)];
    group.image = 0;
    group.cells[1].clear();
    group.cells[static_cast<size_t>(m_labelColumn)] = v.group;
  } else {
    ScoreRow row;
    row.cells.assign(m_columns.size(), std::string());
    row.cells[0] = Number(i + 1);
    row.cells[1] = v.name;
    row.cells[static_cast<size_t>(m_labelColumn)] = v.label;
    row.image = VariableImage(v);
    m_rows.push_back(row);
    m_groupRow = static_cast<int>(m_rows.size()) - 1;
    m_continuations = 0;
  }
  m_lastListed = i;
  return m_groupRow;
}

bool CScoreSheet::AddGroupedRow(int i, ScoreView view) {
  const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
  if (GroupRowFor(i) < 0) return false;
  const int c = ValueColumn(i, view);
  const size_t itemCount = (view == ScoreView::kSeries ? m_seriesItems : m_items).size();
  int column = -1;
  if (c >= 1 && static_cast<size_t>(c) <= itemCount) {
    column = m_itemColumn[static_cast<size_t>(c - 1)];
  } else if (c > 0) {
    column = m_continuations + 2;
  }
  ScoreRow& row = m_rows[static_cast<size_t>(m_groupRow)];
  const double value = m_values[static_cast<size_t>(i)];
  if (column > 0 && column < m_labelColumn) row.cells[static_cast<size_t>(column)] = FormatValueOrDash(value, v.format);
  if (HasNormRow(i) && c >= 2) {
    const int normColumn = m_itemColumn[static_cast<size_t>(c - 2)];
    if (normColumn > 0 && normColumn < m_labelColumn) {
      row.cells[static_cast<size_t>(normColumn)] = Printf2OrDash(NormValueAt(i, m_age));
    }
  }
  return true;
}

void CScoreSheet::Fill(ScoreView view) {
  Clear();
  if (view == ScoreView::kChanges) return;
  for (int i = 0; i < VariableCount(); ++i) Count(i, view);
  SetColumns(view);
  const bool grouped = m_options.groupList && !(view == ScoreView::kSeries ? m_seriesItems : m_items).empty();
  m_lastListed = -1;
  for (int i = 0; i < VariableCount(); ++i) {
    if (!Listed(i, view)) continue;
    const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
    const double value = m_values[static_cast<size_t>(i)];
    if (grouped) {
      if (!AddGroupedRow(i, view)) continue;
    } else {
      AddBasicRow(i);
    }
    m_names.push_back(v.name);
    m_valueTexts.push_back(HasValue(value) ? FormatValue(value, v.format) : std::string());
    if (HasNormRow(i) && m_task->HasZName(i)) {
      const double norm = NormValueAt(i, m_age);
      m_normNames.push_back(v.name);
      m_normTexts.push_back(HasValue(norm) ? FormatValue(norm, kDefaultValueFormat) : std::string("NULL"));
    }
  }
}

void CScoreSheet::FillChanges(const ScoreChangeSides& sides) {
  Clear();
  for (int i = 0; i < VariableCount(); ++i) Count(i, ScoreView::kChanges);
  // The score items the compared (Z-score) variables use, as the value columns use them.
  std::vector<bool> used(kMaxScoreItems, false);
  bool anyUsed = false;
  for (int i = 0; i < VariableCount(); ++i) {
    if (!Listed(i, ScoreView::kChanges)) continue;
    const int c = ValueColumn(i, ScoreView::kChanges);
    if (c < 1 || c > kMaxScoreItems) continue;
    used[static_cast<size_t>(c - 1)] = true;
    if (HasZScore(i) && c >= 2) used[static_cast<size_t>(c - 2)] = true;
    anyUsed = true;
    ++m_displayed;
  }
  const bool grouped = m_options.groupList && !m_items.empty() && anyUsed;
  m_columns = {{"No.", true, kNumberWidth}, {"Variable", false, kNameWidth}};
  m_itemColumn.assign(kMaxScoreItems, -1);
  m_newItemColumn.assign(kMaxScoreItems, -1);
  int newSide = 3;
  if (!grouped) {
    m_columns.push_back({"ValueOld", true, kSideWidth});
    m_columns.push_back({"ValueNew", true, kSideWidth});
  } else {
    // "<OLD>  ->  " and "<NEW>  ->  " head the two sides; they also hold the
    // dates, users and ages of the two versions.
    auto side = [&](const char* heading, std::vector<int>& map) {
      const int first = static_cast<int>(m_columns.size());
      m_columns.push_back({heading, true, kSideWidth});
      for (size_t k = 0; k < m_items.size() && k < used.size(); ++k) {
        if (!used[k]) continue;
        map[k] = static_cast<int>(m_columns.size());
        m_columns.push_back({m_items[k], true, kValueWidth});
      }
      return first;
    };
    side("<OLD>  ->  ", m_itemColumn);
    newSide = side("<NEW>  ->  ", m_newItemColumn);
  }
  m_labelColumn = static_cast<int>(m_columns.size());
  m_columns.push_back({"Label", false, kLabelWidth});

  auto at = [](const std::vector<double>& values, int i) {
    return i < static_cast<int>(values.size()) ? values[static_cast<size_t>(i)] : kNoValue;
  };
  m_lastListed = -1;
  for (int i = 0; i < VariableCount(); ++i) {
    if (!Listed(i, ScoreView::kChanges)) continue;
    const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
    const std::string oldText = FormatValueOrDash(at(sides.oldValues, i), v.format);
    const std::string newText = FormatValueOrDash(at(sides.newValues, i), v.format);
    if (grouped) {
      if (GroupRowFor(i) < 0) continue;
      ScoreRow& row = m_rows[static_cast<size_t>(m_groupRow)];
      const int c = ValueColumn(i, ScoreView::kChanges);
      if (c < 1 || static_cast<size_t>(c) > m_items.size()) continue;
      auto put = [&](const std::vector<int>& map, int item, const std::string& text) {
        const int column = map[static_cast<size_t>(item)];
        if (column > 0 && column < m_labelColumn) row.cells[static_cast<size_t>(column)] = text;
      };
      put(m_itemColumn, c - 1, oldText);
      put(m_newItemColumn, c - 1, newText);
      if (HasNormRow(i) && c >= 2) {
        put(m_itemColumn, c - 2, Printf2OrDash(NormValueAt(i, sides.oldAge)));
        put(m_newItemColumn, c - 2, Printf2OrDash(NormValueAt(i, sides.newAge)));
      }
      continue;
    }
    if (HasNormRow(i)) {
      ScoreRow norm;
      norm.cells = {"", "<NVAL>", Printf2OrDash(NormValueAt(i, sides.oldAge)), Printf2OrDash(NormValueAt(i, sides.newAge)),
                    "NORM VALUE FOR: " + v.label};
      norm.image = kNormRowImage;
      m_rows.push_back(norm);
    }
    ScoreRow row;
    row.cells = {Number(i + 1), v.name, oldText, newText, v.label};
    row.key = i + 1;
    row.image = VariableImage(v);
    m_rows.push_back(row);
  }
  auto age = [](double a) { return a > 0.0 ? FormatValue(a, kDefaultValueFormat) : std::string(); };
  const std::string tail[3][3] = {{"<Date>", sides.oldDate, sides.newDate},
                                  {"<User>", sides.oldUser, sides.newUser},
                                  {"<Age>", age(sides.oldAge), age(sides.newAge)}};
  for (int k = 0; k < 3; ++k) {
    ScoreRow row;
    row.cells.assign(m_columns.size(), std::string());
    row.cells[0] = Number(VariableCount() + 1 + k);
    row.cells[1] = tail[k][0];
    row.cells[2] = tail[k][1];
    row.cells[static_cast<size_t>(newSide)] = tail[k][2];
    m_rows.push_back(row);
  }
}

void CScoreSheet::MarkAll(bool detailed, bool summary, bool detailedChecked, bool summaryChecked) {
  m_anyDetailed = m_anySummary = false;
  for (int i = 0; i < VariableCount(); ++i) {
    int state = kCheckNone;
    if (HasZScore(i)) {
      const bool valid = HasValue(m_values[static_cast<size_t>(i)]);
      if (valid) m_anyDetailed = true;
      state = m_checks[static_cast<size_t>(i)];
      if (m_task->IsZVariableFlagged(i)) {
        if (valid) m_anySummary = true;
        if (summary) state = (valid ? kCheckOff : kCheckNoValue) + (summaryChecked && valid ? 1 : 0);
      } else if (detailed) {
        state = (valid ? kCheckOff : kCheckNoValue) + (detailedChecked && valid ? 1 : 0);
      }
    }
    m_checks[static_cast<size_t>(i)] = state;
  }
  for (ScoreRow& row : m_rows) {
    if (row.key > 0 && row.key <= VariableCount()) row.check = m_checks[static_cast<size_t>(row.key - 1)];
  }
}

bool CScoreSheet::SetChecked(int i, bool checked) {
  if (!HasZScore(i)) return false;
  int& state = m_checks[static_cast<size_t>(i)];
  if (state >= kCheckNoValue || !HasValue(m_values[static_cast<size_t>(i)])) return false;
  state = checked ? kCheckOn : kCheckOff;
  for (ScoreRow& row : m_rows) {
    if (row.key == i + 1) row.check = state;
  }
  return true;
}

int CScoreSheet::GetCheck(int i) const {
  return i >= 0 && i < VariableCount() ? m_checks[static_cast<size_t>(i)] : kCheckNone;
}

bool CScoreSheet::AnyChecked() const {
  return std::find(m_checks.begin(), m_checks.end(), kCheckOn) != m_checks.end();
}

std::vector<ZBarInput> CScoreSheet::MarkedBars() const {
  std::vector<ZBarInput> bars;
  for (int i = 0; i < VariableCount(); ++i) {
    const ScoreVariable& v = m_variables[static_cast<size_t>(i)];
    if (!HasZScore(i)) continue;
    if (m_partFilter != 0 && v.part != 0 && v.part != m_partFilter) continue;
    if (m_checks[static_cast<size_t>(i)] != kCheckOn) continue;
    bars.push_back({v.name.substr(0, v.name.find('_')), UsableValueFormat(v.format), m_values[static_cast<size_t>(i)]});
  }
  return bars;
}

void CScoreSheet::SelectVariable(int i) {
  m_current = i >= 0 && i < VariableCount() ? i : -1;
  m_currentZ = m_currentTval = kNoValue;
  if (m_current < 0) return;
  m_currentZ = m_values[static_cast<size_t>(i)];
  if (m_task && HasZScore(i)) {
    const int source = m_task->GetZSourceIndex(i);
    if (source >= 0 && source < i) m_currentTval = m_values[static_cast<size_t>(source)];
  }
}

void LoadComputedScore(CScoreSheet& sheet, const ITaskRunData& runData) {
  const int count = std::clamp(std::min(runData.scoreVariableCount, runData.variableCount), 0, kMaxScoreVariables);
  std::vector<ScoreVariable> variables(static_cast<size_t>(count));
  std::vector<double> values(static_cast<size_t>(count), kNoValue);
  for (int i = 0; i < count; ++i) {
    ScoreVariable& v = variables[static_cast<size_t>(i)];
    if (runData.scoreVariables) {
      const TaskVariableDef& row = runData.scoreVariables[i];
      v.name = row.code ? row.code : "-";
      v.group = row.group ? row.group : "";
      v.format = row.format && *row.format ? row.format : kDefaultValueFormat;
      v.label = row.description ? row.description : "";
      v.attr = row.flags;
      v.part = row.part;
      v.described = true;
    }
    values[static_cast<size_t>(i)] = runData.values[i];
  }
  sheet.SetVariables(std::move(variables), std::move(values));
  std::vector<std::string> items;
  for (int k = 0; runData.scoreItemNames && k < runData.scoreItemCount && k < kMaxScoreItems; ++k) {
    items.emplace_back(runData.scoreItemNames[k] ? runData.scoreItemNames[k] : "");
  }
  sheet.SetItemNames(std::move(items), {});
}

std::string FormatTesteeHeader(const ScoreHeaderData& d) {
  const std::string names = d.noTesteeName ? std::string() : d.firstName + " " + d.surname + ", ";
  const std::string user =
      d.userId.empty() ? std::string() : ", by:" + d.userId + ", " + d.userFirstName + " " + d.userSurname;
  std::string time;
  if (d.mode == ScoreHeaderData::Mode::kExported) time = ", Exported: " + d.nowText + user;
  if (d.mode == ScoreHeaderData::Mode::kPrinted) time = ", Printed: " + d.nowText + user;
  return "Testee:" + d.testee + ", " + names + "Age:" + d.ageText + time;
}

std::string FormatTaskHeader(const ScoreHeaderData& d) {
  const std::string tester = d.testerId.empty()
                                 ? std::string()
                                 : ", by:" + d.testerId + ", " + d.testerFirstName + " " + d.testerSurname;
  const std::string task =
      d.practice ? "Task:" + d.task : "Task:" + d.task + ", Ano:" + std::to_string(d.assessment);
  const std::string rest = "Model:" + d.model + ", " + task + ", Tested:" + d.testedText + tester;
  return d.projectName.empty() ? rest : "Project:" + d.projectName + ", " + rest;
}

std::string FormatDuration(double days) {
  constexpr double kSecondsPerDay = 86400.0;
  constexpr int kMaxDaysAsTime = 5;
  const double t = days + 0.5 / kSecondsPerDay;
  const double wholeDays = std::trunc(t);
  char text[64];
  if (wholeDays <= kMaxDaysAsTime) {
    const double hours = std::trunc(t * 24.0);
    const double minutesAll = std::trunc(t * 24.0 * 60.0);
    const double secondsAll = std::trunc(t * kSecondsPerDay);
    std::snprintf(text, sizeof text, "Duration: %.0f:%02.0f:%02.0f", hours, minutesAll - 60.0 * hours,
                  secondsAll - 60.0 * minutesAll);
  } else {
    std::snprintf(text, sizeof text, "Duration, days: > %.0f", wholeDays);
  }
  return text;
}

}  // namespace qel

#include "ui/ProjectDataRows.h"

#include <algorithm>
#include <cstdio>

#include "app/model/ExpModel.h"
#include "app/model/ExpModelTask.h"
#include "app/text/ImageIndex.h"
#include "include/qel/ModelTask.h"
#include "project/ProjectData.h"
#include "project/ProjectHistory.h"
#include "project/TesteeFilter.h"
#include "project/TesteeTexts.h"
#include "ui/IconIndex.h"

namespace qel {

namespace {

constexpr const char* kTesteeModified = "Testee modified";
constexpr const char* kRebuildScores = "Maybe some scores must be rebuilt";
constexpr const char* kTaskNotAvailable = "<TASK NOT AVAILABLE>";
constexpr const char* kDash = "-";
constexpr int kMostParts = 16;

template <class T>
const T& At(const std::vector<T>& values, size_t i) {
  static const T kEmpty{};
  return i < values.size() ? values[i] : kEmpty;
}

CListRow NumberedRow(int row, std::string key, int image) {
  CListRow out;
  out.key = std::move(key);
  out.image = image;
  out.cells.push_back(RowNumberText(row));
  return out;
}

CListRows WithColumns(const std::vector<CListColumn>& columns) {
  CListRows rows;
  rows.columns = columns;
  return rows;
}

}  // namespace

// ---- testees --------------------------------------------------------------------------

const std::vector<CListColumn>& TesteeListColumns() {
  static const std::vector<CListColumn> kColumns = {
      {"No.", -40},       {"Id", 100},     {"Code", 100}, {"Birth date", -60}, {"First name", 50},
      {"Surname", 50},    {"Pref", 50},    {"User", 50},  {"Date", 50},        {"Comment", 100}};
  return kColumns;
}

namespace {

// The columns of the testee list as a source gives them.
struct TesteeArrays {
  std::vector<std::string> names, codes, firstNames, surnames, preferences, users;
  std::vector<QelDateTime> birthDates, dates;
  std::vector<uint32_t> changeCounts;
};

CListRows TesteeRowsFrom(const TesteeArrays& a, int n, bool historyMode) {
  CListRows out = WithColumns(TesteeListColumns());
  if (n < 0) {
    out.result = -1;
    return out;
  }
  out.rows.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(i);
    const uint32_t changes = At(a.changeCounts, k);
    const int image = changes >= 1 ? kIconTesteeOutdated : historyMode ? kIconTesteeHistory : kIconTestee;
    CListRow row = NumberedRow(i, At(a.names, k), image);
    row.cells.insert(row.cells.end(),
                     {row.key, At(a.codes, k), ListDateText(At(a.birthDates, k)), At(a.firstNames, k),
                      At(a.surnames, k), At(a.preferences, k), At(a.users, k), ListDateText(At(a.dates, k)),
                      changes > 0 ? std::string(kTesteeModified) + ", " + kRebuildScores : std::string()});
    out.rows.push_back(std::move(row));
  }
  out.result = n;
  return out;
}

}  // namespace

CListRows BuildTesteeRows(const CProjectData* project, const CTesteeFilter* filter, bool historyMode) {
  if (!project) return WithColumns(TesteeListColumns());
  TesteeArrays a;
  const int n = project->GetTesteeRows(a.names, filter, &a.codes, &a.firstNames, &a.surnames, &a.birthDates,
                                       &a.preferences, &a.users, &a.dates, &a.changeCounts);
  return TesteeRowsFrom(a, n, historyMode);
}

CListRows BuildTesteeHistoryRows(IProjectHistory* history, const std::string& testee) {
  if (!history) return WithColumns(TesteeListColumns());
  CTesteeFilter filter;
  filter.m_testee = testee;
  // An identifier names one testee: "Ann" is not the start of "Anna"'s history.
  filter.m_wholeMatch = 1;
  TesteeArrays a;
  std::vector<bool> flags;
  const int n = history->ReadTesteeHistory(testee.empty() ? nullptr : &filter, &a.names, &a.codes, &a.firstNames,
                                           &a.surnames, &a.birthDates, &a.preferences, &a.users, &a.dates, &flags);
  for (bool flag : flags) a.changeCounts.push_back(flag ? 1 : 0);
  return TesteeRowsFrom(a, n, true);
}

// ---- testee codes -----------------------------------------------------------------------

const std::vector<CListColumn>& TesteeCodeListColumns() {
  static const std::vector<CListColumn> kColumns = {
      {"No.", -40}, {"Code", 50}, {"Label", 100}, {"User", 50}, {"Date", 100}};
  return kColumns;
}

CListRows BuildTesteeCodeRows(const CProjectData* project) {
  CListRows out = WithColumns(TesteeCodeListColumns());
  if (!project) return out;
  std::vector<std::string> codes, labels, users;
  std::vector<QelDateTime> dates;
  const int n = project->GetTesteeCodes(&codes, &labels, &users, &dates);
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(i);
    CListRow row = NumberedRow(i, At(codes, k), kIconTesteeCode);
    row.cells.insert(row.cells.end(), {row.key, At(labels, k), At(users, k), ListDateText(At(dates, k))});
    out.rows.push_back(std::move(row));
  }
  out.result = std::max(n, 0);
  return out;
}

// ---- models --------------------------------------------------------------------------------

const std::vector<CListColumn>& ModelListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},   {"Id", 60},   {"Version", 100}, {"Tasks", -100},
                                                    {"User", 50},   {"Date", 50}, {"Comment", 100}};
  return kColumns;
}

CListRows BuildModelRows(const CProjectData* project) {
  CListRows out = WithColumns(ModelListColumns());
  if (!project) return out;
  std::vector<std::string> names, versionTexts, users;
  std::vector<int32_t> taskCounts, versions;
  std::vector<uint32_t> unavailable;
  std::vector<QelDateTime> dates;
  const int n = project->GetModelRows(names, taskCounts, &unavailable, &versions, &versionTexts, &users, &dates);
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(i);
    const uint32_t missing = At(unavailable, k);
    CListRow row = NumberedRow(i, At(names, k), kIconModel);
    row.cells.insert(row.cells.end(),
                     {missing > 0 ? row.key + "*" : row.key, SignedText(At(versions, k)), SignedText(At(taskCounts, k)),
                      At(users, k), ListDateText(At(dates, k)),
                      missing > 0 ? "Tasks not available: " + NumberText(missing) : std::string()});
    out.rows.push_back(std::move(row));
  }
  out.result = std::max(n, 0);
  return out;
}

// ---- tasks of an experiment model ---------------------------------------------------------

const std::vector<CListColumn>& TaskListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40}, {"Id", 60},    {"Name", 100},
                                                    {"Ver", -60}, {"Parts", -60}, {"Vars", 200}};
  return kColumns;
}

CListRows BuildTaskRows(const CExpModel* model) {
  CListRows out = WithColumns(TaskListColumns());
  if (!model) return out;
  for (int slot = 0; slot < model->GetTaskCount(); ++slot) {
    const CExpModelTask* task = model->GetTask(slot);
    if (!task) continue;
    const bool loaded = task->IsLibraryLoaded();
    const int i = static_cast<int>(out.rows.size());
    CListRow row;
    row.key = task->TaskIdStr;
    row.image = GetImageIndex(static_cast<int>(task->TaskId));
    row.cells = {(loaded ? "" : "*") + std::to_string(i + 1),
                 row.key,
                 task->TaskName,
                 NumberText(task->w.TaskVersion),
                 loaded ? NumberText(static_cast<uint32_t>(task->GetPartCount())) : kDash,
                 loaded ? NumberText(static_cast<uint32_t>(task->GetScoreVariableCount())) : kTaskNotAvailable};
    out.rows.push_back(std::move(row));
  }
  out.result = static_cast<int>(out.rows.size());
  return out;
}

// ---- parts and assessments of one model task -------------------------------------------------

const std::vector<CListColumn>& AssessmentListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},  {"Testee", 100}, {"Model", 100},
                                                    {"Task", 100}, {"Part", -40},    {"AnoMax", -40},
                                                    {"Ano completed", 200}};
  return kColumns;
}

CListRows BuildAssessmentRows(const CProjectData* project, const std::string& testee, const std::string& model,
                              const CExpModelTask* task, std::vector<std::vector<uint32_t>>* completed) {
  CListRows out = WithColumns(AssessmentListColumns());
  if (completed) completed->assign(kMostParts, {});
  if (!project || !task || testee.empty() || model.empty() || task->TaskIdStr.empty()) return out;
  const int parts = std::min(task->GetPartCount(), kMostParts);
  if (parts <= 0) return out;
  std::vector<uint32_t> numbers;
  std::vector<int32_t> partNumbers;
  const int n = project->GetAssessmentRows(testee.c_str(), model.c_str(), task->TaskIdStr.c_str(), &numbers,
                                           &partNumbers, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  for (int p = 1; p <= parts; ++p) {
    std::vector<uint32_t> done;
    for (int k = 0; k < n; ++k)
      if (At(partNumbers, static_cast<size_t>(k)) == p) done.push_back(At(numbers, static_cast<size_t>(k)));
    std::string doneText;
    for (uint32_t number : done) doneText += (doneText.empty() ? "" : ", ") + std::to_string(number);
    CListRow row = NumberedRow(p - 1, NumberText(task->GetPartAssessmentCount(p)), kIconAssessment);
    row.cells.insert(row.cells.end(), {testee, model, task->TaskIdStr, parts >= 2 ? RowNumberText(p - 1) : kDash,
                                       row.key, doneText.empty() ? kDash : doneText});
    out.rows.push_back(std::move(row));
    if (completed) (*completed)[static_cast<size_t>(p - 1)] = std::move(done);
  }
  out.result = parts;
  return out;
}

// ---- responses and scores ---------------------------------------------------------------------

const std::vector<CListColumn>& ResponseListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},  {"Testee", 100},   {"Model", 100},
                                                    {"Task", 100}, {"Ano", -40},      {"Part", -40},
                                                    {"TestDate", -60}, {"Resps", -60}, {"User", 60}};
  return kColumns;
}

namespace {

struct ResponseArrays {
  std::vector<uint32_t> numbers, counts;
  std::vector<int32_t> parts;
  std::vector<QelDateTime> dates;
  std::vector<std::string> users, testees, models, tasks;
};

// The row's own text when the source gave one, else the filter's.
const std::string& OwnOrFilter(const std::vector<std::string>& own, size_t k, const std::string& filter) {
  return k < own.size() ? own[k] : filter;
}

CListRows ResponseRowsFrom(const ResponseArrays& a, int n, const std::string& testee, const std::string& model,
                           const std::string& task) {
  CListRows out = WithColumns(ResponseListColumns());
  if (n < 0) {
    out.result = -1;
    return out;
  }
  out.rows.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(i);
    CListRow row = NumberedRow(i, NumberText(At(a.numbers, k)), kIconAssessment);
    row.cells.insert(row.cells.end(),
                     {OwnOrFilter(a.testees, k, testee), OwnOrFilter(a.models, k, model),
                      OwnOrFilter(a.tasks, k, task), row.key, NumberText(static_cast<uint32_t>(At(a.parts, k))),
                      ListDateText(At(a.dates, k)), NumberText(At(a.counts, k)), At(a.users, k)});
    out.rows.push_back(std::move(row));
  }
  out.result = n;
  return out;
}

// The per-row name lists are asked for only where the filter leaves the name open.
std::vector<std::string>* OpenName(std::vector<std::string>& list, const std::string& filter) {
  return filter.empty() ? &list : nullptr;
}

}  // namespace

CListRows BuildResponseRows(const CProjectData* project, const std::string& testee, const std::string& model,
                            const std::string& task) {
  if (!project) return WithColumns(ResponseListColumns());
  ResponseArrays a;
  const int n = project->GetAssessmentRows(FilterOrNull(testee), FilterOrNull(model), FilterOrNull(task), &a.numbers,
                                           &a.parts, &a.dates, &a.counts, &a.users, &a.testees, &a.models, &a.tasks);
  return ResponseRowsFrom(a, n, testee, model, task);
}

CListRows BuildResponseHistoryRows(IProjectHistory* history, const std::string& testee, const std::string& model,
                                   const std::string& task) {
  if (!history) return WithColumns(ResponseListColumns());
  ResponseArrays a;
  std::vector<int32_t> counts;
  const int n = history->ReadResponseHistory(testee, model, task, &a.numbers, &a.parts, &a.dates, &counts, &a.users,
                                             OpenName(a.testees, testee), OpenName(a.models, model),
                                             OpenName(a.tasks, task));
  for (int32_t count : counts) a.counts.push_back(static_cast<uint32_t>(count));
  return ResponseRowsFrom(a, n, testee, model, task);
}

const std::vector<CListColumn>& ScoreListColumns() {
  static const std::vector<CListColumn> kColumns = {
      {"No.", -40}, {"Testee", 100},   {"Model", 100}, {"Task", 100}, {"Ano", -40},
      {"TestDate", -60}, {"Vars", -60}, {"User", 60},  {"Date", 60},  {"Comment", 100}};
  return kColumns;
}

namespace {

struct ScoreArrays {
  std::vector<uint32_t> numbers, counts;
  std::vector<uint8_t> outdated;
  std::vector<QelDateTime> dates, saved;
  std::vector<std::string> users, testees, models, tasks;
};

CListRows ScoreRowsFrom(ScoreArrays& a, int n, const std::string& testee, const std::string& model,
                        const std::string& task, bool historyMode, std::vector<QelDateTime>* savedDates) {
  CListRows out = WithColumns(ScoreListColumns());
  if (n < 0) {
    out.result = -1;
    a.saved.clear();
  } else {
    out.rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      const size_t k = static_cast<size_t>(i);
      const bool old = At(a.outdated, k) != 0;
      CListRow row = NumberedRow(i, NumberText(At(a.numbers, k)),
                                 old ? kIconScoreOutdated : historyMode ? kIconScoreHistory : kIconScore);
      row.cells.insert(row.cells.end(),
                       {OwnOrFilter(a.testees, k, testee), OwnOrFilter(a.models, k, model),
                        OwnOrFilter(a.tasks, k, task), row.key, ListDateText(At(a.dates, k)),
                        NumberText(At(a.counts, k)), At(a.users, k), ListDateText(At(a.saved, k)),
                        old ? kTesteeModified : ""});
      out.rows.push_back(std::move(row));
    }
    out.result = n;
  }
  if (savedDates) *savedDates = std::move(a.saved);
  return out;
}

}  // namespace

CListRows BuildScoreRows(const CProjectData* project, const std::string& testee, const std::string& model,
                         const std::string& task, bool historyMode, std::vector<QelDateTime>* savedDates) {
  ScoreArrays a;
  if (!project) {
    if (savedDates) savedDates->clear();
    return WithColumns(ScoreListColumns());
  }
  const int n = project->GetScoreRows(FilterOrNull(testee), FilterOrNull(model), FilterOrNull(task), &a.numbers,
                                      &a.dates, &a.outdated, &a.counts, &a.users, &a.saved, &a.testees, &a.models,
                                      &a.tasks);
  return ScoreRowsFrom(a, n, testee, model, task, historyMode, savedDates);
}

CListRows BuildScoreHistoryRows(IProjectHistory* history, const std::string& testee, const std::string& model,
                                const std::string& task, std::vector<QelDateTime>* savedDates) {
  ScoreArrays a;
  if (!history) {
    if (savedDates) savedDates->clear();
    return WithColumns(ScoreListColumns());
  }
  std::vector<bool> flags;
  std::vector<int32_t> counts;
  const int n = history->ReadVariableHistory(testee, model, task, &a.numbers, &a.dates, &flags, &counts, &a.users,
                                             &a.saved, OpenName(a.testees, testee), OpenName(a.models, model),
                                             OpenName(a.tasks, task));
  for (bool flag : flags) a.outdated.push_back(flag ? 1 : 0);
  for (int32_t count : counts) a.counts.push_back(static_cast<uint32_t>(count));
  return ScoreRowsFrom(a, n, testee, model, task, true, savedDates);
}

// ---- users ------------------------------------------------------------------------------------

const std::vector<CListColumn>& UserListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},      {"Registered", 60}, {"UserId", 60},
                                                    {"FirstName", 60}, {"Surname", 60},    {"Institute", 60},
                                                    {"Comment", 60}};
  return kColumns;
}

CListRows BuildUserRows(const std::vector<CUserRecord>* users) {
  CListRows out = WithColumns(UserListColumns());
  if (!users) return out;
  for (size_t k = 0; k < users->size(); ++k) {
    const CUserRecord& user = (*users)[k];
    CListRow row = NumberedRow(static_cast<int>(k), user.m_id, kIconUser);
    row.cells.insert(row.cells.end(), {ListDateText(user.m_registered), user.m_id, user.m_firstName, user.m_surname,
                                       user.m_institute, user.m_comment});
    out.rows.push_back(std::move(row));
  }
  out.result = static_cast<int>(out.rows.size());
  return out;
}

// ---- change histories ---------------------------------------------------------------------------

const std::vector<CListColumn>& TesteeUpdateListColumns() {
  static const std::vector<CListColumn> kColumns = {
      {"No.", -40},         {"DateNew", 60}, {"UserNew", 60}, {"BirthDateNew", 60}, {"PrefNew", 40},
      {"DateOld", 60},      {"UserOld", 60}, {"BirthDateOld", 60}, {"PrefOld", 40}};
  return kColumns;
}

namespace {

// Rows i = 0 .. n - 2, numbered n - i - 1, each made by cellsOf(i).
template <class CellsOf>
void VersionRows(CListRows& out, int n, const std::string& key, int image, CellsOf cellsOf) {
  if (n < 0) {
    out.result = -1;
    return;
  }
  if (n <= 1) return;
  out.accountedRows = n;
  for (int i = 0; i + 1 < n; ++i) {
    CListRow row;
    row.key = key;
    row.image = image;
    row.cells.push_back(RowNumberText(n - i - 2));
    cellsOf(static_cast<size_t>(i), row.cells);
    out.rows.push_back(std::move(row));
  }
  out.result = n - 1;
}

}  // namespace

CListRows BuildTesteeUpdateRows(const CProjectData* project, const std::string& testee) {
  CListRows out = WithColumns(TesteeUpdateListColumns());
  if (!project) return out;
  std::vector<QelDateTime> dates, births;
  std::vector<std::string> users;
  std::vector<int32_t> preferences;
  const int n = project->GetTesteeChanges(testee.c_str(), &dates, &users, &births, &preferences);
  VersionRows(out, n, testee, kIconTesteeChanged, [&](size_t i, std::vector<std::string>& cells) {
    for (size_t v : {i, i + 1})
      cells.insert(cells.end(), {ListDateText(At(dates, v)), At(users, v), ListDateText(At(births, v)),
                                 GetHandednessCode(At(preferences, v))});
  });
  return out;
}

QelDateTime CScoreVersions::GetNewDate(int i) const {
  return i >= 0 && static_cast<size_t>(i) < savedDates.size() ? savedDates[static_cast<size_t>(i)] : QelDateTime::Null();
}

std::string CScoreVersions::GetNewUser(int i) const {
  return i >= 0 && static_cast<size_t>(i) < users.size() ? users[static_cast<size_t>(i)] : std::string();
}

const std::vector<CListColumn>& ScoreUpdateListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},          {"DateNew", 60}, {"UserNew", 60},
                                                    {"BirthDateNew", 60},  {"DateOld", 60}, {"UserOld", 60},
                                                    {"BirthDateOld", 60},  {"TestDate", 60}};
  return kColumns;
}

CListRows BuildScoreUpdateRows(const CProjectData* project, const std::string& testee, const std::string& model,
                               const std::string& task, uint32_t assessment, CScoreVersions* versions) {
  CListRows out = WithColumns(ScoreUpdateListColumns());
  CScoreVersions found;
  if (project) {
    std::vector<QelDateTime> births, testDates;
    const int n = project->GetScoreChanges(testee.c_str(), model.c_str(), task.c_str(), assessment, &births,
                                           &testDates, &found.users, &found.savedDates);
    VersionRows(out, n, testee, kIconScoreChanged, [&](size_t i, std::vector<std::string>& cells) {
      for (size_t v : {i, i + 1})
        cells.insert(cells.end(), {ListDateText(At(found.savedDates, v)), At(found.users, v),
                                   ListDateText(At(births, v))});
      cells.push_back(ListDateText(At(testDates, i)));
    });
  }
  if (versions) *versions = std::move(found);
  return out;
}

}  // namespace qel

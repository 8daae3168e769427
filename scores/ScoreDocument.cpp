#include "scores/ScoreDocument.h"

#include <cstdio>

#include "app/rundata/TaskRunData.h"
#include "app/text/DateTimeText.h"
#include "include/qel/TaskRunDataInterface.h"
#include "project/TesteeInfo.h"
#include "project/TesteeTexts.h"
#include "scores/ValueFormat.h"

namespace qel {

namespace {

bool SameDate(const QelDateTime& a, const QelDateTime& b) {
  if (a.status != b.status) return false;
  return !a.IsValid() || a.value == b.value;
}

// The variables of a task's table with stored values; the stored
// descriptions where the task has no table.
std::vector<ScoreVariable> Describe(const CExpModelTask* task, const std::vector<ScoreVariable>& stored) {
  if (!task || task->GetScoreVariableCount() <= 0) return stored;
  std::vector<ScoreVariable> out;
  for (size_t i = 0; i < stored.size(); ++i) {
    const TaskVariableDef* row = task->GetScoreVariable(static_cast<int>(i));
    if (!row) {
      out.push_back(stored[i]);
      continue;
    }
    ScoreVariable v;
    v.name = row->code ? row->code : "-";
    v.group = row->group ? row->group : "";
    v.format = row->format && *row->format ? row->format : kDefaultValueFormat;
    v.label = row->description ? row->description : "";
    v.attr = row->flags;
    v.part = row->part;
    v.described = true;
    out.push_back(v);
  }
  return out;
}

std::vector<std::string> Items(const char* const* names, int count) {
  std::vector<std::string> out;
  for (int k = 0; names && k < count && k < kMaxScoreItems; ++k) out.emplace_back(names[k] ? names[k] : "");
  return out;
}

}  // namespace

std::string FormatTestTime(const QelDateTime& date) {
  if (!IsDateValid(date)) return std::string();
  return FormatTimeColons(date, true) + ", " + FormatDateDay(date, true);
}

void CScoreDocument::ReadTesteeAndTask(IScoreStore* store) {
  if (!store) return;
  m_projectPath = store->GetPath();
  m_projectName = store->GetName();
  m_cfr = store->IsCfr();
  CTesteeInfo info;
  if (!m_testee.empty() && store->ReadTestee(m_testee, &info)) {
    m_testeeCode = info.m_code;
    m_firstName = info.m_firstName;
    m_surname = info.m_surname;
    m_currentBirthDate = info.m_dateBirth;
    if (info.m_dateBirth.IsValid()) {
      m_birthDate = info.m_dateBirth;
      m_sexText = GetSexName(info.m_sex);
      m_handednessText = GetHandednessCode(info.m_preference);
    }
  }
}

CScoreDocument::CScoreDocument(const Computed& c, const ScoreUser& user) : m_user(user) {
  ResetNormGraphAgeRange();
  m_computed = true;
  m_practice = c.practice;
  m_testee = c.testee;
  m_model = c.model;
  m_testerId = user.id;
  m_testerFirstName = user.firstName;
  m_testerSurname = user.surname;
  m_task = c.task;
  if (m_task) {
    m_taskId = m_task->TaskIdStr;
    m_assessment = m_task->currentAssessment;
    m_taskName = m_task->TaskName;
    m_taskVersion = static_cast<int>(m_task->w.TaskVersion);
  }
  m_store = c.store;
  ReadTesteeAndTask(c.store);
  m_sheet.SetTask(m_task && m_task->IsLibraryLoaded() ? m_task : nullptr);
  m_sheet.SetPractice(c.practice);
  m_sheet.SetPartFilter(c.partFilter);
  m_runData = c.runData;
  if (c.runData) {
    LoadComputedScore(m_sheet, *c.runData);
    m_testDate = c.runData->testDate;
    if (m_task) m_sheet.SetItemNames(Items(m_task->GetScoreItemNames(), m_task->GetScoreItemCount()),
                                     Items(m_task->GetScoreItemNames2(), m_task->GetScoreItemCount2()));
  }
  m_maySave = c.maySave && !m_projectPath.empty() && !c.practice && m_sheet.VariableCount() > 0;
  FinishTexts();
}

CScoreDocument::CScoreDocument(const Saved& s, const ScoreUser& user) : m_user(user) {
  ResetNormGraphAgeRange();
  m_store = s.store;
  m_testee = s.key.testee;
  m_model = s.key.model;
  m_taskId = s.key.task;
  m_assessment = s.key.assessment;
  m_asOfNull = s.asOf == nullptr;
  ReadTesteeAndTask(s.store);
  if (s.store && s.store->ReadTask(m_model, m_taskId, &m_ownTask)) {
    m_taskName = m_ownTask.TaskName;
    m_taskVersion = static_cast<int>(m_ownTask.w.TaskVersion);
    if (m_ownTask.IsLibraryLoaded()) m_task = &m_ownTask;
  }
  m_sheet.SetTask(m_task);
  m_sheet.SetPartFilter(s.partFilter);
  StoredScore stored;
  if (s.store && s.store->ReadScore(s.key, s.asOf, &stored)) {
    m_sheet.SetVariables(Describe(m_task, stored.variables), stored.values);
    m_testDate = stored.assessmentDate;
    m_savedDate = stored.savedDate;
    if (stored.birthDate.IsValid()) {
      if (m_currentBirthDate.IsValid() && !SameDate(stored.birthDate, m_currentBirthDate)) m_birthDateDiffers = true;
      m_birthDate = stored.birthDate;
    }
    const QelDateTime duration = s.store->GetDuration(s.key);
    if (duration.IsValid()) m_durationText = FormatDuration(duration.value);
    m_testerId = stored.user;
    if (!m_testerId.empty()) {
      m_testerFirstName = s.store->GetUserFirstName(m_testerId);
      m_testerSurname = s.store->GetUserSurname(m_testerId);
    }
    if (!s.asOf) {
      m_versions = s.store->GetVersions(s.key);
      if (m_versions.size() > 1) m_selectedVersion = 0;
    }
  }
  if (m_task) m_sheet.SetItemNames(Items(m_task->GetScoreItemNames(), m_task->GetScoreItemCount()),
                                   Items(m_task->GetScoreItemNames2(), m_task->GetScoreItemCount2()));
  FinishTexts();
}

void CScoreDocument::FinishTexts() {
  m_testTimeText = FormatTestTime(m_testDate);
  m_savedDateText = m_savedDate.IsValid() ? FormatDateTimeLocale(m_savedDate) : std::string();
  m_birthDateText = m_birthDate.IsValid() ? FormatDateDay(m_birthDate, true) : std::string();
  double age = 0.0;
  if (m_birthDate.IsValid() && AgeInYears(m_birthDate, m_testDate, &age)) {
    m_age = age;
    m_ageText = FormatValue(age, kDefaultValueFormat);
  }
  m_sheet.SetAge(m_age);
  m_sheet.Fill(ScoreView::kBasic);
  m_sheet.MarkAll(true, true, false, false);
  m_taskAvailable = !m_sheet.Rows().empty();
}

std::string CScoreDocument::Caption() const {
  if (m_sheet.Rows().empty()) return "<TASK NOT AVAILABLE>";
  std::string caption = m_computed ? std::string(m_practice ? "Practice" : "Test") + " Scores" : "Saved Scores";
  if (!m_captionNote.empty()) caption += ", " + m_captionNote;
  return caption;
}

std::string CScoreDocument::ChangeNoText() const {
  const int n = static_cast<int>(m_versions.size());
  if (m_selectedVersion < 0) return std::string();
  return "ChangeNo: " + std::to_string(n - m_selectedVersion - 1);
}

bool CScoreDocument::LoadChange() {
  const int k = m_selectedVersion;
  if (!m_store || k < 0 || k + 1 >= static_cast<int>(m_versions.size())) return false;
  const ScoreVersion& newer = m_versions[static_cast<size_t>(k)];
  const ScoreVersion& older = m_versions[static_cast<size_t>(k + 1)];
  const ScoreKey key{m_testee, m_model, m_taskId, m_assessment};
  ScoreChangeSides sides;
  QelDateTime newTest = m_testDate, newBirth = m_birthDate;
  if (k == 0) {
    // The newest version is the score shown.
    for (int i = 0; i < m_sheet.VariableCount(); ++i) sides.newValues.push_back(m_sheet.GetValue(i));
    sides.newUser = m_testerId;
  } else {
    StoredScore s;
    if (!m_store->ReadVersion(key, newer, &s)) return false;
    sides.newValues = s.values;
    sides.newUser = s.user;
    newTest = s.assessmentDate;
    newBirth = s.birthDate;
  }
  StoredScore old;
  if (!m_store->ReadVersion(key, older, &old) || old.values.empty() || sides.newValues.empty()) return false;
  sides.oldValues = old.values;
  sides.oldUser = old.user;
  AgeInYears(old.birthDate, old.assessmentDate, &sides.oldAge);
  AgeInYears(newBirth, newTest, &sides.newAge);
  sides.oldDate = FormatDateTimeLocale(older.savedDate);
  sides.newDate = FormatDateTimeLocale(newer.savedDate);
  m_sheet.FillChanges(sides);
  return true;
}

ScoreHeaderData CScoreDocument::Headers(ScoreHeaderData::Mode mode, bool noTesteeName) const {
  ScoreHeaderData d;
  d.testee = m_testee;
  d.firstName = m_firstName;
  d.surname = m_surname;
  d.ageText = m_ageText;
  d.noTesteeName = noTesteeName;
  d.userId = m_user.id;
  d.userFirstName = m_user.firstName;
  d.userSurname = m_user.surname;
  d.mode = mode;
  if (mode != ScoreHeaderData::Mode::kShown) d.nowText = FormatDateTimeLocale(CurrentLocalDateTime());
  d.projectName = m_projectName;
  d.model = m_model;
  d.task = m_taskId;
  d.assessment = m_assessment;
  d.practice = m_practice;
  d.testedText = FormatDateTimeLocale(m_testDate);
  d.testerId = m_testerId;
  d.testerFirstName = m_testerFirstName;
  d.testerSurname = m_testerSurname;
  return d;
}

}  // namespace qel

#include "project/TesteeData.h"

#include "app/text/DateTimeText.h"
#include "project/CacheDetail.h"
#include "project/ModelData.h"
#include "project/TesteeTexts.h"

namespace qel {

using cache_detail::Empty;
using cache_detail::Put;

void CTesteeChangeLists::EmptyAll() const {
  Empty(changeDates);
  Empty(users);
  Empty(birthDates);
  Empty(preferences);
}

CTesteeData::~CTesteeData() { Clear(); }

void CTesteeData::Set(const std::string& testee, const std::string& code, const std::string& firstName,
                      const std::string& surname, const QelDateTime& dateBirth, int32_t preference, int32_t sex,
                      const char* description, const QelDateTime& date) {
  // Every text is made before the first field changes.
  std::string newTestee = testee;
  std::string newCode = code;
  std::string newFirstName = firstName;
  std::string newSurname = surname;
  std::string newHandednessSex = FormatHandednessSex(preference, sex);
  std::string newDescription = cache_detail::TextOrEmpty(description);
  m_testee = std::move(newTestee);
  m_testeeCode = std::move(newCode);
  m_firstName = std::move(newFirstName);
  m_surname = std::move(newSurname);
  m_dateBirth = dateBirth;
  m_preference = preference;
  m_sex = sex;
  m_handednessSex = std::move(newHandednessSex);
  m_description = std::move(newDescription);
  m_date = cache_detail::ValidOrNull(date);
}

void CTesteeData::Clear() {
  m_testee.clear();
  m_testeeCode.clear();
  m_firstName.clear();
  m_surname.clear();
  m_handednessSex.clear();
  m_description.clear();
  m_dateBirth = QelDateTime::Null();
  m_date = QelDateTime::Null();
  m_preference = 0;
  m_sex = 0;
  m_selected = 0;
  m_scoreCount = 0;
  m_outdatedCount = 0;
  m_assessmentCount = 0;
  for (auto& entry : m_scores) entry->Clear();
  m_scores.clear();
  for (auto& entry : m_assessments) entry->Clear();
  m_assessments.clear();
  m_changes.clear();
}

CModelScores* CTesteeData::AddModelScores(const CModelData* model) {
  return cache_detail::AppendOwned(m_scores, std::make_unique<CModelScores>(model));
}

CModelAssessments* CTesteeData::AddModelAssessments(const CModelData* model) {
  return cache_detail::AppendOwned(m_assessments, std::make_unique<CModelAssessments>(model));
}

void CTesteeData::RemoveLastModelScores() {
  if (!m_scores.empty()) m_scores.pop_back();
}

void CTesteeData::RemoveLastModelAssessments() {
  if (!m_assessments.empty()) m_assessments.pop_back();
}

const CModelScores* CTesteeData::GetModelScores(int i) const {
  if (i < 0 || i >= GetModelScoresCount()) return nullptr;
  return m_scores[static_cast<size_t>(i)].get();
}

const CModelAssessments* CTesteeData::GetModelAssessments(int i) const {
  if (i < 0 || i >= GetModelAssessmentsCount()) return nullptr;
  return m_assessments[static_cast<size_t>(i)].get();
}

CModelScores* CTesteeData::FindModelScores(const char* model) {
  return cache_detail::FindByBoundModel(m_scores, model);
}

const CModelScores* CTesteeData::FindModelScores(const char* model) const {
  return cache_detail::FindByBoundModel(m_scores, model);
}

CModelAssessments* CTesteeData::FindModelAssessments(const char* model) {
  return cache_detail::FindByBoundModel(m_assessments, model);
}

const CModelAssessments* CTesteeData::FindModelAssessments(const char* model) const {
  return cache_detail::FindByBoundModel(m_assessments, model);
}

int CTesteeData::AddChange(const QelDateTime& birthDate, int32_t preference, const char* user,
                           const QelDateTime& changeDate) {
  Change change{birthDate, preference, cache_detail::TextOrEmpty(user), changeDate};
  m_changes.insert(m_changes.begin(), std::move(change));
  return GetChangeCount();
}

int CTesteeData::FindChange(const char* text) const {
  if (!text) return -1;
  for (size_t i = 0; i < m_changes.size(); ++i) {
    const QelDateTime& date = m_changes[i].changeDate;
    if (date.IsValid() && FormatDateTimeLocale(date) == text) return static_cast<int>(i);
  }
  return -1;
}

QelDateTime CTesteeData::GetChangeBirthDate(const char* text) const {
  const int i = FindChange(text);
  return i < 0 ? QelDateTime::Null() : m_changes[static_cast<size_t>(i)].birthDate;
}

int32_t CTesteeData::GetChangePreference(const char* text) const {
  const int i = FindChange(text);
  return i < 0 ? 0 : m_changes[static_cast<size_t>(i)].preference;
}

int CTesteeData::GetChanges(const CTesteeChangeLists& lists) const {
  for (const Change& c : m_changes) {
    Put(lists.changeDates, c.changeDate);
    Put(lists.users, c.user);
    Put(lists.birthDates, c.birthDate);
    Put(lists.preferences, c.preference);
  }
  return GetChangeCount();
}

uint32_t CTesteeData::CountScores() {
  uint32_t count = 0;
  for (auto& entry : m_scores) count += entry->CountScores();
  m_scoreCount = count;
  return count;
}

uint32_t CTesteeData::CountAssessments() {
  uint32_t count = 0;
  for (auto& entry : m_assessments) count += entry->CountAssessments();
  m_assessmentCount = count;
  return count;
}

bool CTesteeData::IsScoreOutdated(const char* model, const char* code, uint32_t number) const {
  const CModelScores* entry = FindModelScores(model);
  return entry && entry->IsScoreOutdated(code, number, m_dateBirth);
}

uint32_t CTesteeData::UpdateOutdated() {
  uint32_t count = 0;
  for (auto& entry : m_scores) {
    entry->UpdateOutdated(m_dateBirth);
    count += entry->GetOutdatedTotal();
  }
  m_outdatedCount = count;
  return count;
}

bool CTesteeData::HasOutdatedChanged() const {
  for (const auto& entry : m_scores) {
    if (entry->HasOutdatedChanged(m_dateBirth)) return true;
  }
  return false;
}

bool CTesteeData::GetScoreInfo(const char* model, const char* code, uint32_t number, QelDateTime* assessmentDate,
                               std::string* user, QelDateTime* savedDate) const {
  *assessmentDate = QelDateTime::Null();
  user->clear();
  *savedDate = QelDateTime::Null();
  const CModelScores* entry = FindModelScores(model);
  return entry && entry->GetScoreInfo(code, number, assessmentDate, user, savedDate);
}

std::string CTesteeData::GetScoreUser(const char* model, const char* code, uint32_t number) const {
  const CModelScores* entry = FindModelScores(model);
  return entry ? entry->GetScoreUser(code, number) : std::string();
}

int CTesteeData::GetScoreChanges(const char* model, const char* code, uint32_t number,
                                 const CScoreChangeLists& lists) const {
  lists.EmptyAll();
  const CModelScores* entry = FindModelScores(model);
  if (!entry) return 0;
  // Row 0: the present version, against the testee's current birth date.
  QelDateTime assessmentDate;
  std::string user;
  QelDateTime savedDate;
  entry->GetScoreInfo(code, number, &assessmentDate, &user, &savedDate);
  Put(lists.birthDates, m_dateBirth);
  Put(lists.assessmentDates, assessmentDate);
  Put(lists.users, user);
  Put(lists.savedDates, savedDate);
  return entry->GetScoreChanges(code, number, lists) + 1;
}

int CTesteeData::AddScoreChange(const char* model, const char* code, uint32_t number, const QelDateTime& birthDate,
                                const QelDateTime& assessmentDate, const char* user, const QelDateTime& savedDate) {
  CModelScores* entry = FindModelScores(model);
  return entry ? entry->AddScoreChange(code, number, birthDate, assessmentDate, user, savedDate) : 0;
}

int CTesteeData::GetScoreChangeCount(const char* model, const char* code, uint32_t number) const {
  const CModelScores* entry = FindModelScores(model);
  return entry ? entry->GetScoreChangeCount(code, number) : 0;
}

QelDateTime CTesteeData::GetLatestAssessmentDate(const char* model, const char* code, uint32_t number) const {
  const CModelAssessments* entry = FindModelAssessments(model);
  return entry ? entry->GetLatestDate(code, number) : QelDateTime::Null();
}

CTimeSpan CTesteeData::GetAssessmentDuration(const char* model, const char* code, uint32_t number) const {
  const CModelAssessments* entry = FindModelAssessments(model);
  return entry ? entry->GetDuration(code, number) : CTimeSpan{};
}

int CTesteeData::GetScoreChangeTotal() const {
  int total = 0;
  for (const auto& entry : m_scores) total += entry->GetChangeTotal();
  return total;
}

int CTesteeData::GetScoreRows(const char* model, const char* code, const CScoreRowLists& lists) const {
  return cache_detail::RowsOfEntries(
      m_scores, model, [&](const char* key) { return FindModelScores(key); },
      [&](const CModelScores& entry) {
        const int added = entry.GetScoreRows(code, lists);
        cache_detail::PutRepeated(lists.models, cache_detail::NameColumn(model, entry.GetBoundModel()), added);
        return added;
      });
}

int CTesteeData::GetAssessmentRows(const char* model, const char* code, const CAssessmentRowLists& lists) const {
  return cache_detail::RowsOfEntries(
      m_assessments, model, [&](const char* key) { return FindModelAssessments(key); },
      [&](const CModelAssessments& entry) {
        const int added = entry.GetRows(code, lists);
        cache_detail::PutRepeated(lists.models, cache_detail::NameColumn(model, entry.GetBoundModel()), added);
        return added;
      });
}

}  // namespace qel

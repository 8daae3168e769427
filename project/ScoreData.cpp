#include "project/ScoreData.h"

#include <new>

#include "project/CacheDetail.h"
#include "project/ModelData.h"

namespace qel {

using cache_detail::Empty;
using cache_detail::Put;

void CScoreRowLists::EmptyAll() const {
  Empty(numbers);
  Empty(assessmentDates);
  Empty(outdated);
  Empty(variableCounts);
  Empty(users);
  Empty(savedDates);
  Empty(testees);
  Empty(models);
  Empty(codes);
}

void CScoreChangeLists::EmptyAll() const {
  Empty(birthDates);
  Empty(assessmentDates);
  Empty(users);
  Empty(savedDates);
}

// ---- CScoreData

void CScoreData::Reset() {
  m_number = 0;
  m_assessmentDate = QelDateTime::Null();
  m_birthDate = QelDateTime::Null();
  m_savedDate = QelDateTime::Null();
  m_outdated = 0;
  m_variableCount = 0;
  m_user.clear();
  m_changes.clear();
}

void CScoreData::Set(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate,
                     uint32_t variableCount, const char* user, const QelDateTime& savedDate) {
  SetData(assessmentDate, birthDate, variableCount, user, savedDate);
  m_number = number;
}

void CScoreData::SetData(const QelDateTime& assessmentDate, const QelDateTime& birthDate, uint32_t variableCount,
                         const char* user, const QelDateTime& savedDate) {
  std::string newUser = cache_detail::TextOrEmpty(user);  // the only step that can fail comes first
  m_assessmentDate = assessmentDate;
  m_birthDate = birthDate;
  m_outdated = 0;
  m_variableCount = variableCount;
  m_user = std::move(newUser);
  m_savedDate = savedDate;
}

int CScoreData::AddChange(const QelDateTime& birthDate, const QelDateTime& assessmentDate, const char* user,
                          const QelDateTime& savedDate) {
  Change change{birthDate, assessmentDate, cache_detail::TextOrEmpty(user), savedDate};
  m_changes.insert(m_changes.begin(), std::move(change));
  return GetChangeCount();
}

int CScoreData::GetChanges(const CScoreChangeLists& lists) const {
  for (const Change& c : m_changes) {
    Put(lists.birthDates, c.birthDate);
    Put(lists.assessmentDates, c.assessmentDate);
    Put(lists.users, c.user);
    Put(lists.savedDates, c.savedDate);
  }
  return GetChangeCount();
}

bool CScoreData::IsOutdated(const QelDateTime& currentBirthDate) const {
  return cache_detail::DatesDiffer(currentBirthDate, m_birthDate);
}

bool CScoreData::UpdateOutdated(const QelDateTime& currentBirthDate) {
  m_outdated = IsOutdated(currentBirthDate) ? 1 : 0;
  return m_outdated != 0;
}

bool CScoreData::HasOutdatedChanged(const QelDateTime& currentBirthDate) const {
  return IsOutdated(currentBirthDate) != IsOutdatedRecorded();
}

// ---- CTaskScores

CTaskScores::~CTaskScores() { Clear(); }

CScoreData* CTaskScores::FindScore(uint32_t number) {
  for (auto& score : m_scores) {
    if (score->GetNumber() == number) return score.get();
  }
  return nullptr;
}

const CScoreData* CTaskScores::FindScore(uint32_t number) const {
  return const_cast<CTaskScores*>(this)->FindScore(number);
}

CScoreData* CTaskScores::AddScore(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate,
                                  uint32_t variableCount, const char* user, const QelDateTime& savedDate) {
  auto score = std::make_unique<CScoreData>();
  score->Set(number, assessmentDate, birthDate, variableCount, user, savedDate);
  return cache_detail::AppendOwned(m_scores, std::move(score));
}

CScoreData* CTaskScores::UpdateScore(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate,
                                     uint32_t variableCount, const char* user, const QelDateTime& savedDate) {
  if (CScoreData* score = FindScore(number)) {
    score->SetData(assessmentDate, birthDate, variableCount, user, savedDate);
    return score;
  }
  return AddScore(number, assessmentDate, birthDate, variableCount, user, savedDate);
}

void CTaskScores::RemoveLastScore() {
  if (!m_scores.empty()) m_scores.pop_back();
}

uint32_t CTaskScores::GetNumber(int i) const {
  if (i < 0 || i >= GetScoreCount()) return 0;
  return m_scores[static_cast<size_t>(i)]->GetNumber();
}

std::string CTaskScores::GetUser(int i) const {
  if (i < 0 || i >= GetScoreCount()) return std::string();
  return m_scores[static_cast<size_t>(i)]->GetUser();
}

int CTaskScores::GetChangeCount(uint32_t number) const {
  const CScoreData* score = FindScore(number);
  return score ? score->GetChangeCount() : 0;
}

int CTaskScores::GetChangeTotal() const {
  int total = 0;
  for (const auto& score : m_scores) total += score->GetChangeCount();
  return total;
}

int CTaskScores::GetRows(const CScoreRowLists& lists) const {
  for (const auto& score : m_scores) {
    Put(lists.numbers, score->GetNumber());
    Put(lists.assessmentDates, score->GetAssessmentDate());
    Put(lists.outdated, static_cast<uint8_t>(score->IsOutdatedRecorded() ? 1 : 0));
    Put(lists.variableCounts, score->GetVariableCount());
    Put(lists.users, score->GetUser());
    Put(lists.savedDates, score->GetSavedDate());
  }
  return GetScoreCount();
}

uint32_t CTaskScores::UpdateOutdated(const QelDateTime& currentBirthDate) {
  uint32_t count = 0;
  for (auto& score : m_scores) {
    if (score->UpdateOutdated(currentBirthDate)) ++count;
  }
  m_outdatedCount = count;
  return count;
}

bool CTaskScores::HasOutdatedChanged(const QelDateTime& currentBirthDate) const {
  for (const auto& score : m_scores) {
    if (score->HasOutdatedChanged(currentBirthDate)) return true;
  }
  return false;
}

void CTaskScores::Clear() {
  m_task = nullptr;
  m_outdatedCount = 0;
  for (auto& score : m_scores) score->Reset();
  m_scores.clear();
}

// ---- CModelScores

CModelScores::~CModelScores() { Clear(); }

CScoreData* CModelScores::FindScore(const char* code, uint32_t number) {
  CTaskScores* task = FindTask(code);
  return task ? task->FindScore(number) : nullptr;
}

const CScoreData* CModelScores::FindScore(const char* code, uint32_t number) const {
  return const_cast<CModelScores*>(this)->FindScore(code, number);
}

bool CModelScores::GetScoreInfo(const char* code, uint32_t number, QelDateTime* assessmentDate, std::string* user,
                                QelDateTime* savedDate) const {
  *assessmentDate = QelDateTime::Null();
  user->clear();
  *savedDate = QelDateTime::Null();
  const CScoreData* score = FindScore(code, number);
  if (!score) return false;
  *user = score->GetUser();
  *assessmentDate = score->GetAssessmentDate();
  *savedDate = score->GetSavedDate();
  return true;
}

std::string CModelScores::GetScoreUser(const char* code, uint32_t number) const {
  const CScoreData* score = FindScore(code, number);
  return score ? score->GetUser() : std::string();
}

int CModelScores::GetScoreChanges(const char* code, uint32_t number, const CScoreChangeLists& lists) const {
  const CScoreData* score = FindScore(code, number);
  return score ? score->GetChanges(lists) : 0;
}

int CModelScores::AddScoreChange(const char* code, uint32_t number, const QelDateTime& birthDate,
                                 const QelDateTime& assessmentDate, const char* user, const QelDateTime& savedDate) {
  CScoreData* score = FindScore(code, number);
  return score ? score->AddChange(birthDate, assessmentDate, user, savedDate) : 0;
}

int CModelScores::GetScoreChangeCount(const char* code, uint32_t number) const {
  const CScoreData* score = FindScore(code, number);
  return score ? score->GetChangeCount() : 0;
}

int CModelScores::GetChangeTotal() const {
  int total = 0;
  for (const auto& task : m_taskList) total += task->GetChangeTotal();
  return total;
}

bool CModelScores::IsScoreOutdated(const char* code, uint32_t number, const QelDateTime& currentBirthDate) const {
  const CScoreData* score = FindScore(code, number);
  return score && score->IsOutdated(currentBirthDate);
}

uint32_t CModelScores::CountScores() {
  uint32_t total = 0;
  for (const auto& task : m_taskList) total += static_cast<uint32_t>(task->GetScoreCount());
  m_scoreTotal = total;
  return total;
}

void CModelScores::UpdateOutdated(const QelDateTime& currentBirthDate) {
  for (auto& task : m_taskList) task->UpdateOutdated(currentBirthDate);
  CountOutdated();
}

uint32_t CModelScores::CountOutdated() {
  uint32_t total = 0;
  for (const auto& task : m_taskList) total += task->GetOutdatedCount();
  m_outdatedTotal = total;
  return total;
}

bool CModelScores::HasOutdatedChanged(const QelDateTime& currentBirthDate) const {
  for (const auto& task : m_taskList) {
    if (task->HasOutdatedChanged(currentBirthDate)) return true;
  }
  return false;
}

int CModelScores::GetScoreRows(const char* code, const CScoreRowLists& lists) const {
  return TaskRows(code, lists, [&](const CTaskScores& task) { return task.GetRows(lists); });
}

void CModelScores::Clear() {
  m_scoreTotal = 0;
  m_outdatedTotal = 0;
  ClearTasks();
}

}  // namespace qel

#include "project/AssessmentData.h"

#include "project/CacheDetail.h"
#include "project/ModelData.h"

namespace qel {

using cache_detail::Empty;
using cache_detail::Put;

void CAssessmentRowLists::EmptyAll() const {
  Empty(numbers);
  Empty(parts);
  Empty(dates);
  Empty(responseCounts);
  Empty(users);
  Empty(testees);
  Empty(models);
  Empty(codes);
}

// ---- CTaskAssessments

CTaskAssessments::~CTaskAssessments() { Clear(); }

int CTaskAssessments::Append(uint32_t number, int32_t part, const QelDateTime& date, uint32_t responseCount,
                             const char* user) {
  Entry entry{number, part, date, responseCount, cache_detail::TextOrEmpty(user)};
  m_entries.push_back(std::move(entry));
  return GetCount();
}

int CTaskAssessments::FindEntry(uint32_t number, int32_t part) const {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].number == number && m_entries[i].part == part) return static_cast<int>(i);
  }
  return -1;
}

int CTaskAssessments::Update(uint32_t number, int32_t part, const QelDateTime& date, uint32_t responseCount,
                             const char* user) {
  const int i = FindEntry(number, part);
  if (i < 0) return Append(number, part, date, responseCount, user);
  std::string newUser = cache_detail::TextOrEmpty(user);
  Entry& entry = m_entries[static_cast<size_t>(i)];
  entry.date = date;
  entry.responseCount = responseCount;
  entry.user = std::move(newUser);
  return 1;
}

void CTaskAssessments::RemoveLastEntry() {
  if (!m_entries.empty()) m_entries.pop_back();
}

int CTaskAssessments::GetLists(const CAssessmentRowLists& lists) const {
  for (const Entry& entry : m_entries) {
    Put(lists.numbers, entry.number);
    Put(lists.parts, entry.part);
    Put(lists.dates, entry.date);
    Put(lists.responseCounts, entry.responseCount);
    Put(lists.users, entry.user);
  }
  return GetCount();
}

QelDateTime CTaskAssessments::GetLatestDate(uint32_t number) const {
  QelDateTime latest;
  for (const Entry& entry : m_entries) {
    if (entry.number != number || !entry.date.IsValid()) continue;
    if (!latest.IsValid() || entry.date.value > latest.value) latest = entry.date;
  }
  return latest;
}

CTimeSpan CTaskAssessments::GetDuration(uint32_t number) const {
  QelDateTime earliest;
  QelDateTime latest;
  int changes = 0;
  for (const Entry& entry : m_entries) {
    if (entry.number != number || !entry.date.IsValid()) continue;
    if (!earliest.IsValid()) {
      earliest = entry.date;
      latest = entry.date;
    } else if (entry.date.value < earliest.value) {
      earliest = entry.date;
      ++changes;
    } else if (entry.date.value > latest.value) {
      latest = entry.date;
      ++changes;
    }
  }
  CTimeSpan span;
  double days;
  if (changes > 0 && QelDateDiffDays(latest, earliest, &days)) {
    span.m_days = days;
    span.m_status = QelDateTime::kValid;
  }
  return span;
}

void CTaskAssessments::Clear() {
  m_task = nullptr;
  m_entries.clear();
}

// ---- CModelAssessments

CModelAssessments::~CModelAssessments() { Clear(); }

uint32_t CModelAssessments::CountAssessments() {
  uint32_t total = 0;
  for (const auto& task : m_taskList) total += static_cast<uint32_t>(task->GetCount());
  m_assessmentTotal = total;
  return total;
}

QelDateTime CModelAssessments::GetLatestDate(const char* code, uint32_t number) const {
  const CTaskAssessments* task = FindTask(code);
  return task ? task->GetLatestDate(number) : QelDateTime::Null();
}

CTimeSpan CModelAssessments::GetDuration(const char* code, uint32_t number) const {
  const CTaskAssessments* task = FindTask(code);
  return task ? task->GetDuration(number) : CTimeSpan{};
}

int CModelAssessments::GetRows(const char* code, const CAssessmentRowLists& lists) const {
  return TaskRows(code, lists, [&](const CTaskAssessments& task) { return task.GetLists(lists); });
}

void CModelAssessments::Clear() {
  m_assessmentTotal = 0;
  ClearTasks();
}

}  // namespace qel

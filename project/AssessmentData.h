// The assessments (stored responses) of one testee in the project cache,
// by model and task: one entry per stored part with its assessment and part
// numbers, date, number of responses and user.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/ModelEntry.h"
#include "project/TimeSpan.h"

namespace qel {

// The caller's output lists of assessment rows; a null list is not filled.
struct CAssessmentRowLists {
  std::vector<uint32_t>* numbers = nullptr;
  std::vector<int32_t>* parts = nullptr;
  std::vector<QelDateTime>* dates = nullptr;
  std::vector<uint32_t>* responseCounts = nullptr;
  std::vector<std::string>* users = nullptr;
  std::vector<std::string>* testees = nullptr;
  std::vector<std::string>* models = nullptr;
  std::vector<std::string>* codes = nullptr;

  void EmptyAll() const;
};

class CTaskAssessments {
 public:
  // Bound to the task entry of the cached model (may be null); not owned.
  explicit CTaskAssessments(const CModelTaskData* task) : m_task(task) {}
  virtual ~CTaskAssessments();
  CTaskAssessments(const CTaskAssessments&) = delete;
  CTaskAssessments& operator=(const CTaskAssessments&) = delete;

  // Appends an entry (a null user stored empty); returns the new count.
  // std::bad_alloc leaves the entries as they were.
  int Append(uint32_t number, int32_t part, const QelDateTime& date, uint32_t responseCount, const char* user);
  // Index of the first entry with both numbers; -1 when none.
  int FindEntry(uint32_t number, int32_t part) const;
  // Replaces date, response count and user of the entry with both numbers in
  // place, else appends; nonzero.
  int Update(uint32_t number, int32_t part, const QelDateTime& date, uint32_t responseCount, const char* user);
  // Drops the last entry (undoes an Append).
  void RemoveLastEntry();

  // Appends the five value columns of every entry; returns the count.
  int GetLists(const CAssessmentRowLists& lists) const;

  // Over the entries of that assessment number: the latest valid date (null
  // when none), and the span from the earliest to the latest valid date
  // (null with value 0 unless the dates differ).
  QelDateTime GetLatestDate(uint32_t number) const;
  CTimeSpan GetDuration(uint32_t number) const;

  // Bound task null, no entries.
  void Clear();

  const CModelTaskData* GetBoundTask() const { return m_task; }
  int GetCount() const { return static_cast<int>(m_entries.size()); }

 private:
  struct Entry {
    uint32_t number = 0;
    int32_t part = 0;
    QelDateTime date;
    uint32_t responseCount = 0;
    std::string user;
  };

  const CModelTaskData* m_task;
  std::vector<Entry> m_entries;
};

class CModelAssessments : public cache_detail::ModelEntry<CTaskAssessments> {
 public:
  explicit CModelAssessments(const CModelData* model) : ModelEntry(model) {}
  ~CModelAssessments() override;

  // Assessment total := the sum of the task entries' counts; returned.
  uint32_t CountAssessments();
  // Of the task entry with that code; a null date / null span when missing.
  QelDateTime GetLatestDate(const char* code, uint32_t number) const;
  CTimeSpan GetDuration(const char* code, uint32_t number) const;

  // Appends the rows of the task entry with that code (of every task entry
  // when code is null), with the code column; returns the rows added.
  int GetRows(const char* code, const CAssessmentRowLists& lists) const;

  // Bound model null, total 0, task entries cleared and deleted.
  void Clear();

  uint32_t GetAssessmentTotal() const { return m_assessmentTotal; }

 private:
  uint32_t m_assessmentTotal = 0;
};

}  // namespace qel

// The score sets (stored variables) of one testee in the project cache,
// by model and task: each with its assessment number and date, the birth
// date it was computed with, its saving user and date, and its history of
// earlier versions, newest first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/ModelEntry.h"

namespace qel {

// The caller's output lists of score rows; a null list is not filled. Row k
// of every list that is passed belongs to the same score set.
struct CScoreRowLists {
  std::vector<uint32_t>* numbers = nullptr;
  std::vector<QelDateTime>* assessmentDates = nullptr;
  std::vector<uint8_t>* outdated = nullptr;  // the flag as last recorded
  std::vector<uint32_t>* variableCounts = nullptr;
  std::vector<std::string>* users = nullptr;
  std::vector<QelDateTime>* savedDates = nullptr;
  std::vector<std::string>* testees = nullptr;
  std::vector<std::string>* models = nullptr;
  std::vector<std::string>* codes = nullptr;

  void EmptyAll() const;
};

// The output lists of a score set's history.
struct CScoreChangeLists {
  std::vector<QelDateTime>* birthDates = nullptr;
  std::vector<QelDateTime>* assessmentDates = nullptr;
  std::vector<std::string>* users = nullptr;
  std::vector<QelDateTime>* savedDates = nullptr;

  void EmptyAll() const;
};

class CScoreData {
 public:
  virtual ~CScoreData() = default;

  // Number 0, the three dates null, not outdated, no variables, no user, no history.
  void Reset();
  // Sets the number, then the values as SetData does.
  void Set(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate, uint32_t variableCount,
           const char* user, const QelDateTime& savedDate);
  // Dates copied with their status as passed; the outdated flag cleared; a
  // null user stored empty. Number, position and history stay.
  void SetData(const QelDateTime& assessmentDate, const QelDateTime& birthDate, uint32_t variableCount,
               const char* user, const QelDateTime& savedDate);

  // Puts an earlier version in front of the history; returns the history count.
  int AddChange(const QelDateTime& birthDate, const QelDateTime& assessmentDate, const char* user,
                const QelDateTime& savedDate);
  // Appends the history entries, newest first, to the lists; returns the count.
  int GetChanges(const CScoreChangeLists& lists) const;
  int GetChangeCount() const { return static_cast<int>(m_changes.size()); }

  // Outdated: the stored birth date and the testee's current one are both
  // valid and differ. UpdateOutdated records the answer; HasOutdatedChanged
  // tells whether the answer now differs from the recorded one.
  bool IsOutdated(const QelDateTime& currentBirthDate) const;
  bool UpdateOutdated(const QelDateTime& currentBirthDate);
  bool HasOutdatedChanged(const QelDateTime& currentBirthDate) const;

  uint32_t GetNumber() const { return m_number; }
  const QelDateTime& GetAssessmentDate() const { return m_assessmentDate; }
  const QelDateTime& GetBirthDate() const { return m_birthDate; }
  const std::string& GetUser() const { return m_user; }
  const QelDateTime& GetSavedDate() const { return m_savedDate; }
  bool IsOutdatedRecorded() const { return m_outdated != 0; }
  uint32_t GetVariableCount() const { return m_variableCount; }

 private:
  struct Change {
    QelDateTime birthDate;
    QelDateTime assessmentDate;
    std::string user;
    QelDateTime savedDate;
  };

  uint32_t m_number = 0;
  QelDateTime m_assessmentDate;
  QelDateTime m_birthDate;  // the testee's birth date when the scores were computed
  std::string m_user;
  QelDateTime m_savedDate;
  std::vector<Change> m_changes;  // newest first
  uint8_t m_outdated = 0;
  uint32_t m_variableCount = 0;
};

// The score sets of one task of one model.
class CTaskScores {
 public:
  // Bound to the task entry of the cached model (may be null); not owned.
  explicit CTaskScores(const CModelTaskData* task) : m_task(task) {}
  virtual ~CTaskScores();
  CTaskScores(const CTaskScores&) = delete;
  CTaskScores& operator=(const CTaskScores&) = delete;

  // The first score set with that number; null when none.
  CScoreData* FindScore(uint32_t number);
  const CScoreData* FindScore(uint32_t number) const;
  // Appends a new score set; std::bad_alloc leaves the list as it was.
  CScoreData* AddScore(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate,
                       uint32_t variableCount, const char* user, const QelDateTime& savedDate);
  // SetData on the score set of that number, else AddScore.
  CScoreData* UpdateScore(uint32_t number, const QelDateTime& assessmentDate, const QelDateTime& birthDate,
                          uint32_t variableCount, const char* user, const QelDateTime& savedDate);
  // Drops the last score set (undoes an AddScore).
  void RemoveLastScore();

  // Number / user of score set i; 0 / empty out of range.
  uint32_t GetNumber(int i) const;
  std::string GetUser(int i) const;
  // History count of the score set of that number (0) / sum over all of them.
  int GetChangeCount(uint32_t number) const;
  int GetChangeTotal() const;

  // Appends the six value columns of every score set; returns the rows added.
  int GetRows(const CScoreRowLists& lists) const;

  // Records every score set's outdated answer and counts the set flags.
  uint32_t UpdateOutdated(const QelDateTime& currentBirthDate);
  bool HasOutdatedChanged(const QelDateTime& currentBirthDate) const;

  // Bound task null, outdated count 0, score sets reset and deleted.
  void Clear();

  const CModelTaskData* GetBoundTask() const { return m_task; }
  int GetScoreCount() const { return static_cast<int>(m_scores.size()); }
  uint32_t GetOutdatedCount() const { return m_outdatedCount; }

 private:
  const CModelTaskData* m_task;
  std::vector<std::unique_ptr<CScoreData>> m_scores;
  uint32_t m_outdatedCount = 0;
};

// The score sets of one model, by task.
class CModelScores : public cache_detail::ModelEntry<CTaskScores> {
 public:
  explicit CModelScores(const CModelData* model) : ModelEntry(model) {}
  ~CModelScores() override;

  const CScoreData* FindScore(const char* code, uint32_t number) const;
  CScoreData* FindScore(const char* code, uint32_t number);

  // The outputs are set to null, empty and null, then taken from the score
  // set when it is found; true when it was found.
  bool GetScoreInfo(const char* code, uint32_t number, QelDateTime* assessmentDate, std::string* user,
                    QelDateTime* savedDate) const;
  std::string GetScoreUser(const char* code, uint32_t number) const;
  int GetScoreChanges(const char* code, uint32_t number, const CScoreChangeLists& lists) const;
  int AddScoreChange(const char* code, uint32_t number, const QelDateTime& birthDate, const QelDateTime& assessmentDate,
                     const char* user, const QelDateTime& savedDate);
  int GetScoreChangeCount(const char* code, uint32_t number) const;
  int GetChangeTotal() const;
  bool IsScoreOutdated(const char* code, uint32_t number, const QelDateTime& currentBirthDate) const;

  // Score total := the sum of the task entries' score-set counts; returned.
  uint32_t CountScores();
  // Records the outdated answers of every score set; then CountOutdated.
  void UpdateOutdated(const QelDateTime& currentBirthDate);
  // Outdated total := the sum of the task entries' outdated counts; returned.
  uint32_t CountOutdated();
  bool HasOutdatedChanged(const QelDateTime& currentBirthDate) const;

  // Appends the rows of the task entry with that code (of every task entry
  // when code is null), with the code column; returns the rows added.
  int GetScoreRows(const char* code, const CScoreRowLists& lists) const;

  // Bound model null, totals 0, task entries cleared and deleted.
  void Clear();

  uint32_t GetScoreTotal() const { return m_scoreTotal; }
  uint32_t GetOutdatedTotal() const { return m_outdatedTotal; }

 private:
  uint32_t m_scoreTotal = 0;
  uint32_t m_outdatedTotal = 0;
};

}  // namespace qel

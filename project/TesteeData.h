// One testee in the project cache: the fields of its row, the search mark,
// its score sets and assessments by model, and the history of its earlier
// rows, newest first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/AssessmentData.h"
#include "project/ScoreData.h"
#include "project/TimeSpan.h"

namespace qel {

class CModelData;

// The output lists of a testee's change history.
struct CTesteeChangeLists {
  std::vector<QelDateTime>* changeDates = nullptr;
  std::vector<std::string>* users = nullptr;
  std::vector<QelDateTime>* birthDates = nullptr;
  std::vector<int32_t>* preferences = nullptr;

  void EmptyAll() const;
};

class CTesteeData {
 public:
  CTesteeData() = default;
  virtual ~CTesteeData();
  CTesteeData(const CTesteeData&) = delete;
  CTesteeData& operator=(const CTesteeData&) = delete;

  // Sets the fields and the handedness-and-sex text; a null description is
  // stored empty, the date only when it is valid. Either every field is set
  // or (std::bad_alloc) none is.
  void Set(const std::string& testee, const std::string& code, const std::string& firstName, const std::string& surname,
           const QelDateTime& dateBirth, int32_t preference, int32_t sex, const char* description,
           const QelDateTime& date);
  // Texts empty, dates null, numbers 0, not marked, counts 0, every model
  // entry cleared and deleted, history emptied.
  void Clear();

  // Appends an entry bound to the cached model (may be null).
  CModelScores* AddModelScores(const CModelData* model);
  CModelAssessments* AddModelAssessments(const CModelData* model);
  void RemoveLastModelScores();
  void RemoveLastModelAssessments();
  // The first entry whose bound model has that name; null when none.
  CModelScores* FindModelScores(const char* model);
  const CModelScores* FindModelScores(const char* model) const;
  CModelAssessments* FindModelAssessments(const char* model);
  const CModelAssessments* FindModelAssessments(const char* model) const;

  // Puts an earlier row in front of the history; returns the history count.
  int AddChange(const QelDateTime& birthDate, int32_t preference, const char* user, const QelDateTime& changeDate);
  // The first history entry whose change date is valid and reads, as locale
  // text, exactly as text: its index (-1), birth date (null), preference (0).
  int FindChange(const char* text) const;
  QelDateTime GetChangeBirthDate(const char* text) const;
  int32_t GetChangePreference(const char* text) const;
  // Appends the history entries, newest first; returns their count.
  int GetChanges(const CTesteeChangeLists& lists) const;

  // The testee's counts := the sums over its model entries; returned.
  uint32_t CountScores();
  uint32_t CountAssessments();

  // Outdated bookkeeping against the testee's current birth date.
  bool IsScoreOutdated(const char* model, const char* code, uint32_t number) const;
  uint32_t UpdateOutdated();
  bool HasOutdatedChanged() const;

  // Through the model entry of that name; the empty value when missing.
  bool GetScoreInfo(const char* model, const char* code, uint32_t number, QelDateTime* assessmentDate,
                    std::string* user, QelDateTime* savedDate) const;
  std::string GetScoreUser(const char* model, const char* code, uint32_t number) const;
  int GetScoreChanges(const char* model, const char* code, uint32_t number, const CScoreChangeLists& lists) const;
  int AddScoreChange(const char* model, const char* code, uint32_t number, const QelDateTime& birthDate,
                     const QelDateTime& assessmentDate, const char* user, const QelDateTime& savedDate);
  int GetScoreChangeCount(const char* model, const char* code, uint32_t number) const;
  QelDateTime GetLatestAssessmentDate(const char* model, const char* code, uint32_t number) const;
  CTimeSpan GetAssessmentDuration(const char* model, const char* code, uint32_t number) const;
  int GetScoreChangeTotal() const;

  // Appends the rows of the model entry of that name (of every one when
  // model is null), filtered by code, with the model and code columns.
  int GetScoreRows(const char* model, const char* code, const CScoreRowLists& lists) const;
  int GetAssessmentRows(const char* model, const char* code, const CAssessmentRowLists& lists) const;

  const std::string& GetTestee() const { return m_testee; }
  const std::string& GetTesteeCode() const { return m_testeeCode; }
  const std::string& GetFirstName() const { return m_firstName; }
  const std::string& GetSurname() const { return m_surname; }
  const QelDateTime& GetDateBirth() const { return m_dateBirth; }
  int32_t GetPreference() const { return m_preference; }
  int32_t GetSex() const { return m_sex; }
  const std::string& GetHandednessSex() const { return m_handednessSex; }
  const std::string& GetDescription() const { return m_description; }
  const QelDateTime& GetDate() const { return m_date; }
  bool IsSelected() const { return m_selected != 0; }
  void SetSelected(bool selected) { m_selected = selected ? 1 : 0; }
  uint32_t GetScoreCount() const { return m_scoreCount; }
  uint32_t GetOutdatedCount() const { return m_outdatedCount; }
  uint32_t GetAssessmentCount() const { return m_assessmentCount; }
  int GetChangeCount() const { return static_cast<int>(m_changes.size()); }
  int GetModelScoresCount() const { return static_cast<int>(m_scores.size()); }
  int GetModelAssessmentsCount() const { return static_cast<int>(m_assessments.size()); }
  const CModelScores* GetModelScores(int i) const;
  const CModelAssessments* GetModelAssessments(int i) const;

 private:
  struct Change {
    QelDateTime birthDate;
    int32_t preference = 0;
    std::string user;
    QelDateTime changeDate;
  };

  std::string m_testee;
  std::string m_testeeCode;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  std::string m_handednessSex;
  std::string m_description;
  QelDateTime m_date;
  uint8_t m_selected = 0;
  uint32_t m_scoreCount = 0;
  uint32_t m_outdatedCount = 0;
  uint32_t m_assessmentCount = 0;
  std::vector<std::unique_ptr<CModelScores>> m_scores;
  std::vector<std::unique_ptr<CModelAssessments>> m_assessments;
  std::vector<Change> m_changes;  // newest first
};

}  // namespace qel

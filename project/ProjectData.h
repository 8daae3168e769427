// The in-memory picture of the open project: its users and testee codes
// (sorted ignoring case), its testees with their score sets, assessments
// and change histories, and its models with their tasks (in the order they
// were added). The project object fills it when a project is loaded and
// brings it up to date after each committed write; the views, lists and
// dialogs read the project through it without touching the database.
//
// The cache owns every item it holds and refers to nothing in the
// database. Look-ups are linear scans with exact, case-sensitive
// comparison; the first match wins, and the add operations do not check for
// an existing key. No operation reports an error: a missing item, a null
// text or a position out of range gives the empty value of the result, and
// an operation that cannot get the memory it needs changes nothing.
// Counts and totals are snapshots, recomputed only by CountScores,
// CountAssessments and FindOutdatedScores.
//
// Threads: the user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "admin/UserRecord.h"
#include "include/qel/DateTime.h"
#include "project/AssessmentData.h"
#include "project/ModelData.h"
#include "project/ScoreData.h"
#include "project/TesteeData.h"
#include "project/TimeSpan.h"

namespace qel {

class CExpModel;

class IComboSink;
class ITaskAvailability;
struct CTesteeFilter;

class CProjectData {
 public:
  // The availability answers whether a task's plug-in is loaded for every
  // model task entry the cache makes; it must outlive the cache.
  explicit CProjectData(const ITaskAvailability& tasks);
  virtual ~CProjectData();
  CProjectData(const CProjectData&) = delete;
  CProjectData& operator=(const CProjectData&) = delete;

  // Deletes every testee (with everything below it), then every model;
  // empties users and testee codes; every count and total 0; the CFR-content
  // flag cleared.
  void Clear();

  // ---- Users: sorted by Id ignoring case, looked up exactly.

  // Inserts a copy after every user whose Id does not sort after it; returns
  // the count. A null user changes nothing.
  int AddUser(const CUserRecord* user);
  // Replaces the user of that Id, or adds it; false when nothing was stored.
  bool SetUser(const CUserRecord& user);
  bool IsUser(const char* id) const;
  const CUserRecord* FindUser(const char* id) const;
  QelDateTime GetUserRegistered(const char* id) const;
  std::string GetUserFirstName(const char* id) const;
  std::string GetUserSurname(const char* id) const;
  std::string GetUserId(int i) const;
  int GetUserCount() const { return static_cast<int>(m_users.size()); }
  const std::vector<CUserRecord>& GetUsers() const { return m_users; }

  // ---- Testee codes: sorted by code ignoring case.

  // Inserts after every code that does not sort after it; a null comment or
  // description is stored empty, the date only when valid. Returns the count.
  int AddTesteeCode(const std::string& code, const char* comment, const char* description, const QelDateTime& date);
  std::string GetTesteeCode(int i) const;
  // Copies of the four lists (each may be null); returns the count.
  int GetTesteeCodes(std::vector<std::string>* codes, std::vector<std::string>* comments,
                     std::vector<std::string>* descriptions, std::vector<QelDateTime>* dates) const;
  int GetTesteeCodeCount() const { return static_cast<int>(m_codes.size()); }

  // ---- Testees, in the order they were added.

  // Appends a new testee; null when memory runs out.
  CTesteeData* AddTestee(const std::string& testee, const std::string& code, const std::string& firstName,
                         const std::string& surname, const QelDateTime& dateBirth, int32_t preference, int32_t sex,
                         const char* description, const QelDateTime& date);
  // Updates the fields of the testee of that name, or adds it; true when done.
  bool SetTestee(const std::string& testee, const std::string& code, const std::string& firstName,
                 const std::string& surname, const QelDateTime& dateBirth, int32_t preference, int32_t sex,
                 const char* description, const QelDateTime& date);
  CTesteeData* FindTestee(const char* testee);
  const CTesteeData* FindTestee(const char* testee) const;
  int GetTesteeCount() const { return static_cast<int>(m_testees.size()); }
  const CTesteeData* GetTestee(int i) const;
  const char* GetTesteeName(int i) const;  // null out of range
  bool IsTesteeSelected(int i) const;

  // The fields of a testee by name; empty, 0 or null when it is not cached.
  std::string GetTesteeDescription(const char* testee) const;
  std::string GetTesteeCodeOf(const char* testee) const;
  std::string GetTesteeFirstName(const char* testee) const;
  std::string GetTesteeSurname(const char* testee) const;
  QelDateTime GetTesteeDateBirth(const char* testee) const;
  int32_t GetTesteePreference(const char* testee) const;
  int32_t GetTesteeSex(const char* testee) const;
  QelDateTime GetTesteeDate(const char* testee) const;

  // Puts an earlier row of the testee in front of its history; the testee,
  // or null when it is not cached.
  CTesteeData* AddTesteeChange(const char* testee, const QelDateTime& birthDate, int32_t preference, const char* user,
                               const QelDateTime& changeDate);
  // The testee's history count; over all testees when testee is null.
  int GetTesteeChangeCount(const char* testee) const;
  // Row 0 the testee's present state (Date, Description, DateBirth,
  // Preference), then its history newest first; the number of rows, 0 when
  // the testee is not cached.
  int GetTesteeChanges(const char* testee, std::vector<QelDateTime>* changeDates, std::vector<std::string>* users,
                       std::vector<QelDateTime>* birthDates, std::vector<int32_t>* preferences) const;
  // The birth date / preference of the testee's history entry whose change
  // date reads as changeText (locale text); null / 0 when none.
  QelDateTime GetTesteeChangeDate(const char* testee, const char* changeText) const;
  int32_t GetTesteeChangeNumber(const char* testee, const char* changeText) const;

  // Marks the testees that pass the filter (every testee for a null
  // filter) and clears the mark of the others; returns the number marked.
  // found is set to false.
  int SearchTestees(const CTesteeFilter* filter, bool* found);
  // The marked testees with at least one score set (as last counted);
  // total, when given, receives the number of their score sets.
  int CountSelectedTesteesWithAssessments(uint32_t* total) const;
  // One row per testee that passes the filter (every testee for a null
  // filter, marks untouched), in cache order: name, code, first name,
  // surname, DateBirth, handedness-and-sex text, Description, Date, outdated
  // count as last recorded. Only names is required; returns the rows.
  int GetTesteeRows(std::vector<std::string>& names, const CTesteeFilter* filter, std::vector<std::string>* codes,
                    std::vector<std::string>* firstNames, std::vector<std::string>* surnames,
                    std::vector<QelDateTime>* birthDates, std::vector<std::string>* handednessSex,
                    std::vector<std::string>* descriptions, std::vector<QelDateTime>* dates,
                    std::vector<uint32_t>* outdatedCounts) const;
  // Empties the combo, leaves it without selection and adds every testee
  // name in cache order (also to names when given); returns the number added.
  int FillTesteeCombo(IComboSink& combo, std::vector<std::string>* names) const;

  // ---- Models, in the order they were added.

  // Appends a new model; null when memory runs out.
  CModelData* AddModel(const std::string& model, int32_t version, const std::string& versionText, const char* user,
                       const QelDateTime& date);
  // Adds a cached model for the experiment model (its name, the header's
  // format version and release text, and every task slot it returns); an
  // existing model of that name is not replaced. Returns the number of task
  // entries made; 0 for a null model or when nothing could be added.
  int SetModel(const CExpModel* model, const char* user, const QelDateTime& date);
  CModelData* FindModel(const char* model);
  const CModelData* FindModel(const char* model) const;
  int GetModelCount() const { return static_cast<int>(m_models.size()); }
  const CModelData* GetModel(int i) const;
  const char* GetModelName(int i) const;  // null out of range
  int GetModelTaskCount(int i) const;
  uint32_t GetModelTaskId(int i, int j) const;
  const char* GetModelTaskIdStr(int i, int j) const;  // null out of range
  std::string GetModelUser(const char* model) const;
  int32_t GetModelVersion(const char* model) const;
  uint32_t GetUnavailableTaskCount(const char* model) const;
  bool HasModelTask(const char* model, const char* code) const;
  bool IsModelTaskAvailable(const char* model, const char* code) const;
  std::string GetModelTaskName(const char* model, const char* code) const;
  // The sum of the task counts of every cached model.
  int GetModelTaskTotal() const;
  // One row per model in cache order; names and task counts are required.
  int GetModelRows(std::vector<std::string>& names, std::vector<int32_t>& taskCounts,
                   std::vector<uint32_t>* unavailableCounts, std::vector<int32_t>* versions,
                   std::vector<std::string>* versionTexts, std::vector<std::string>* users,
                   std::vector<QelDateTime>* dates) const;
  int FillModelCombo(IComboSink& combo, std::vector<std::string>* names) const;
  // The model's task short codes; the combo is emptied, and 0 returned,
  // when the model is not cached.
  int FillTaskCombo(IComboSink& combo, std::vector<std::string>* codes, std::vector<std::string>* names,
                    const char* model) const;

  // ---- Score sets (stored variables) and assessments (stored responses).
  // Both are recorded only for a cached testee; a model or task that is not
  // cached gets an entry of its own, reached by no look-up by name or code.

  // Appends a score set. With useTesteeData the testee's current birth
  // date, preference and sex stand for the given ones (the preference and
  // sex are not kept). Null when nothing was recorded (testee not cached,
  // more variables than a score set holds, no memory).
  CScoreData* AddScore(const char* testee, const char* model, const char* code, uint32_t number,
                       const QelDateTime& assessmentDate, bool useTesteeData, const QelDateTime& birthDate,
                       int32_t preference, int32_t sex, uint32_t variableCount, const char* user,
                       const QelDateTime& savedDate);
  // As AddScore, but the score set of that number is overwritten in place
  // (history and position kept) when the task entry holds one.
  void UpdateScore(const char* testee, const char* model, const char* code, uint32_t number,
                   const QelDateTime& assessmentDate, bool useTesteeData, const QelDateTime& birthDate,
                   int32_t preference, int32_t sex, uint32_t variableCount, const char* user,
                   const QelDateTime& savedDate);
  // Puts an earlier version in front of the score set's history; the new
  // history count, 0 when the score set is not cached.
  int AddScoreChange(const char* testee, const char* model, const char* code, uint32_t number,
                     const QelDateTime& birthDate, const QelDateTime& assessmentDate, const char* user,
                     const QelDateTime& savedDate);
  // Row 0 the present version (the testee's current DateBirth, the score
  // set's assessment date, user and saved date; null and empty when the
  // score set is missing), then its history newest first. 0 when the testee
  // or its entry for the model is missing.
  int GetScoreChanges(const char* testee, const char* model, const char* code, uint32_t number,
                      std::vector<QelDateTime>* birthDates, std::vector<QelDateTime>* assessmentDates,
                      std::vector<std::string>* users, std::vector<QelDateTime>* savedDates) const;
  int GetScoreChangeCount(const char* testee, const char* model, const char* code, uint32_t number) const;
  int GetScoreChangeTotal() const;
  std::string GetScoreUser(const char* testee, const char* model, const char* code, uint32_t number) const;

  // Appends one entry for a stored part; nonzero when recorded, 0 when the
  // testee is not cached, the part is not one of the 16, the response count
  // exceeds what a part holds, or memory runs out.
  int AddAssessment(const char* testee, const char* model, const char* code, uint32_t number, int32_t part,
                    const QelDateTime& date, uint32_t responseCount, const char* user);
  // As AddAssessment, but the entry with that assessment and part number is
  // replaced in place (date, response count, user) when the task entry holds one.
  int UpdateAssessment(const char* testee, const char* model, const char* code, uint32_t number, int32_t part,
                       const QelDateTime& date, uint32_t responseCount, const char* user);

  // Each testee's count and the project's total, recounted; the total.
  uint32_t CountScores();
  uint32_t CountAssessments();

  // The span from the earliest to the latest part date of the assessment
  // (null unless they differ), and its latest part date (null when none).
  CTimeSpan GetAssessmentDateOf(const char* testee, const char* model, const char* code, uint32_t number) const;
  QelDateTime GetAssessmentDate2Of(const char* testee, const char* model, const char* code, uint32_t number) const;

  // Rows of the cached score sets / assessment entries that match the
  // filters (null matches every one), testee by testee in cache order; a
  // filter that finds nothing gives 0 rows. Columns as the lists name them;
  // the name columns hold the filter text when a filter was given.
  int GetScoreRows(const char* testee, const char* model, const char* code, std::vector<uint32_t>* numbers,
                   std::vector<QelDateTime>* assessmentDates, std::vector<uint8_t>* outdated,
                   std::vector<uint32_t>* variableCounts, std::vector<std::string>* users,
                   std::vector<QelDateTime>* savedDates, std::vector<std::string>* testees,
                   std::vector<std::string>* models, std::vector<std::string>* codes) const;
  int GetAssessmentRows(const char* testee, const char* model, const char* code, std::vector<uint32_t>* numbers,
                        std::vector<int32_t>* parts, std::vector<QelDateTime>* dates,
                        std::vector<uint32_t>* responseCounts, std::vector<std::string>* users,
                        std::vector<std::string>* testees, std::vector<std::string>* models,
                        std::vector<std::string>* codes) const;

  // ---- Outdated score sets: the stored birth date and the testee's
  // current one are both valid and differ.

  // The live answer for one score set; false when it is missing.
  bool IsScoreOutdated(const char* testee, const char* model, const char* code, uint32_t number) const;
  // The testee's outdated count as last recorded.
  uint32_t GetOutdatedScoreCount(const char* testee) const;
  // Records every score set's answer and recounts per task, model, testee
  // and project; true when any score set is outdated.
  bool FindOutdatedScores();
  // Without recording: true when a score set of a marked testee now answers
  // otherwise than at the last FindOutdatedScores.
  bool AnySelectedTesteeOutdated() const;

  // ---- The project as a whole.

  // Set by the CFR load before it reads any row; cleared by Clear.
  void SetCfrContent(bool cfr) { m_cfrContent = cfr ? 1 : 0; }
  bool IsCfrContent() const { return m_cfrContent != 0; }
  uint32_t GetScoreTotal() const { return m_scoreTotal; }
  uint32_t GetOutdatedTotal() const { return m_outdatedTotal; }
  uint32_t GetAssessmentTotal() const { return m_assessmentTotal; }

 private:
  struct TesteeCode {
    std::string code;
    std::string comment;
    std::string description;
    QelDateTime date;
  };

  const ITaskAvailability& m_tasks;
  std::vector<CUserRecord> m_users;
  std::vector<TesteeCode> m_codes;
  std::vector<std::unique_ptr<CTesteeData>> m_testees;
  std::vector<std::unique_ptr<CModelData>> m_models;
  uint8_t m_cfrContent = 0;
  uint32_t m_scoreTotal = 0;
  uint32_t m_outdatedTotal = 0;
  uint32_t m_assessmentTotal = 0;

  CScoreData* RecordScore(bool update, const char* testee, const char* model, const char* code, uint32_t number,
                          const QelDateTime& assessmentDate, bool useTesteeData, const QelDateTime& birthDate,
                          uint32_t variableCount, const char* user, const QelDateTime& savedDate);
  int RecordAssessment(bool update, const char* testee, const char* model, const char* code, uint32_t number,
                       int32_t part, const QelDateTime& date, uint32_t responseCount, const char* user);
};

}  // namespace qel

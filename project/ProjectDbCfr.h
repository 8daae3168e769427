// The project file of the audited (CFR) format: its creation, its load into
// the project cache, the copy of a plain project into a new one, and every
// audited read and write of testees, testee codes, models, tasks, project
// users, responses and scores.
//
// Every write is one transaction (BEGIN IMMEDIATE, a checked COMMIT,
// rolled back on any failure): the acting user joins the project's Users,
// the row as it stood goes to its History twin, and the row is written with
// Date, User and Attributes 0, all or nothing. The cache changes, history
// entries included, only after the commit. Another program writing the
// same file makes a write wait (the connection's lock wait) and, past it,
// fail with the engine's "locked" report; nothing is half written.
//
// Kept versions are ordered by their Date and then by the order they were
// kept (the twins' Seq), so two saves within one second keep their order.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "admin/UserRecord.h"
#include "project/ProjectDb.h"

namespace qel {

class CExpModel;
class CRsOdbcAccess;
class CTesteeCodeInfo;
class CTesteeInfo;
class DaoDatabase;
class DbException;
struct CTesteeFilter;

class CProjectDbCfr : public CProjectDb {
 public:
  explicit CProjectDbCfr(CDbOdbcAccess* connection);
  ~CProjectDbCfr() override;

  // "StringsProject": a file that holds it is a CFR project.
  static std::string GetMarkerTableName();

  // Creates a CFR project file at the path with its eleven tables, six
  // relations, optionally the default testee code, the creator as its first
  // user and the five header rows; protected from its first byte by the
  // password when one is given, and given its name only when complete. An
  // existing file is left alone ("already exists") unless replace is set,
  // when the complete new file takes its place in one rename. Messages only
  // with showMessages.
  static bool CreateProjectFile(const std::string& path, const CUserRecord& creator, const std::string& institute,
                                const std::string& comment, const char* password, bool withDefaultCode,
                                bool showMessages, bool replace = false);

  // Makes a CFR project at cfrPath holding every row of the plain project
  // open on plain (testees dated testeeDate, or now when it is not valid;
  // every row written by user). The new file is built and checked (its
  // relations) under a temporary name beside cfrPath and takes that name
  // only when complete; a failure leaves neither a half-made file nor any
  // change at cfrPath. Failures are reported.
  static bool ConvertFromPlain(CDbOdbcAccess* plain, const std::string& cfrPath, const CUserRecord& user,
                               const std::string& institute, const std::string& comment, const char* password,
                               const QelDateTime& testeeDate);

  // The base close, then the creation texts emptied.
  void Close() override;
  // Reads the connected file into the cache (headerOnly: the header rows
  // only); 0 when loaded, else the code of the reported error (the cache is
  // then left empty).
  int Load(CDbOdbcAccess* connection, bool showMessages, int headerOnly) override;
  // Copies every table of the plain project open on plain into this
  // (new) project, in one transaction; true when all were copied.
  bool CopyFromPlain(CDbOdbcAccess* plain, const QelDateTime& testeeDate, const std::string& user);

  const std::string& GetCreationDate() const { return m_creationDate; }
  const std::string& GetCreationTime() const { return m_creationTime; }
  const std::string& GetCreationUser() const { return m_creationUser; }
  const std::string& GetSavedByUser() const { return m_savedByUser; }

  // ---- responses and scores

  // Inside the caller's transaction on the connected connection: the user
  // becomes a row of Users unless the cache knows it; userAdded tells.
  bool EnsureCurrentUser(const CUserRecord& user, bool* userAdded);
  // Stores the task's current part of its current assessment from the bound
  // run data and the first variableCount variables. A part stored again
  // keeps its old row and the old variables row in the twins.
  bool WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task,
                      const CUserRecord& user, bool* userAdded, int variableCount, const QelDateTime& dateBirth,
                      int32_t preference, int32_t sex, const QelDateTime& runDate, bool* newAssessment);
  // Rewrites the scores of an assessment that has stored scores, keeping
  // the old row in the twin.
  bool WriteVariables(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                      const CUserRecord& user, bool* userAdded, int variableCount, const QelDateTime& dateBirth,
                      int32_t preference, int32_t sex);
  int ReadResponseRow(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                      int part, uint32_t serial, int trialsSoFar, std::vector<std::string>* users, bool readArrays,
                      bool fromHistory) override;
  // The kept response rows matching the given keys (empty: any), in the
  // order of keys, Date and Seq; -1 when the file cannot be read.
  int ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                          std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                          std::vector<std::string>* users, std::vector<std::string>* testees,
                          std::vector<std::string>* models, std::vector<std::string>* tasks);
  // The scores of an assessment: the current row, or with a valid asOf the
  // kept version saved at that date (the one kept last when several were
  // saved within that second, or the one whose Seq is version when it is
  // not 0). The number of variables, 0 when no row matched, -1 on rejected
  // keys or a failed read.
  int ReadVariables(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                    const QelDateTime* asOf, std::vector<uint32_t>* attributes, std::vector<std::string>* names,
                    std::vector<std::string>* formats, std::vector<std::string>* labels, std::vector<double>* values,
                    QelDateTime* dateAss, QelDateTime* date, std::string* user, QelDateTime* dateBirth,
                    int32_t* preference, int32_t* sex, int64_t version = 0);
  // ReadVariables into the variable set read last, its dates and its user.
  int ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                        uint32_t assessment, const QelDateTime* asOf, QelDateTime* dateBirth, int32_t* preference,
                        int32_t* sex, int64_t version = 0);
  // The kept score rows matching the given keys; versions gets each row's Seq.
  int ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                          std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                          std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                          std::vector<std::string>* testees, std::vector<std::string>* models,
                          std::vector<std::string>* tasks, std::vector<int64_t>* versions = nullptr);

  // ---- testees, codes, models, tasks and project users

  bool WriteTestee(const CTesteeInfo& record, const CUserRecord& user, bool* userAdded, bool modify, bool keepHistory);
  bool ReadTestee(const std::string& name, CTesteeInfo* record);
  // The kept testee rows (filtered as the testee search filters), sorted by
  // Testee, Date and Seq; -1 when the file cannot be read.
  int ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees, std::vector<std::string>* codes,
                        std::vector<std::string>* firstNames, std::vector<std::string>* surnames,
                        std::vector<QelDateTime>* birthDates, std::vector<std::string>* preferenceTexts,
                        std::vector<std::string>* users, std::vector<QelDateTime>* dates, std::vector<bool>* flags);
  bool WriteTesteeCode(const CTesteeCodeInfo& record, const CUserRecord& user, bool* userAdded, bool modify);
  bool ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record);
  // Appends the model and its tasks; a model of that name that is stored
  // already is refused by the file (reported), nothing written.
  bool WriteModel(const CExpModel* model, const CUserRecord& user, bool* userAdded);
  // False when the file cannot be read or the model is missing (both
  // reported); a task count that disagrees with the rows is reported and
  // the rows read are kept.
  bool ReadModel(const std::string& name, CExpModel* model);
  bool ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code);
  bool WriteProjectUser(const CUserRecord& record, const std::string& writer, bool modify);

 private:
  // Connects for writing and runs work in one transaction, committed when
  // work returns true. A database error is reported with the query that
  // work named last. Disconnects; true when committed.
  bool InWriteTransaction(const std::function<bool(std::string& query)>& work);
  // Connects for reading and runs work; false when the connect or the read failed.
  bool Reading(const std::function<void(std::string& query)>& work);
  int Report(const DbException& e, const std::string& query, bool show) const;
  std::string RowText(const char* what, const std::string& key, const char* state) const;
  // Fills the tables of a new file and its first rows.
  static bool BuildNewFile(DaoDatabase& db, const CUserRecord& creator, const std::string& institute,
                           const std::string& comment, bool withDefaultCode);

  std::string m_creationDate;
  std::string m_creationTime;
  std::string m_creationUser;
  std::string m_savedByUser;
};

}  // namespace qel

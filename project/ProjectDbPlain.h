// The project file of the plain format (Owner version "04.00"): its
// creation, its load into the project cache, and each read and write of
// testees, testee codes, models, tasks, responses and variables. There are
// no history rows.
//
// Every write is one transaction (BEGIN IMMEDIATE, a checked COMMIT,
// rolled back on any failure) and the cache changes only after the commit.
// Rows are found with bound values, so a testee such as O'Neil is just a
// value. Counts read from rows are bounded by the arrays they fill (6000
// responses, 1500 variables, 40 tasks, 16 parts). Database errors are
// reported to the operator with the project path and the query.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "project/ProjectDb.h"

namespace qel {

class CExpModel;
class CQelRsVariable;
class CRsOdbcAccess;
class DbException;
class CTesteeCodeInfo;
class CTesteeInfo;

class CProjectDbPlain : public CProjectDb {
 public:
  // The format's version text, kept in the Owner row "Version".
  static constexpr const char* kVersionText = "04.00";

  explicit CProjectDbPlain(CDbOdbcAccess* connection);
  ~CProjectDbPlain() override;

  // Creates a new plain project file at the path, complete before it gets
  // its name (protected from its first byte by the password when one is
  // given), with the seven tables, the default testee code when asked and
  // the three Owner rows. An existing file is never touched ("already
  // exists") unless replace is set, when the complete new file takes its
  // place in one rename. Messages only with showMessages.
  static bool CreateProjectFile(const std::string& path, const std::string& owner, const std::string& comment,
                                const char* password, bool withDefaultCode, bool showMessages, bool replace = false);

  // Reads the connected file into the cache (with headerOnly only the Owner
  // rows); 0 when loaded, else the code of the reported database error (the
  // cache and header are then left empty).
  int Load(CDbOdbcAccess* connection, bool showMessages, int headerOnly) override;

  bool WriteTestee(const CTesteeInfo& record, bool modify);
  bool ReadTestee(const std::string& name, CTesteeInfo* record);
  bool WriteTesteeCode(const CTesteeCodeInfo& record, bool modify);
  // With columnsOnly only the record's column mask is set (and the result
  // is false).
  bool ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record, bool columnsOnly);

  bool WriteModel(const CExpModel* model);
  bool ReadModel(const std::string& name, CExpModel* model);
  bool ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code);

  int ReadResponseRow(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                      int part, uint32_t serial, int trialsSoFar, std::vector<std::string>* users, bool readArrays,
                      bool fromHistory) override;

  // Stores the run of the task's current part and assessment: its response
  // arrays from the bound run data and its first variableCount variables,
  // in one transaction. newVariablesRow tells whether the assessment's
  // variables row was new. False (nothing stored) on any failure.
  bool WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task, int variableCount,
                      const QelDateTime& runDate, bool* newVariablesRow);
  // Rewrites the stored variables of an assessment that was run; false
  // (nothing stored) for one that was never run.
  bool WriteVariables(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                      int variableCount);
  // The stored variables of an assessment: their number, 0 when none are
  // stored, -1 on a failed key check, connect or read.
  int ReadVariables(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                    std::vector<uint32_t>* attributes, std::vector<std::string>* names,
                    std::vector<std::string>* formats, std::vector<std::string>* labels, std::vector<double>* values,
                    QelDateTime* assessmentDate, QelDateTime* savedDate);
  // ReadVariables into the variable set read last and its two dates.
  int ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                        uint32_t assessment);

  // The earliest response date found by the last load (null when none).
  const QelDateTime& GetEarliestResponseDate() const { return m_earliestResponseDate; }

 private:
  // A database error of an operation, reported with the path and the query.
  int Report(const DbException& e, const std::string& query, bool show) const;
  // Date, count and the five arrays of a variables row from the bound run
  // data and score-variable table.
  void SetVariableColumns(CQelRsVariable& rows, const QelDateTime& date, int variables) const;
  // "<what> \"<key>\" <state> in project\n\"<path>\"!"
  std::string RowText(const char* what, const std::string& key, const char* state) const;
  // Connects for writing and runs work in one transaction, committed when
  // work returns true (rolled back otherwise). A database error is reported
  // with the query that work named last. Disconnects; true when committed.
  bool InWriteTransaction(const std::function<bool(std::string& query)>& work);
  // Connects for reading and runs work; a database error is reported with
  // the query that work named last. Disconnects; false when the connect or
  // the read failed.
  bool Reading(const std::function<void(std::string& query)>& work);
  // Adds (modify false) or changes (modify true) the one row the record set
  // is narrowed to, its columns set by setColumns, in one transaction; a row
  // that is there to add or missing to change is refused and the operator
  // told. True when committed.
  bool WriteOneRow(CRsOdbcAccess& rs, const char* what, const std::string& key, bool modify,
                   const std::function<void()>& setColumns);
  // Opens the record set for reading, calls opened, then getColumns on its
  // row (the operator is told when there is none); without getColumns only
  // opened. True when a row was read.
  bool ReadOneRow(CRsOdbcAccess& rs, const char* what, const std::string& key, const std::function<void()>& opened,
                  const std::function<void()>& getColumns);

  QelDateTime m_earliestResponseDate;
};

}  // namespace qel

// The record sets through which every read and write of an existing CFR
// project file or workstation users database goes: one class per table,
// its row record first, its columns bound by name in the record's order.
// The tables with History twins and Strings take a name suffix.
//
// The copy operations fill a new CFR project from the tables of a plain
// project (its conversion): each returns true once the copy ran; a row the
// new file refuses (a response naming a testee the plain project lacks, for
// instance) leaves as a DbException.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "admin/UserRecord.h"
#include "db/DbOdbcAccess.h"
#include "db/cfr/CfrRecords.h"

namespace qel {

class CQelRsResponse;
class CQelRsTestee;
class CQelRsVariable;

// Longest texts of the Memo columns.
inline constexpr size_t kCfrMemoLength = 163830;

class CQelRs4OdbcTesteeCode : public CTesteeCodesRecord, public CRsOdbcAccess {
 public:
  explicit CQelRs4OdbcTesteeCode(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

class CQelRs4OdbcTestee : public CTesteesRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcTestee(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
  void SetSuffix(const std::string& suffix);

  // Whether the stored birth date (both valid), preference or sex differ
  // from the item's; names, code and description do not count.
  bool DiffersFrom(const CTesteesRecord& item) const;
  // Each fills the row (after AddNew or Edit) and writes it. From an item:
  // its eight testee columns (its audit columns are not used), Attributes 0.
  bool UpdateFromItem(const CTesteesRecord& item, const QelDateTime& date, const std::string& user);
  bool UpdateFromPlainRow(const CQelRsTestee& row, const QelDateTime& date, const std::string& user);
  // Every column of the record; Attributes kept from it, Date and User as given.
  bool UpdateFromRecord(const CTesteesRecord& record, const QelDateTime& date, const std::string& user);
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

class CQelRs4OdbcModel : public CModelsRecord, public CRsOdbcAccess {
 public:
  explicit CQelRs4OdbcModel(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

class CQelRs4OdbcTask : public CTasksRecord, public CRsOdbcAccess {
 public:
  explicit CQelRs4OdbcTask(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

class CQelRs4OdbcResponse : public CResponsesRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcResponse(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
  void SetSuffix(const std::string& suffix);

  bool UpdateFromRecord(const CResponsesRecord& record, const QelDateTime& date, const std::string& user);
  // Birth date, preference and sex only when the testee was found.
  bool UpdateFromPlainRow(const CQelRsResponse& row, bool testeeFound, const QelDateTime& dateBirth,
                          int32_t preference, int32_t sex, const QelDateTime& date, const std::string& user);
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

// The key columns of Responses (or a twin), without the arrays.
class CQelRs4OdbcResponseS : public CResponsesKeyRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcResponseS(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
};

class CQelRs4OdbcVariable : public CVariablesRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcVariable(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
  void SetSuffix(const std::string& suffix);

  bool UpdateFromRecord(const CVariablesRecord& record, const QelDateTime& date, const std::string& user);
  // DateAss from the plain row's Date; birth date, preference and sex only
  // when the testee was found; Date and User as given.
  bool UpdateFromPlainRow(const CQelRsVariable& row, bool testeeFound, const QelDateTime& dateBirth,
                          int32_t preference, int32_t sex, const QelDateTime& date, const std::string& user);
  bool CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user);
};

// The key columns of Variables (or a twin), without the arrays.
class CQelRs4OdbcVariableS : public CVariablesKeyRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcVariableS(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
  void SetSuffix(const std::string& suffix);
};

class CQelRs4OdbcUsers : public CUsersRecord, public CRsOdbcAccess {
 public:
  explicit CQelRs4OdbcUsers(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  // Appends the user (password in its stored form), registered and dated
  // now, written by user. Database errors leave as a DbException; false
  // when the table cannot be opened.
  bool AddUser(const CUserRecord& record, const std::string& user);
  // Adds (add) or changes the user of the record's Id. An Id that exists
  // when adding ("User \"%s\" already exists!") or is missing when
  // changing ("Missing user \"%s\"!") is shown and gives false, nothing
  // written; false too when the table cannot be opened. Database errors
  // leave as a DbException.
  bool AddOrModifyUser(const CUserRecord& record, const std::string& user, bool add);
};

class CQelRs4OdbcRegister : public CRegisterRecord, public CRsOdbcAccess {
 public:
  explicit CQelRs4OdbcRegister(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;
};

class CQelRs4OdbcStrings : public CStringsRecord, public CRsOdbcAccess {
 public:
  CQelRs4OdbcStrings(CDbOdbc* database, const std::string& suffix = std::string());
  void DoFieldExchange(DbFieldExchange& fx) override;
  void SetSuffix(const std::string& suffix);
};

// The user's own columns of a Users row (Id, password in its stored form,
// type, names, institute, comment); registration and audit columns untouched.
void FillUsersRow(CUsersRecord& row, const CUserRecord& record);

// Adds or changes the user in the Users table of the database file at the
// path (protected by key when one is given) in one transaction; true when
// stored. Failures are shown.
bool SaveUserToDatabase(const std::string& path, const CUserRecord& record, bool add, const std::string& user,
                        const std::string& key = std::string());

}  // namespace qel

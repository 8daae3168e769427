// The record sets that write the first rows of a new CFR project or users
// database: the default testee code, a user, and the header rows.
//
// Thread contract: user-interface thread only.
#pragma once

#include <string>

#include "admin/UserRecord.h"
#include "db/QelRsDao.h"
#include "db/cfr/CfrRecords.h"

namespace qel {

class CQelRs4DaoTesteeCode : public CTesteeCodesRecord, public CQelRsDao {
 public:
  explicit CQelRs4DaoTesteeCode(DaoDatabase* database);
  void ReadRecord() override;
  void WriteRecord() override;

  // Adds the row "Default" (comment "Default", the standard description),
  // dated now, written by the given user. Errors leave as a DaoException.
  bool AddDefaultCode(const QelDateTime& date, const std::string& user);
};

class CQelRs4DaoUsers : public CUsersRecord, public CQelRsDao {
 public:
  explicit CQelRs4DaoUsers(DaoDatabase* database);
  void ReadRecord() override;
  void WriteRecord() override;

  // Adds the user (its password in the stored form), dated now, written by
  // the given user. Errors leave as a DaoException.
  bool AddUser(const CUserRecord& record, const std::string& user);
};

class CQelRs4DaoStrings : public CStringsRecord, public CQelRsDao {
 public:
  explicit CQelRs4DaoStrings(DaoDatabase* database);
  void ReadRecord() override;
  void WriteRecord() override;

  // The table becomes Strings<suffix>.
  void SetSuffix(const std::string& suffix);
  // Adds the five header rows: 1 "User", 2 "Institute", 3 "Comment",
  // 4 "Version" (01.04), 5 "Date" (now). Errors leave as a DaoException.
  bool WriteHeader(const CUserRecord& creator, const std::string& institute, const std::string& comment);
};

// The text of the "Description" of the default testee code.
inline constexpr char kDefaultTesteeCodeDescription[] = "This Code is used as default for Testee Code.";

}  // namespace qel

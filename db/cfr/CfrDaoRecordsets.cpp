#include "db/cfr/CfrDaoRecordsets.h"

#include <cstdio>

#include "app/text/DateTimeText.h"
#include "db/cfr/CfrRecordsets.h"
#include "db/cfr/CfrTables.h"

namespace qel {

namespace {

constexpr int kHeaderUser = 1;
constexpr int kHeaderInstitute = 2;
constexpr int kHeaderComment = 3;
constexpr int kHeaderVersion = 4;
constexpr int kHeaderDate = 5;
constexpr unsigned kFormatMajor = 1;
constexpr unsigned kFormatMinor = 4;

}  // namespace

CQelRs4DaoTesteeCode::CQelRs4DaoTesteeCode(DaoDatabase* database) : CQelRsDao(database) {
  m_tableName = kCfrTableTesteeCodes;
  SetExpectedFields(CfrTesteeCodesDefinition().fields);
}

void CQelRs4DaoTesteeCode::ReadRecord() {
  m_testeeCode = TextField("TesteeCode");
  m_comment = TextField("Comment");
  m_description = TextField("Description");
  m_date = DateField("Date");
  m_user = TextField("User");
  m_attributes = LongField("Attributes");
}

void CQelRs4DaoTesteeCode::WriteRecord() {
  SetFieldValue("TesteeCode", DbValue(m_testeeCode));
  SetFieldIfPresent("Comment", DbValue(m_comment));
  SetFieldIfPresent("Description", DbValue(m_description));
  SetFieldIfPresent("Date", DbValue(m_date));
  SetFieldIfPresent("User", DbValue(m_user));
  SetFieldIfPresent("Attributes", DbValue(m_attributes));
}

bool CQelRs4DaoTesteeCode::AddDefaultCode(const QelDateTime&, const std::string& user) {
  Open(kOpenTable);
  AddNew();
  m_testeeCode = "Default";
  m_comment = "Default";
  m_description = kDefaultTesteeCodeDescription;
  m_date = CurrentLocalDateTime();
  m_user = user;
  m_attributes = 0;
  Update();
  Close();
  return true;
}

CQelRs4DaoUsers::CQelRs4DaoUsers(DaoDatabase* database) : CQelRsDao(database) {
  m_tableName = kCfrTableUsers;
  SetExpectedFields(CfrUsersDefinition().fields);
}

void CQelRs4DaoUsers::ReadRecord() {
  m_id = TextField("Id");
  m_pwd = TextField("PWD");
  m_type = LongField("Type");
  m_fname = TextField("Fname");
  m_sname = TextField("Sname");
  m_registered = DateField("Registered");
  m_institute = TextField("Institute");
  m_comment = TextField("Comment");
  m_date = DateField("Date");
  m_user = TextField("User");
  m_attributes = LongField("Attributes");
}

void CQelRs4DaoUsers::WriteRecord() {
  SetFieldValue("Id", DbValue(m_id));
  SetFieldIfPresent("PWD", DbValue(m_pwd));
  SetFieldIfPresent("Type", DbValue(m_type));
  SetFieldIfPresent("Fname", DbValue(m_fname));
  SetFieldIfPresent("Sname", DbValue(m_sname));
  SetFieldIfPresent("Registered", DbValue(m_registered));
  SetFieldIfPresent("Institute", DbValue(m_institute));
  SetFieldIfPresent("Comment", DbValue(m_comment));
  SetFieldIfPresent("Date", DbValue(m_date));
  SetFieldIfPresent("User", DbValue(m_user));
  SetFieldIfPresent("Attributes", DbValue(m_attributes));
}

bool CQelRs4DaoUsers::AddUser(const CUserRecord& record, const std::string& user) {
  Open(kOpenTable);
  AddNew();
  FillUsersRow(*this, record);
  // A user without a registration date is registered now.
  m_registered = record.m_registered.IsValid() ? record.m_registered : CurrentLocalDateTime();
  m_date = CurrentLocalDateTime();
  m_user = user;
  m_attributes = 0;
  Update();
  Close();
  return true;
}

CQelRs4DaoStrings::CQelRs4DaoStrings(DaoDatabase* database) : CQelRsDao(database) {
  m_tableName = GetStringsTableName(std::string());
  SetExpectedFields(CfrStringsDefinition().fields);
}

void CQelRs4DaoStrings::SetSuffix(const std::string& suffix) { m_tableName = GetStringsTableName(suffix); }

void CQelRs4DaoStrings::ReadRecord() {
  m_codeNumber = LongField("CodeNumber");
  m_codeString = TextField("CodeString");
  m_number1 = LongField("Number1");
  m_number2 = LongField("Number2");
  m_string1 = TextField("String1");
  m_string2 = TextField("String2");
  m_attributes = LongField("Attributes");
}

void CQelRs4DaoStrings::WriteRecord() {
  SetFieldValue("CodeNumber", DbValue(m_codeNumber));
  SetFieldIfPresent("CodeString", DbValue(m_codeString));
  SetFieldIfPresent("Number1", DbValue(m_number1));
  SetFieldIfPresent("Number2", DbValue(m_number2));
  SetFieldIfPresent("String1", DbValue(m_string1));
  SetFieldIfPresent("String2", DbValue(m_string2));
  SetFieldIfPresent("Attributes", DbValue(m_attributes));
}

bool CQelRs4DaoStrings::WriteHeader(const CUserRecord& creator, const std::string& institute,
                                    const std::string& comment) {
  const QelDateTime now = CurrentLocalDateTime();
  int year = 0, month = 0, day = 0;
  now.Split(&year, &month, &day);
  char version[16];
  std::snprintf(version, sizeof version, "%02u.%02u", kFormatMajor, kFormatMinor);

  struct Row {
    int code;
    const char* name;
    int32_t number1;
    int32_t number2;
    std::string string1;
    std::string string2;
  };
  const Row rows[] = {
      {kHeaderUser, "User", 0, 0, creator.m_id, creator.m_surname + ", " + creator.m_firstName},
      {kHeaderInstitute, "Institute", 0, 0, institute, ""},
      {kHeaderComment, "Comment", 0, 0, comment, ""},
      {kHeaderVersion, "Version", static_cast<int32_t>(kFormatMajor), static_cast<int32_t>(kFormatMinor), version, ""},
      {kHeaderDate, "Date", year, month, FormatDateDots(now), FormatTimeColons(now, true)},
  };
  Open(kOpenTable);
  for (const Row& row : rows) {
    AddNew();
    m_codeNumber = row.code;
    m_codeString = row.name;
    m_number1 = row.number1;
    m_number2 = row.number2;
    m_string1 = row.string1;
    m_string2 = row.string2;
    m_attributes = 0;
    Update();
  }
  Close();
  return true;
}

}  // namespace qel

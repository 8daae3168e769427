#include "db/cfr/CfrRecordsets.h"

#include <map>

#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "db/cfr/CfrTables.h"
#include "db/plain/PlainRecordsets.h"
#include "db/plain/PlainTables.h"

namespace qel {

namespace {

constexpr char kCaption[] = "Qel";

void ExchangeAudit(DbFieldExchange& fx, QelDateTime& date, std::string& user, int32_t& attributes) {
  fx.Date("Date", date);
  fx.Text("User", user);
  fx.Long("Attributes", attributes);
}

// The key of a testee as the files compare it: ASCII letters without case.
std::string FoldedKey(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

struct PlainTesteeFacts {
  QelDateTime dateBirth;
  int32_t preference = 0;
  int32_t sex = 0;
};

// The birth date, preference and sex of every testee of a plain project,
// for the response and variable rows that name them.
// False when the table cannot be opened (reported).
bool ReadPlainTestees(CDbOdbc* plain, std::map<std::string, PlainTesteeFacts>& facts) {
  CQelRsTestee testees(plain);
  if (!testees.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kReadOnly)) return false;
  for (; !testees.IsEOF(); testees.MoveNext()) {
    facts.emplace(FoldedKey(testees.m_testee),
                  PlainTesteeFacts{testees.m_dateBirth, testees.m_preference, testees.m_sex});
  }
  return true;
}

bool OpenAppending(CRsOdbcAccess& rs) {
  return rs.Open(DbRecordset::kDynaset, std::string(), DbRecordset::kAppendOnly);
}
bool OpenPlain(CRsOdbcAccess& rs) { return rs.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kReadOnly); }

// The audit columns of a row written new: dated and signed as given, no attributes.
template <class Row>
void StampNew(Row& row, const QelDateTime& date, const std::string& user) {
  row.m_date = date;
  row.m_user = user;
  row.m_attributes = 0;
}

// Appends to the target a row for every row of a plain table that `wanted`
// accepts; `write` fills the new row and writes it. False when either table
// cannot be opened.
template <class Target, class Rows, class Wanted, class Write>
bool AppendPlainRows(Target& target, Rows& rows, Wanted wanted, Write write) {
  if (!OpenAppending(target) || !OpenPlain(rows)) return false;
  for (; !rows.IsEOF(); rows.MoveNext()) {
    if (!wanted(rows)) continue;
    target.AddNew();
    write(rows);
  }
  target.Close();
  return true;
}

// The response or variable rows of a plain project, each carrying its
// testee's birth date, preference and sex where the project has the testee.
template <class Target, class Rows>
bool CopyScoreRowsFromPlain(Target& target, CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  if (user.empty()) return false;
  std::map<std::string, PlainTesteeFacts> testees;
  if (!ReadPlainTestees(plain, testees)) return false;
  Rows rows(plain);
  const auto keyed = [](const Rows& row) {
    return !row.m_testee.empty() && !row.m_model.empty() && !row.m_task.empty();
  };
  return AppendPlainRows(target, rows, keyed, [&](const Rows& row) {
    const auto found = testees.find(FoldedKey(row.m_testee));
    const bool known = found != testees.end();
    const PlainTesteeFacts facts = known ? found->second : PlainTesteeFacts{};
    target.UpdateFromPlainRow(row, known, facts.dateBirth, facts.preference, facts.sex, date, user);
  });
}

bool HasModel(const CQelRsModel& row) { return !row.m_model.empty(); }

}  // namespace

// ---- TesteeCodes ---------------------------------------------------------------

CQelRs4OdbcTesteeCode::CQelRs4OdbcTesteeCode(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 6;
  m_tableName = kCfrTableTesteeCodes;
}

void CQelRs4OdbcTesteeCode::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("TesteeCode", m_testeeCode);
  fx.Text("Comment", m_comment);
  fx.Text("Description", m_description, kCfrMemoLength);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcTesteeCode::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  CQelRsTesteeCode codes(plain);
  const auto named = [](const CQelRsTesteeCode& row) { return !row.m_code.empty(); };
  return AppendPlainRows(*this, codes, named, [&](const CQelRsTesteeCode& row) {
    m_testeeCode = row.m_code;
    m_comment = row.m_comment;
    m_description = row.m_description;
    StampNew(*this, date, user);
    Update();
  });
}

// ---- Testees -------------------------------------------------------------------

CQelRs4OdbcTestee::CQelRs4OdbcTestee(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 11;
  SetSuffix(suffix);
}

void CQelRs4OdbcTestee::SetSuffix(const std::string& suffix) { m_tableName = GetTesteesTableName(suffix); }

void CQelRs4OdbcTestee::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("TesteeCode", m_testeeCode);
  fx.Text("FirstName", m_firstName);
  fx.Text("Surname", m_surname);
  fx.Date("DateBirth", m_dateBirth);
  fx.Long("Preference", m_preference);
  fx.Long("Sex", m_sex);
  fx.Text("Description", m_description, kCfrMemoLength);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcTestee::DiffersFrom(const CTesteesRecord& item) const {
  if (m_dateBirth.IsValid() && item.m_dateBirth.IsValid() && m_dateBirth.value != item.m_dateBirth.value) return true;
  return m_preference != item.m_preference || m_sex != item.m_sex;
}

bool CQelRs4OdbcTestee::UpdateFromItem(const CTesteesRecord& item, const QelDateTime& date, const std::string& user) {
  m_testee = item.m_testee;
  m_testeeCode = item.m_testeeCode;
  m_firstName = item.m_firstName;
  m_surname = item.m_surname;
  m_dateBirth = item.m_dateBirth;
  m_preference = item.m_preference;
  m_sex = item.m_sex;
  m_description = item.m_description;
  StampNew(*this, date, user);
  return Update();
}

bool CQelRs4OdbcTestee::UpdateFromPlainRow(const CQelRsTestee& row, const QelDateTime& date, const std::string& user) {
  m_testee = row.m_testee;
  m_testeeCode = row.m_code;
  m_firstName = row.m_firstName;
  m_surname = row.m_surname;
  m_dateBirth = row.m_dateBirth;
  m_preference = row.m_preference;
  m_sex = row.m_sex;
  m_description = row.m_comment;
  StampNew(*this, date, user);
  return Update();
}

bool CQelRs4OdbcTestee::UpdateFromRecord(const CTesteesRecord& record, const QelDateTime& date,
                                         const std::string& user) {
  static_cast<CTesteesRecord&>(*this) = record;
  m_date = date;
  m_user = user;
  return Update();
}

bool CQelRs4OdbcTestee::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  CQelRsTestee testees(plain);
  const auto named = [](const CQelRsTestee& row) { return !row.m_testee.empty(); };
  return AppendPlainRows(*this, testees, named, [&](const CQelRsTestee& row) { UpdateFromPlainRow(row, date, user); });
}

// ---- Models and Tasks -----------------------------------------------------------

CQelRs4OdbcModel::CQelRs4OdbcModel(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 7;
  m_tableName = kCfrTableModels;
}

void CQelRs4OdbcModel::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Model", m_model);
  fx.Long("Version", m_version);
  fx.Text("VersionStr", m_versionStr);
  fx.Long("TaskNum", m_taskNum);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcModel::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  CQelRsModel rows(plain);
  rows.m_filter.Equal("TaskNo", DbValue(0));
  return AppendPlainRows(*this, rows, HasModel, [&](const CQelRsModel& row) {
    m_model = row.m_model;
    m_version = row.m_taskId;
    m_versionStr = row.m_taskIdStr;
    m_taskNum = static_cast<int32_t>(row.m_taskWords.TaskType);
    StampNew(*this, date, user);
    Update();
  });
}

CQelRs4OdbcTask::CQelRs4OdbcTask(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 27;
  m_tableName = kCfrTableTasks;
}

void CQelRs4OdbcTask::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("TaskId", m_taskId);
  fx.Text("TaskName", m_taskName);
  uint32_t* words = m_taskWords.data();
  for (int i = 0; i < QelTaskWords::kCount; ++i) fx.Long(kTaskWordColumns[i], words[i]);
  fx.Binary("TaskPartTrials", m_taskPartTrials);
  fx.Binary("TaskParam", m_taskParam);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcTask::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  CQelRsModel rows(plain);
  rows.m_filter.Greater("TaskNo", DbValue(0));
  return AppendPlainRows(*this, rows, HasModel, [&](const CQelRsModel& row) {
    m_model = row.m_model;
    m_task = row.m_taskIdStr;
    m_taskId = row.m_taskId;
    m_taskName = row.m_taskName;
    m_taskWords = row.m_taskWords;
    m_taskPartTrials = row.m_taskPartTrials;
    m_taskParam = row.m_taskParam;
    StampNew(*this, date, user);
    Update();
  });
}

// ---- Responses -------------------------------------------------------------------

CQelRs4OdbcResponse::CQelRs4OdbcResponse(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 18;
  SetSuffix(suffix);
}

void CQelRs4OdbcResponse::SetSuffix(const std::string& suffix) { m_tableName = GetResponsesTableName(suffix); }

void CQelRs4OdbcResponse::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("AssNo", m_assNo);
  fx.Long("PartNo", m_partNo);
  fx.Long("SerNo", m_serNo);
  fx.Date("DatePart", m_datePart);
  fx.Long("RespNum", m_respNum);
  fx.Date("DateBirth", m_dateBirth);
  fx.Long("Preference", m_preference);
  fx.Long("Sex", m_sex);
  fx.Binary("RespType", m_respType);
  fx.Binary("RespTime", m_respTime);
  fx.Binary("RespCode", m_respCode);
  fx.Binary("ProcType", m_procType);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcResponse::UpdateFromRecord(const CResponsesRecord& record, const QelDateTime& date,
                                           const std::string& user) {
  static_cast<CResponsesRecord&>(*this) = record;
  m_date = date;
  m_user = user;
  return Update();
}

bool CQelRs4OdbcResponse::UpdateFromPlainRow(const CQelRsResponse& row, bool testeeFound, const QelDateTime& dateBirth,
                                             int32_t preference, int32_t sex, const QelDateTime& date,
                                             const std::string& user) {
  m_testee = row.m_testee;
  m_model = row.m_model;
  m_task = row.m_task;
  m_assNo = row.m_assessment;
  m_partNo = row.m_partNo;
  m_serNo = row.m_serNo;
  m_datePart = row.m_date;
  m_respNum = row.m_respNum;
  if (testeeFound) {
    m_dateBirth = dateBirth;
    m_preference = preference;
    m_sex = sex;
  }
  m_respType = row.m_respType;
  m_respTime = row.m_respTime;
  m_respCode = row.m_respCode;
  m_procType = row.m_procType;
  StampNew(*this, date, user);
  return Update();
}

bool CQelRs4OdbcResponse::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  return CopyScoreRowsFromPlain<CQelRs4OdbcResponse, CQelRsResponse>(*this, plain, date, user);
}

CQelRs4OdbcResponseS::CQelRs4OdbcResponseS(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 10;
  m_tableName = GetResponsesTableName(suffix);
}

void CQelRs4OdbcResponseS::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("AssNo", m_assNo);
  fx.Long("PartNo", m_partNo);
  fx.Long("SerNo", m_serNo);
  fx.Date("DatePart", m_datePart);
  fx.Long("RespNum", m_respNum);
  fx.Date("Date", m_date);
  fx.Text("User", m_user);
}

// ---- Variables -------------------------------------------------------------------

CQelRs4OdbcVariable::CQelRs4OdbcVariable(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 17;
  SetSuffix(suffix);
}

void CQelRs4OdbcVariable::SetSuffix(const std::string& suffix) { m_tableName = GetVariablesTableName(suffix); }

void CQelRs4OdbcVariable::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("AssNo", m_assNo);
  fx.Date("DateAss", m_dateAss);
  fx.Long("VarNum", m_varNum);
  fx.Date("DateBirth", m_dateBirth);
  fx.Long("Preference", m_preference);
  fx.Long("Sex", m_sex);
  fx.Binary("VarAttrs", m_varAttrs);
  fx.Binary("VarNames", m_varNames);
  fx.Binary("VarFrmts", m_varFrmts);
  fx.Binary("VarLabels", m_varLabels);
  fx.Binary("VarValues", m_varValues);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcVariable::UpdateFromRecord(const CVariablesRecord& record, const QelDateTime& date,
                                           const std::string& user) {
  static_cast<CVariablesRecord&>(*this) = record;
  m_date = date;
  m_user = user;
  return Update();
}

bool CQelRs4OdbcVariable::UpdateFromPlainRow(const CQelRsVariable& row, bool testeeFound, const QelDateTime& dateBirth,
                                             int32_t preference, int32_t sex, const QelDateTime& date,
                                             const std::string& user) {
  m_testee = row.m_testee;
  m_model = row.m_model;
  m_task = row.m_task;
  m_assNo = row.m_assessment;
  m_dateAss = row.m_date;
  m_varNum = row.m_varNum;
  if (testeeFound) {
    m_dateBirth = dateBirth;
    m_preference = preference;
    m_sex = sex;
  }
  m_varAttrs = row.m_varAttrs;
  m_varNames = row.m_varNames;
  m_varFrmts = row.m_varFrmts;
  m_varLabels = row.m_varLabels;
  m_varValues = row.m_varValues;
  StampNew(*this, date, user);
  return Update();
}

bool CQelRs4OdbcVariable::CopyFromPlain(CDbOdbc* plain, const QelDateTime& date, const std::string& user) {
  return CopyScoreRowsFromPlain<CQelRs4OdbcVariable, CQelRsVariable>(*this, plain, date, user);
}

CQelRs4OdbcVariableS::CQelRs4OdbcVariableS(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 11;
  SetSuffix(suffix);
}

void CQelRs4OdbcVariableS::SetSuffix(const std::string& suffix) { m_tableName = GetVariablesTableName(suffix); }

void CQelRs4OdbcVariableS::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("AssNo", m_assNo);
  fx.Date("DateAss", m_dateAss);
  fx.Long("VarNum", m_varNum);
  fx.Date("DateBirth", m_dateBirth);
  fx.Long("Preference", m_preference);
  fx.Long("Sex", m_sex);
  fx.Date("Date", m_date);
  fx.Text("User", m_user);
}

// ---- Users, Register, Strings ------------------------------------------------------

CQelRs4OdbcUsers::CQelRs4OdbcUsers(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 11;
  m_tableName = kCfrTableUsers;
}

void CQelRs4OdbcUsers::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Id", m_id);
  fx.Text("PWD", m_pwd);
  fx.Long("Type", m_type);
  fx.Text("Fname", m_fname);
  fx.Text("Sname", m_sname);
  fx.Date("Registered", m_registered);
  fx.Text("Institute", m_institute);
  fx.Text("Comment", m_comment);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

bool CQelRs4OdbcUsers::AddUser(const CUserRecord& record, const std::string& user) {
  if (!OpenAppending(*this)) return false;
  const QelDateTime now = CurrentLocalDateTime();
  AddNew();
  FillUsersRow(*this, record);
  m_registered = now;
  StampNew(*this, now, user);
  Update();
  Close();
  return true;
}

bool CQelRs4OdbcUsers::AddOrModifyUser(const CUserRecord& record, const std::string& user, bool add) {
  m_filter.Clear();
  m_filter.Equal("Id", DbValue(record.m_id));
  if (!Open(DbRecordset::kDynaset)) return false;
  if (add) {
    if (!IsEOF()) {
      ShowPrompt("User \"" + record.m_id + "\" already exists!", kCaption, kPromptOk);
      Close();
      return false;
    }
    AddNew();
    m_registered = record.m_registered.IsValid() ? record.m_registered : CurrentLocalDateTime();
  } else {
    if (IsEOF()) {
      ShowPrompt("Missing user \"" + record.m_id + "\"!", kCaption, kPromptOk);
      Close();
      return false;
    }
    Edit();
  }
  FillUsersRow(*this, record);
  StampNew(*this, CurrentLocalDateTime(), user);
  Update();
  Close();
  return true;
}

CQelRs4OdbcRegister::CQelRs4OdbcRegister(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 9;
  m_tableName = kCfrTableRegister;
}

void CQelRs4OdbcRegister::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("RegUser", m_regUser);
  fx.Text("RegKey", m_regKey);
  fx.Text("Section", m_section);
  fx.Text("Entry", m_entry);
  fx.Text("String", m_string);
  fx.Long("Int", m_int);
  ExchangeAudit(fx, m_date, m_user, m_attributes);
}

CQelRs4OdbcStrings::CQelRs4OdbcStrings(CDbOdbc* database, const std::string& suffix) : CRsOdbcAccess(database) {
  m_nFields = 7;
  SetSuffix(suffix);
}

void CQelRs4OdbcStrings::SetSuffix(const std::string& suffix) { m_tableName = GetStringsTableName(suffix); }

void CQelRs4OdbcStrings::DoFieldExchange(DbFieldExchange& fx) {
  fx.Long("CodeNumber", m_codeNumber);
  fx.Text("CodeString", m_codeString);
  fx.Long("Number1", m_number1);
  fx.Long("Number2", m_number2);
  fx.Text("String1", m_string1);
  fx.Text("String2", m_string2);
  fx.Long("Attributes", m_attributes);
}

void FillUsersRow(CUsersRecord& row, const CUserRecord& record) {
  row.m_id = record.m_id;
  row.m_pwd = record.m_password;
  row.m_type = record.m_type;
  row.m_fname = record.m_firstName;
  row.m_sname = record.m_surname;
  row.m_institute = record.m_institute;
  row.m_comment = record.m_comment;
}

bool SaveUserToDatabase(const std::string& path, const CUserRecord& record, bool add, const std::string& user,
                        const std::string& key) {
  CDbOdbcAccess database(path);
  database.SetPassword(key);
  bool saved = false;
  try {
    if (!database.Open(path, 0)) return false;
    DbTransaction transaction(database);
    CQelRs4OdbcUsers users(&database);
    if (users.AddOrModifyUser(record, user, add)) {
      transaction.Commit();
      saved = true;
    }
  } catch (const DbException& e) {
    ReportDBException(&e, path, kCfrTableUsers, true);
  }
  database.Close();
  return saved;
}

}  // namespace qel

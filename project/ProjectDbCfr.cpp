#include "project/ProjectDbCfr.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/model/ExpModel.h"
#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "db/Dao.h"
#include "db/DbException.h"
#include "db/DbOdbcAccess.h"
#include "db/PackedArrays.h"
#include "db/SqliteConnection.h"
#include "db/cfr/CfrDaoRecordsets.h"
#include "db/cfr/CfrRecordsets.h"
#include "db/cfr/CfrTables.h"
#include "engine/library/ModelTaskBinding.h"
#include "project/ProjectData.h"
#include "project/ProjectDbSupport.h"
#include "project/TesteeFilter.h"
#include "project/TesteeInfo.h"
#include "project/TesteeTexts.h"

namespace qel {

using namespace projectdb;

namespace {

constexpr char kCaption[] = "Qel";
constexpr int kTaskParamWords = 32;
constexpr char kAssessmentColumn[] = "AssNo";
constexpr int kHeaderUser = 1;
constexpr int kHeaderInstitute = 2;
constexpr int kHeaderComment = 3;
constexpr int kHeaderVersion = 4;
constexpr int kHeaderDate = 5;

// Appends a copy of the row a record set stands on to its table's history
// twin, dated and signed as the row was.
template <class Rs>
void KeepInHistory(CDbOdbc* connection, const Rs& current, std::string& query) {
  Rs kept(connection, kCfrHistorySuffix);
  query = kept.GetQueryText();
  OpenForAppending(kept);
  kept.AddNew();
  kept.UpdateFromRecord(current, current.m_date, current.m_user);
  kept.Close();
}

// The filter of a history list: each given key, compared as the file does.
DbFilter HistoryFilter(const std::string& testee, const std::string& model, const std::string& task) {
  DbFilter filter;
  if (!testee.empty()) filter.Equal("Testee", DbValue(testee));
  if (!model.empty()) filter.Equal("Model", DbValue(model));
  if (!task.empty()) filter.Equal("Task", DbValue(task));
  return filter;
}

// A listed history row matches each given key exactly, letter case included.
bool KeysMatchExactly(const std::string& testee, const std::string& model, const std::string& task,
                      const std::string& rowTestee, const std::string& rowModel, const std::string& rowTask) {
  return (testee.empty() || testee == rowTestee) && (model.empty() || model == rowModel) &&
         (task.empty() || task == rowTask);
}

template <typename T>
void Append(std::vector<T>* list, const T& value) {
  if (list) list->push_back(value);
}

template <typename T>
void Empty(std::vector<T>* list) {
  if (list) list->clear();
}

// A key as the file's text columns order it (ASCII letters in lower case).
std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Whether a column matches a search pattern (empty: any).
bool PatternMatches(const std::string& pattern, const std::string& column, const CTesteeFilter& filter) {
  if (pattern.empty()) return true;
  const std::string p = filter.m_ignoreCase ? Upper(pattern) : pattern;
  const std::string c = filter.m_ignoreCase ? Upper(column) : column;
  return filter.m_wholeMatch ? c == p : c.compare(0, p.size(), p) == 0;
}

void TesteeItem(const CTesteeInfo& info, CTesteesRecord& item) {
  item.m_testee = info.m_testee;
  item.m_testeeCode = info.m_code;
  item.m_firstName = info.m_firstName;
  item.m_surname = info.m_surname;
  item.m_dateBirth = info.m_dateBirth;
  item.m_preference = info.m_preference;
  item.m_sex = info.m_sex;
  item.m_description = info.m_comment;
}

void FillTaskSlot(const CTasksRecord& rs, CExpModelTask* slot) {
  slot->TaskId = static_cast<uint32_t>(rs.m_taskId);
  slot->TaskIdStr = rs.m_task;
  slot->TaskName = rs.m_taskName;
  slot->w = rs.m_taskWords;
  std::fill(std::begin(slot->TaskPartTrials), std::end(slot->TaskPartTrials), 0u);
  std::fill(std::begin(slot->TaskParam), std::end(slot->TaskParam), 0u);
  DWordsFromByteArray(rs.m_taskPartTrials, slot->TaskPartTrials, kMaxParts);
  DWordsFromByteArray(rs.m_taskParam, slot->TaskParam, kTaskParamWords);
}

// The key columns of VariablesHistory with each kept version's number.
class KeptVariableKeys : public CQelRs4OdbcVariableS {
 public:
  explicit KeptVariableKeys(CDbOdbc* database) : CQelRs4OdbcVariableS(database, kCfrHistorySuffix) { m_nFields = 12; }
  void DoFieldExchange(DbFieldExchange& fx) override {
    CQelRs4OdbcVariableS::DoFieldExchange(fx);
    fx.Long(kCfrHistorySequence, m_seq);
  }
  int32_t m_seq = 0;
};

}  // namespace

CProjectDbCfr::CProjectDbCfr(CDbOdbcAccess* connection) : CProjectDb(connection) {}

CProjectDbCfr::~CProjectDbCfr() = default;

std::string CProjectDbCfr::GetMarkerTableName() { return GetStringsTableName(kCfrProjectSuffix); }

int CProjectDbCfr::Report(const DbException& e, const std::string& query, bool show) const {
  return ReportDBException(&e, m_path, query, show);
}

std::string CProjectDbCfr::RowText(const char* what, const std::string& key, const char* state) const {
  return std::string(what) + " " + Quoted(key) + " " + state + " in project\n" + Quoted(m_path) + "!";
}

void CProjectDbCfr::Close() {
  CProjectDb::Close();
  m_creationDate.clear();
  m_creationTime.clear();
  m_creationUser.clear();
  m_savedByUser.clear();
}

bool CProjectDbCfr::InWriteTransaction(const std::function<bool(std::string& query)>& work) {
  if (!Open(false, true)) return false;
  bool committed = false;
  std::string query;
  try {
    DbTransaction transaction(*m_connection);
    if (work(query)) {
      transaction.Commit();
      committed = true;
    }
  } catch (const DbException& e) {
    Report(e, query, true);
  } catch (const RecordSetNotOpened&) {
  }
  Disconnect();
  return committed;
}

bool CProjectDbCfr::Reading(const std::function<void(std::string& query)>& work) {
  if (!Open(true, true)) return false;
  bool read = false;
  std::string query;
  try {
    work(query);
    read = true;
  } catch (const DbException& e) {
    Report(e, query, true);
  } catch (const RecordSetNotOpened&) {
  }
  Disconnect();
  return read;
}

// ---- creation and conversion -------------------------------------------------------

bool CProjectDbCfr::BuildNewFile(DaoDatabase& db, const CUserRecord& creator, const std::string& institute,
                                 const std::string& comment, bool withDefaultCode) {
  // In this order: every relation's primary table before its foreign table.
  const bool created = CreateTableTesteeCodes(&db) && CreateTableTestees(&db, std::string()) &&
                       CreateTableTestees(&db, kCfrHistorySuffix) && CreateTableModels(&db) && CreateTableTasks(&db) &&
                       CreateTableResponses(&db, std::string()) && CreateTableResponses(&db, kCfrHistorySuffix) &&
                       CreateTableVariables(&db, std::string()) && CreateTableVariables(&db, kCfrHistorySuffix) &&
                       CreateTableUsers(&db) && CreateTableStrings(&db, kCfrProjectSuffix);
  if (!created) return false;  // reported
  if (withDefaultCode) {
    CQelRs4DaoTesteeCode codes(&db);
    codes.AddDefaultCode(QelDateTime(), creator.m_id);
  }
  CQelRs4DaoUsers users(&db);
  users.AddUser(creator, creator.m_id);
  CQelRs4DaoStrings header(&db);
  header.SetSuffix(kCfrProjectSuffix);
  header.WriteHeader(creator, institute, comment);
  return true;
}

bool CProjectDbCfr::CreateProjectFile(const std::string& path, const CUserRecord& creator, const std::string& institute,
                                      const std::string& comment, const char* password, bool withDefaultCode,
                                      bool showMessages, bool replace) {
  if (path.empty()) return false;
  try {
    DaoDatabase db;
    db.Create(path, password ? password : "", replace);
    if (!BuildNewFile(db, creator, institute, comment, withDefaultCode)) return false;  // the new file is dropped
    db.Complete();
  } catch (const DaoException& e) {
    if (e.Code() == kDaoErrorFileExists) {
      if (showMessages) {
        ShowPrompt("Project\n" + Quoted(path) + "\nalready exists!", kCaption, kPromptOk | kPromptIconWarning);
      }
    } else {
      ReportDaoException(&e, "Project creating", showMessages, path, false);
    }
    return false;
  }
  if (showMessages) {
    ShowPrompt("Project (CFR compliant)\n" + Quoted(path) + "\nsuccesfully created!", kCaption,
               kPromptOk | kPromptIconInfo);
  }
  return true;
}

bool CProjectDbCfr::ConvertFromPlain(CDbOdbcAccess* plain, const std::string& cfrPath, const CUserRecord& user,
                                     const std::string& institute, const std::string& comment, const char* password,
                                     const QelDateTime& testeeDate) {
  if (!plain || cfrPath.empty() || user.m_id.empty()) return false;
  const std::string key = password ? password : "";
  try {
    DaoDatabase db;
    db.Create(cfrPath, key, true);
    if (!BuildNewFile(db, user, institute, comment, false)) return false;  // reported; nothing stays
    // The copy works on the new file under its temporary name; it gets the
    // final name only after the copy and the check of its relations.
    db.Connection().Close();
    CDbOdbcAccess connection;
    connection.SetPassword(key);
    CProjectDbCfr target(&connection);
    target.SetPath(db.GetWorkingPath());
    target.SetPassword(key.c_str());
    if (!target.CopyFromPlain(plain, testeeDate, user.m_id)) return false;
    {
      // Every row names rows that exist: the engine checks each write, and
      // this is the last word before the file is put in place.
      SqliteConnection check;
      check.Open(db.GetWorkingPath(), key, true);
      SqliteStatement orphans(check, "PRAGMA foreign_key_check");
      if (orphans.Step()) {
        ShowStop("Project\n" + Quoted(cfrPath) + "\nnot converted: a row of table " + orphans.ColumnText(0) +
                 " names a missing row of table " + orphans.ColumnText(2) + "!");
        return false;
      }
    }
    db.Complete();
  } catch (const DaoException& e) {
    ReportDaoException(&e, "Project converting", true, cfrPath, false);
    return false;
  } catch (const DbException& e) {
    ReportDBException(&e, cfrPath, std::string(), true);
    return false;
  }
  return true;
}

bool CProjectDbCfr::CopyFromPlain(CDbOdbcAccess* plain, const QelDateTime& testeeDate, const std::string& user) {
  if (!plain || user.empty()) return false;
  const QelDateTime now = CurrentLocalDateTime();
  const QelDateTime testees = testeeDate.IsValid() ? testeeDate : now;
  return InWriteTransaction([&](std::string& query) {
    CQelRs4OdbcTesteeCode codes(m_connection);
    query = codes.GetQueryText();
    if (!codes.CopyFromPlain(plain, now, user)) return false;
    CQelRs4OdbcTestee testeeRows(m_connection);
    query = testeeRows.GetQueryText();
    if (!testeeRows.CopyFromPlain(plain, testees, user)) return false;
    CQelRs4OdbcModel models(m_connection);
    query = models.GetQueryText();
    if (!models.CopyFromPlain(plain, now, user)) return false;
    CQelRs4OdbcTask tasks(m_connection);
    query = tasks.GetQueryText();
    if (!tasks.CopyFromPlain(plain, now, user)) return false;
    CQelRs4OdbcResponse responses(m_connection);
    query = responses.GetQueryText();
    if (!responses.CopyFromPlain(plain, now, user)) return false;
    CQelRs4OdbcVariable variables(m_connection);
    query = variables.GetQueryText();
    return variables.CopyFromPlain(plain, now, user);
  });
}

// ---- load ------------------------------------------------------------------------

int CProjectDbCfr::Load(CDbOdbcAccess* connection, bool showMessages, int headerOnly) {
  Close();
  if (!connection) return 0;
  std::string query;
  int code = 0;
  try {
    CProjectData* cache = m_project;
    if (!headerOnly && cache) {
      cache->SetCfrContent(true);
      CQelRs4OdbcTesteeCode codes(connection);
      codes.m_sort = {"TesteeCode"};
      query = codes.GetQueryText();
      OpenForReading(codes);
      for (; !codes.IsEOF(); codes.MoveNext()) {
        if (codes.m_testeeCode.empty()) continue;
        cache->AddTesteeCode(codes.m_testeeCode, codes.m_comment.c_str(), codes.m_description.c_str(), codes.m_date);
      }
      codes.Close();

      CQelRs4OdbcTestee testees(connection);
      testees.m_sort = {"Testee"};
      query = testees.GetQueryText();
      OpenForReading(testees);
      for (; !testees.IsEOF(); testees.MoveNext()) {
        if (testees.m_testee.empty()) continue;
        // An audited project's cache keeps who wrote the row where a plain one keeps its comment: the
        // lists, the tree and the change histories show it as the row's user.
        cache->AddTestee(testees.m_testee, testees.m_testeeCode, testees.m_firstName, testees.m_surname,
                         testees.m_dateBirth, testees.m_preference, testees.m_sex, testees.m_user.c_str(),
                         testees.m_date);
      }
      testees.Close();
      // Each testee's kept rows, oldest first: the cache puts each in front.
      CQelRs4OdbcTestee history(connection, kCfrHistorySuffix);
      history.m_sort = {"Testee", "Date", kCfrHistorySequence};
      query = history.GetQueryText();
      OpenForReading(history);
      for (; !history.IsEOF(); history.MoveNext()) {
        cache->AddTesteeChange(history.m_testee.c_str(), history.m_dateBirth, history.m_preference,
                               history.m_user.c_str(), history.m_date);
      }
      history.Close();

      CQelRs4OdbcModel models(connection);
      models.m_sort = {"Model"};
      query = models.GetQueryText();
      OpenForReading(models);
      CQelRs4OdbcTask tasks(connection);
      tasks.m_sort = {"Model", "Task"};
      query = tasks.GetQueryText();
      OpenForReading(tasks);
      // Both sorted by model: the tasks are walked beside the models.
      for (; !models.IsEOF(); models.MoveNext()) {
        if (models.m_model.empty()) continue;
        CModelData* model = cache->AddModel(models.m_model, models.m_version, models.m_versionStr,
                                            models.m_user.c_str(), models.m_date);
        const std::string key = Lower(models.m_model);
        while (!tasks.IsEOF() && Lower(tasks.m_model) < key) tasks.MoveNext();
        for (; !tasks.IsEOF() && Lower(tasks.m_model) == key; tasks.MoveNext()) {
          if (model) model->AddTask(static_cast<uint32_t>(tasks.m_taskId), tasks.m_task, tasks.m_taskName);
        }
      }
      models.Close();
      tasks.Close();

      CQelRs4OdbcResponseS responses(connection);
      responses.m_sort = {"Testee", "Model", "Task", "AssNo", "PartNo"};
      query = responses.GetQueryText();
      OpenForReading(responses);
      for (; !responses.IsEOF(); responses.MoveNext()) {
        const CResponsesKeyRecord& r = responses;
        if (r.m_testee.empty() || r.m_model.empty() || r.m_task.empty() || r.m_assNo <= 0) continue;
        cache->AddAssessment(r.m_testee.c_str(), r.m_model.c_str(), r.m_task.c_str(), static_cast<uint32_t>(r.m_assNo),
                             r.m_partNo, r.m_datePart, static_cast<uint32_t>(std::max(r.m_respNum, 0)),
                             r.m_user.c_str());
      }
      responses.Close();
      cache->CountAssessments();

      CQelRs4OdbcVariableS variables(connection);
      variables.m_sort = {"Testee", "Model", "Task", "AssNo"};
      query = variables.GetQueryText();
      OpenForReading(variables);
      for (; !variables.IsEOF(); variables.MoveNext()) {
        const CVariablesKeyRecord& v = variables;
        if (v.m_testee.empty() || v.m_model.empty() || v.m_task.empty() || v.m_assNo <= 0) continue;
        cache->AddScore(v.m_testee.c_str(), v.m_model.c_str(), v.m_task.c_str(), static_cast<uint32_t>(v.m_assNo),
                        v.m_dateAss, false, v.m_dateBirth, v.m_preference, v.m_sex,
                        static_cast<uint32_t>(std::clamp(v.m_varNum, 0, kMaxVariables)), v.m_user.c_str(), v.m_date);
      }
      variables.Close();
      CQelRs4OdbcVariableS kept(connection, kCfrHistorySuffix);
      kept.m_sort = {"Testee", "Model", "Task", "AssNo", "Date", kCfrHistorySequence};
      query = kept.GetQueryText();
      OpenForReading(kept);
      for (; !kept.IsEOF(); kept.MoveNext()) {
        const CVariablesKeyRecord& v = kept;
        if (v.m_testee.empty() || v.m_model.empty() || v.m_task.empty() || v.m_assNo <= 0) continue;
        cache->AddScoreChange(v.m_testee.c_str(), v.m_model.c_str(), v.m_task.c_str(), static_cast<uint32_t>(v.m_assNo),
                              v.m_dateBirth, v.m_dateAss, v.m_user.c_str(), v.m_date);
      }
      kept.Close();
      cache->CountScores();
      cache->FindOutdatedScores();

      CQelRs4OdbcUsers users(connection);
      query = users.GetQueryText();
      OpenForReading(users);
      for (; !users.IsEOF(); users.MoveNext()) {
        if (users.m_id.empty()) continue;
        CUserRecord user;
        user.m_id = users.m_id;
        user.m_password = users.m_pwd;
        user.m_type = users.m_type;
        user.m_firstName = users.m_fname;
        user.m_surname = users.m_sname;
        user.m_registered = users.m_registered;
        user.m_institute = users.m_institute;
        user.m_comment = users.m_comment;
        cache->SetUser(user);
      }
    }

    CQelRs4OdbcStrings header(connection, kCfrProjectSuffix);
    query = header.GetQueryText();
    OpenForReading(header);
    for (; !header.IsEOF(); header.MoveNext()) {
      switch (header.m_codeNumber) {
        case kHeaderUser:
          m_creationUser = header.m_string1;
          break;
        case kHeaderInstitute:
          SetOwner(header.m_string1);
          break;
        case kHeaderComment:
          SetOwnerComment(header.m_string1);
          break;
        case kHeaderVersion:
          SetVersionText(header.m_string1);
          m_versionNumber = header.m_number1;
          m_minorVersion = header.m_number2;
          break;
        case kHeaderDate:
          m_creationDate = header.m_string1;
          m_creationTime = header.m_string2;
          break;
        default:
          break;
      }
    }
    return 0;
  } catch (const DbException& e) {
    code = Report(e, query, showMessages);
  } catch (const RecordSetNotOpened& failed) {
    code = failed.code;
  }
  // Half a project is not shown as the project.
  Close();
  return code;
}

// ---- responses and scores ---------------------------------------------------------

bool CProjectDbCfr::EnsureCurrentUser(const CUserRecord& user, bool* userAdded) {
  if (!m_connection || !m_connection->IsOpen() || user.m_id.empty()) return false;
  if (m_project && m_project->IsUser(user.m_id.c_str())) return true;
  // A user that another program added meanwhile is there already.
  CQelRs4OdbcUsers users(m_connection);
  users.m_filter.Equal("Id", DbValue(user.m_id));
  OpenForReading(users);
  const bool there = !users.IsEOF();
  users.Close();
  if (there) return true;
  users.m_filter.Clear();
  if (!users.AddUser(user, user.m_id)) return false;
  if (userAdded) *userAdded = true;
  return true;
}

bool CProjectDbCfr::WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task,
                                   const CUserRecord& user, bool* userAdded, int variableCount,
                                   const QelDateTime& dateBirth, int32_t preference, int32_t sex,
                                   const QelDateTime& runDate, bool* newAssessment) {
  if (userAdded) *userAdded = false;
  if (newAssessment) *newAssessment = false;
  if (!task || !CheckKeys(testee, model, task->TaskIdStr) || !HasRunData() || user.m_id.empty()) return false;
  if (task->currentPart < 0 || task->currentPart >= kMaxParts) return false;
  const std::string& code = task->TaskIdStr;
  const uint32_t assessment = task->currentAssessment;
  const size_t p = static_cast<size_t>(task->currentPart);
  const uint32_t part = static_cast<uint32_t>(task->currentPart) + 1;
  const uint32_t serial = task->reserved1;  // the slot's serial number (0 after Clear)
  const int n = static_cast<int>(std::min<uint32_t>(task->trialCounts[p], kMaxResponses));
  const int variables = std::clamp(variableCount, 0, kMaxVariables);
  bool added = false;
  bool newRow = false;
  // The score set a part stored again replaces: kept in the history.
  bool scoresKept = false;
  CVariablesKeyRecord old;
  const bool ok = InWriteTransaction([&](std::string& query) {
    query = kCfrTableUsers;
    if (!EnsureCurrentUser(user, &added)) return false;

    CQelRs4OdbcResponse responses(m_connection);
    responses.m_filter = PartFilter(kAssessmentColumn, testee, model, code, assessment, part, serial);
    query = responses.GetQueryText();
    OpenForWriting(responses);
    const bool partStoredBefore = !responses.IsEOF();
    if (partStoredBefore) {
      KeepInHistory(m_connection, responses, query);
      responses.Edit();
    } else {
      responses.AddNew();
    }
    query = responses.GetQueryText();
    responses.m_testee = testee;
    responses.m_model = model;
    responses.m_task = code;
    responses.m_assNo = static_cast<int32_t>(assessment);
    responses.m_partNo = static_cast<int32_t>(part);
    responses.m_serNo = static_cast<int32_t>(serial);
    responses.m_datePart = runDate;
    responses.m_respNum = n;
    responses.m_dateBirth = dateBirth;
    responses.m_preference = preference;
    responses.m_sex = sex;
    PackResponseColumns(responses, p, n);
    responses.m_date = runDate;
    responses.m_user = user.m_id;
    responses.m_attributes = 0;
    responses.Update();
    responses.Close();

    CQelRs4OdbcVariable rows(m_connection);
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    query = rows.GetQueryText();
    OpenForWriting(rows);
    newRow = rows.IsEOF();
    if (newRow) {
      rows.AddNew();
    } else {
      // Scores of a part stored again are kept; a further part of an
      // assessment being built up only completes them.
      if (partStoredBefore) {
        KeepInHistory(m_connection, rows, query);
        scoresKept = true;
        old.m_dateAss = rows.m_dateAss;
        old.m_dateBirth = rows.m_dateBirth;
        old.m_date = rows.m_date;
        old.m_user = rows.m_user;
      }
      rows.Edit();
    }
    query = rows.GetQueryText();
    rows.m_testee = testee;
    rows.m_model = model;
    rows.m_task = code;
    rows.m_assNo = static_cast<int32_t>(assessment);
    rows.m_dateAss = runDate;
    rows.m_dateBirth = dateBirth;
    rows.m_preference = preference;
    rows.m_sex = sex;
    PackScoreColumns(rows, variables);
    rows.m_date = runDate;
    rows.m_user = user.m_id;
    rows.m_attributes = 0;
    rows.Update();
    return true;
  });
  if (!ok) return false;
  if (userAdded) *userAdded = added;
  if (newAssessment) *newAssessment = newRow;
  m_assessmentDate = runDate;
  m_savedDate = runDate;
  if (m_project) {
    if (scoresKept) {
      m_project->AddScoreChange(testee.c_str(), model.c_str(), code.c_str(), assessment, old.m_dateBirth,
                                old.m_dateAss, old.m_user.c_str(), old.m_date);
    }
    m_project->UpdateAssessment(testee.c_str(), model.c_str(), code.c_str(), assessment, static_cast<int32_t>(part),
                                runDate, static_cast<uint32_t>(n), user.m_id.c_str());
    m_project->UpdateScore(testee.c_str(), model.c_str(), code.c_str(), assessment, runDate, false, dateBirth,
                           preference, sex, static_cast<uint32_t>(variables), user.m_id.c_str(), runDate);
    if (added) m_project->AddUser(&user);
  }
  return true;
}

bool CProjectDbCfr::WriteVariables(const std::string& testee, const std::string& model, const std::string& code,
                                   uint32_t assessment, const CUserRecord& user, bool* userAdded, int variableCount,
                                   const QelDateTime& dateBirth, int32_t preference, int32_t sex) {
  if (userAdded) *userAdded = false;
  if (!CheckKeys(testee, model, code) || !HasRunData() || user.m_id.empty()) return false;
  const int variables = std::clamp(variableCount, 0, kMaxVariables);
  const QelDateTime now = CurrentLocalDateTime();
  bool added = false;
  CVariablesKeyRecord old;
  const bool ok = InWriteTransaction([&](std::string& query) {
    query = kCfrTableUsers;
    if (!EnsureCurrentUser(user, &added)) return false;
    CQelRs4OdbcVariable rows(m_connection);
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    query = rows.GetQueryText();
    OpenForWriting(rows);
    // Only the scores of an assessment that has stored scores are rewritten.
    if (rows.IsEOF()) return false;
    KeepInHistory(m_connection, rows, query);
    old.m_dateAss = rows.m_dateAss;
    old.m_dateBirth = rows.m_dateBirth;
    old.m_date = rows.m_date;
    old.m_user = rows.m_user;
    query = rows.GetQueryText();
    rows.Edit();
    rows.m_dateBirth = dateBirth;
    rows.m_preference = preference;
    rows.m_sex = sex;
    PackScoreColumns(rows, variables);
    rows.m_date = now;
    rows.m_user = user.m_id;
    rows.m_attributes = 0;
    rows.Update();
    return true;
  });
  if (!ok) return false;
  if (userAdded) *userAdded = added;
  m_savedDate = now;
  m_assessmentDate = old.m_dateAss;
  if (m_project) {
    m_project->AddScoreChange(testee.c_str(), model.c_str(), code.c_str(), assessment, old.m_dateBirth, old.m_dateAss,
                              old.m_user.c_str(), old.m_date);
    m_project->UpdateScore(testee.c_str(), model.c_str(), code.c_str(), assessment, old.m_dateAss, false, dateBirth,
                           preference, sex, static_cast<uint32_t>(variables), user.m_id.c_str(), now);
    if (added) m_project->AddUser(&user);
  }
  return true;
}

int CProjectDbCfr::ReadResponseRow(const std::string& testee, const std::string& model, const std::string& code,
                                   uint32_t assessment, int part, uint32_t serial, int trialsSoFar,
                                   std::vector<std::string>* users, bool readArrays, bool fromHistory) {
  m_rowDate = QelDateTime::Null();
  if (!CheckKeys(testee, model, code) || !m_connection) return 0;
  if (trialsSoFar < 0 || trialsSoFar >= kMaxResponses || part < 1 || part > kMaxParts) return 0;
  if (readArrays && !HasRunData()) return 0;
  CQelRs4OdbcResponse rs(m_connection, fromHistory ? kCfrHistorySuffix : "");
  rs.m_filter = PartFilter(kAssessmentColumn, testee, model, code, assessment, static_cast<uint32_t>(part), serial);
  try {
    OpenForReading(rs);
    if (rs.IsEOF()) return 0;
    m_rowDate = rs.m_datePart;
    const int n = std::clamp(rs.m_respNum, 0, kMaxResponses - trialsSoFar);
    if (users && n != 0) users->push_back(rs.m_user);
    if (readArrays) {
      const size_t p = static_cast<size_t>(part - 1);
      UnpackResponseColumns(rs, p, trialsSoFar, n);
    }
    return n;
  } catch (const DbException& e) {
    Report(e, rs.GetQueryText(), true);
  } catch (const RecordSetNotOpened&) {
  }
  return -1;
}

int CProjectDbCfr::ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                                       std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                                       std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                                       std::vector<std::string>* users, std::vector<std::string>* testees,
                                       std::vector<std::string>* models, std::vector<std::string>* tasks) {
  Empty(assessments), Empty(parts), Empty(partDates), Empty(responseCounts);
  Empty(users), Empty(testees), Empty(models), Empty(tasks);
  int count = 0;
  const bool read = Reading([&](std::string& query) {
    CQelRs4OdbcResponseS rows(m_connection, kCfrHistorySuffix);
    rows.m_filter = HistoryFilter(testee, model, task);
    rows.m_sort = {"Testee", "Model", "Task", "AssNo", "PartNo", "Date", kCfrHistorySequence};
    query = rows.GetQueryText();
    OpenForReading(rows);
    for (; !rows.IsEOF(); rows.MoveNext()) {
      if (!KeysMatchExactly(testee, model, task, rows.m_testee, rows.m_model, rows.m_task)) continue;
      Append(assessments, static_cast<uint32_t>(rows.m_assNo));
      Append(parts, rows.m_partNo);
      Append(partDates, rows.m_datePart);
      Append(responseCounts, rows.m_respNum);
      Append(users, rows.m_user);
      Append(testees, rows.m_testee);
      Append(models, rows.m_model);
      Append(tasks, rows.m_task);
      ++count;
    }
  });
  return read ? count : -1;
}

int CProjectDbCfr::ReadVariables(const std::string& testee, const std::string& model, const std::string& code,
                                 uint32_t assessment, const QelDateTime* asOf, std::vector<uint32_t>* attributes,
                                 std::vector<std::string>* names, std::vector<std::string>* formats,
                                 std::vector<std::string>* labels, std::vector<double>* values, QelDateTime* dateAss,
                                 QelDateTime* date, std::string* user, QelDateTime* dateBirth, int32_t* preference,
                                 int32_t* sex, int64_t version) {
  const auto emptyAll = [&] {
    Empty(attributes), Empty(names), Empty(formats), Empty(labels), Empty(values);
    for (QelDateTime* d : {dateAss, date, dateBirth}) {
      if (d) *d = QelDateTime::Null();
    }
    if (user) user->clear();
    if (preference) *preference = 0;
    if (sex) *sex = 0;
  };
  emptyAll();
  if (!CheckKeys(testee, model, code)) return -1;
  const bool fromHistory = (asOf && asOf->IsValid()) || version > 0;
  int count = 0;
  const bool read = Reading([&](std::string& query) {
    CQelRs4OdbcVariable rows(m_connection, fromHistory ? kCfrHistorySuffix : "");
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    if (fromHistory) {
      // The version kept last at that moment (Date, then Seq), or the one asked for.
      if (version > 0) {
        rows.m_filter.Equal(kCfrHistorySequence, DbValue(version));
      } else {
        rows.m_filter.Equal("Date", DbValue(*asOf));
      }
      rows.m_sort = {kCfrHistorySequence};
    }
    query = rows.GetQueryText();
    OpenForReading(rows);
    if (rows.IsEOF()) return;
    CVariablesRecord found = rows;
    for (rows.MoveNext(); !rows.IsEOF(); rows.MoveNext()) found = rows;
    const int n = std::clamp(found.m_varNum, 0, kMaxVariables);
    if (attributes) DWordArrayFromByteArray(found.m_varAttrs, *attributes, n);
    if (names) StringsFromByteArray(found.m_varNames, *names, n);
    if (formats) StringsFromByteArray(found.m_varFrmts, *formats, n);
    if (labels) StringsFromByteArray(found.m_varLabels, *labels, n);
    if (values) DoublesFromByteArray(found.m_varValues, *values, n);
    if (dateAss) *dateAss = found.m_dateAss;
    if (date) *date = found.m_date;
    if (user) *user = found.m_user;
    if (dateBirth) *dateBirth = found.m_dateBirth;
    if (preference) *preference = found.m_preference;
    if (sex) *sex = found.m_sex;
    count = n;
  });
  if (read) return count;
  emptyAll();
  return -1;
}

int CProjectDbCfr::ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                                     uint32_t assessment, const QelDateTime* asOf, QelDateTime* dateBirth,
                                     int32_t* preference, int32_t* sex, int64_t version) {
  ClearVariableSet();
  m_savedByUser.clear();
  return ReadVariables(testee, model, code, assessment, asOf, &m_attributes, &m_names, &m_formats, &m_labels, &m_values,
                       &m_assessmentDate, &m_savedDate, &m_savedByUser, dateBirth, preference, sex, version);
}

int CProjectDbCfr::ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                                       std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                                       std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                                       std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                                       std::vector<std::string>* testees, std::vector<std::string>* models,
                                       std::vector<std::string>* tasks, std::vector<int64_t>* versions) {
  Empty(assessments), Empty(assessmentDates), Empty(flags), Empty(variableCounts), Empty(users);
  Empty(dates), Empty(testees), Empty(models), Empty(tasks), Empty(versions);
  int count = 0;
  const bool read = Reading([&](std::string& query) {
    // The key columns and Seq, without the arrays.
    KeptVariableKeys rows(m_connection);
    rows.m_filter = HistoryFilter(testee, model, task);
    rows.m_sort = {"Testee", "Model", "Task", "AssNo", "Date", kCfrHistorySequence};
    query = rows.GetQueryText();
    OpenForReading(rows);
    for (; !rows.IsEOF(); rows.MoveNext()) {
      if (!KeysMatchExactly(testee, model, task, rows.m_testee, rows.m_model, rows.m_task)) continue;
      Append(assessments, static_cast<uint32_t>(rows.m_assNo));
      Append(assessmentDates, rows.m_dateAss);
      Append(flags, false);
      Append(variableCounts, rows.m_varNum);
      Append(users, rows.m_user);
      Append(dates, rows.m_date);
      Append(testees, rows.m_testee);
      Append(models, rows.m_model);
      Append(tasks, rows.m_task);
      Append(versions, static_cast<int64_t>(rows.m_seq));
      ++count;
    }
  });
  return read ? count : -1;
}

// ---- testees and testee codes ------------------------------------------------------

bool CProjectDbCfr::WriteTestee(const CTesteeInfo& record, const CUserRecord& user, bool* userAdded, bool modify,
                                bool keepHistory) {
  if (userAdded) *userAdded = false;
  if (record.m_testee.empty() || user.m_id.empty()) return false;
  const QelDateTime now = CurrentLocalDateTime();
  bool added = false;
  bool kept = false;
  CTesteesRecord old;
  const bool ok = InWriteTransaction([&](std::string& query) {
    query = kCfrTableUsers;
    if (!EnsureCurrentUser(user, &added)) return false;
    CQelRs4OdbcTestee rows(m_connection);
    rows.m_filter.Equal("Testee", DbValue(record.m_testee));
    query = rows.GetQueryText();
    OpenForWriting(rows);
    if (!rows.IsEOF()) {
      if (!modify) {
        ShowStop(RowText("Testee", record.m_testee, "exists"));
        return false;
      }
      if (keepHistory) {
        KeepInHistory(m_connection, rows, query);
        old = rows;
        kept = true;
      }
      rows.Edit();
    } else {
      if (modify) {
        ShowStop(RowText("Testee", record.m_testee, "missing"));
        return false;
      }
      rows.AddNew();
    }
    query = rows.GetQueryText();
    CTesteesRecord item;
    TesteeItem(record, item);
    rows.UpdateFromItem(item, now, user.m_id);
    return true;
  });
  if (!ok) return false;
  if (userAdded) *userAdded = added;
  if (m_project) {
    if (kept) {
      m_project->AddTesteeChange(old.m_testee.c_str(), old.m_dateBirth, old.m_preference, old.m_user.c_str(),
                                 old.m_date);
    }
    m_project->SetTestee(record.m_testee, record.m_code, record.m_firstName, record.m_surname, record.m_dateBirth,
                         record.m_preference, record.m_sex, user.m_id.c_str(), now);
    if (added) m_project->AddUser(&user);
  }
  return true;
}

bool CProjectDbCfr::ReadTestee(const std::string& name, CTesteeInfo* record) {
  if (!record) return false;
  record->Clear();
  if (name.empty()) return false;
  bool found = false;
  Reading([&](std::string& query) {
    CQelRs4OdbcTestee rows(m_connection);
    rows.m_filter.Equal("Testee", DbValue(name));
    query = rows.GetQueryText();
    OpenForReading(rows);
    if (rows.IsEOF()) {
      ShowStop(RowText("Testee", name, "missing"));
      return;
    }
    record->m_testee = rows.m_testee;
    record->m_code = rows.m_testeeCode;
    record->m_firstName = rows.m_firstName;
    record->m_surname = rows.m_surname;
    record->m_dateBirth = rows.m_dateBirth;
    record->m_preference = rows.m_preference;
    record->m_sex = rows.m_sex;
    record->m_comment = rows.m_description;
    found = true;
  });
  return found;
}

int CProjectDbCfr::ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees,
                                     std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                                     std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                                     std::vector<std::string>* preferenceTexts, std::vector<std::string>* users,
                                     std::vector<QelDateTime>* dates, std::vector<bool>* flags) {
  Empty(testees), Empty(codes), Empty(firstNames), Empty(surnames), Empty(birthDates);
  Empty(preferenceTexts), Empty(users), Empty(dates), Empty(flags);
  int count = 0;
  const bool read = Reading([&](std::string& query) {
    CQelRs4OdbcTestee rows(m_connection, kCfrHistorySuffix);
    rows.m_sort = {"Testee", "Date", kCfrHistorySequence};
    query = rows.GetQueryText();
    OpenForReading(rows);
    for (; !rows.IsEOF(); rows.MoveNext()) {
      if (filter) {
        if (!filter->m_names.empty()) {
          if (std::find(filter->m_names.begin(), filter->m_names.end(), rows.m_testee) == filter->m_names.end()) {
            continue;
          }
        } else if (!PatternMatches(filter->m_testee, rows.m_testee, *filter) ||
                   !PatternMatches(filter->m_code, rows.m_testeeCode, *filter) ||
                   !PatternMatches(filter->m_surname, rows.m_surname, *filter)) {
          continue;
        }
      }
      Append(testees, rows.m_testee);
      Append(codes, rows.m_testeeCode);
      Append(firstNames, rows.m_firstName);
      Append(surnames, rows.m_surname);
      Append(birthDates, rows.m_dateBirth);
      Append(preferenceTexts, FormatHandednessSex(rows.m_preference, rows.m_sex));
      Append(users, rows.m_user);
      Append(dates, rows.m_date);
      Append(flags, false);
      ++count;
    }
  });
  return read ? count : -1;
}

bool CProjectDbCfr::WriteTesteeCode(const CTesteeCodeInfo& record, const CUserRecord& user, bool* userAdded,
                                    bool modify) {
  if (userAdded) *userAdded = false;
  if (record.m_code.empty() || user.m_id.empty()) return false;
  const QelDateTime now = CurrentLocalDateTime();
  bool added = false;
  const bool ok = InWriteTransaction([&](std::string& query) {
    query = kCfrTableUsers;
    if (!EnsureCurrentUser(user, &added)) return false;
    CQelRs4OdbcTesteeCode rows(m_connection);
    rows.m_filter.Equal("TesteeCode", DbValue(record.m_code));
    query = rows.GetQueryText();
    OpenForWriting(rows);
    if (!rows.IsEOF()) {
      if (!modify) {
        ShowStop(RowText("Testee Code", record.m_code, "exists"));
        return false;
      }
      rows.Edit();
    } else {
      if (modify) {
        ShowStop(RowText("Testee Code", record.m_code, "missing"));
        return false;
      }
      rows.AddNew();
    }
    rows.m_testeeCode = record.m_code;
    rows.m_comment = record.m_comment;
    rows.m_description = record.m_description;
    rows.m_date = now;
    rows.m_user = user.m_id;
    rows.m_attributes = 0;
    rows.Update();
    return true;
  });
  if (!ok) return false;
  if (userAdded) *userAdded = added;
  if (m_project) {
    // A changed code keeps its one entry.
    m_project->SetTesteeCode(record.m_code, record.m_comment.c_str(), record.m_description.c_str(), now);
    if (added) m_project->AddUser(&user);
  }
  return true;
}

bool CProjectDbCfr::ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record) {
  if (!record) return false;
  record->Clear();
  if (code.empty()) return false;
  bool found = false;
  Reading([&](std::string& query) {
    CQelRs4OdbcTesteeCode rows(m_connection);
    rows.m_filter.Equal("TesteeCode", DbValue(code));
    query = rows.GetQueryText();
    OpenForReading(rows);
    record->m_columns = kTesteeCodeColumnCode | kTesteeCodeColumnComment | kTesteeCodeColumnDescription;
    if (rows.IsEOF()) {
      ShowStop(RowText("Testee Code", code, "missing"));
      return;
    }
    record->m_code = rows.m_testeeCode;
    record->m_comment = rows.m_comment;
    record->m_description = rows.m_description;
    found = true;
  });
  return found;
}

// ---- models and tasks ---------------------------------------------------------------

bool CProjectDbCfr::WriteModel(const CExpModel* model, const CUserRecord& user, bool* userAdded) {
  if (userAdded) *userAdded = false;
  if (!model || model->m_name.empty() || user.m_id.empty()) return false;
  const QelDateTime now = CurrentLocalDateTime();
  bool added = false;
  const bool ok = InWriteTransaction([&](std::string& query) {
    query = kCfrTableUsers;
    if (!EnsureCurrentUser(user, &added)) return false;
    const CModelHeader& header = *model->GetHeader();
    CQelRs4OdbcModel models(m_connection);
    query = models.GetQueryText();
    OpenForAppending(models);
    models.AddNew();
    models.m_model = model->m_name;
    models.m_version = static_cast<int32_t>(header.m_version);
    models.m_versionStr = header.m_release;
    models.m_taskNum = model->GetTaskCount();
    models.m_date = now;
    models.m_user = user.m_id;
    models.m_attributes = 0;
    models.Update();
    CQelRs4OdbcTask tasks(m_connection);
    query = tasks.GetQueryText();
    OpenForAppending(tasks);
    for (int slot = 0; slot < model->GetTaskCount(); ++slot) {
      const CExpModelTask* task = model->GetTask(slot);
      tasks.AddNew();
      tasks.m_model = model->m_name;
      tasks.m_task = task->TaskIdStr;
      tasks.m_taskId = static_cast<int32_t>(task->TaskId);
      tasks.m_taskName = task->TaskName;
      tasks.m_taskWords = task->w;
      tasks.m_taskPartTrials.clear();
      ByteArrayFromDWords(tasks.m_taskPartTrials, task->TaskPartTrials, kMaxParts);
      tasks.m_taskParam.clear();
      ByteArrayFromDWords(tasks.m_taskParam, task->TaskParam, kTaskParamWords);
      tasks.m_date = now;
      tasks.m_user = user.m_id;
      tasks.m_attributes = 0;
      tasks.Update();
    }
    return true;
  });
  if (!ok) return false;
  if (userAdded) *userAdded = added;
  if (m_project) {
    m_project->SetModel(model, user.m_id.c_str(), now);
    if (added) m_project->AddUser(&user);
  }
  return true;
}

bool CProjectDbCfr::ReadModel(const std::string& name, CExpModel* model) {
  if (!model || name.empty()) return false;
  model->Reset();
  model->m_name = name;
  bool found = false;
  uint32_t stated = 0;
  uint32_t rowsRead = 0;
  uint32_t kept = 0;
  const bool read = Reading([&](std::string& query) {
    CQelRs4OdbcModel models(m_connection);
    models.m_filter.Equal("Model", DbValue(name));
    query = models.GetQueryText();
    OpenForReading(models);
    if (models.IsEOF() || models.m_model.empty()) {
      ShowStop(RowText("Model", name, "missing"));
      return;
    }
    found = true;
    CModelHeader& header = *model->GetHeader();
    header.m_version = static_cast<uint32_t>(models.m_version);
    header.m_release = models.m_versionStr;
    header.m_creation = FormatDateTimeLocale(models.m_date);
    stated = static_cast<uint32_t>(std::max(models.m_taskNum, 0));
    CQelRs4OdbcTask tasks(m_connection);
    tasks.m_filter.Equal("Model", DbValue(name));
    query = tasks.GetQueryText();
    OpenForReading(tasks);
    for (; !tasks.IsEOF(); tasks.MoveNext(), ++rowsRead) {
      // A model holds 40 tasks: rows past them are counted, not kept.
      if (kept >= static_cast<uint32_t>(kMaxModelTasks)) continue;
      CExpModelTask* slot = &model->m_tasks[kept++];
      slot->Clear();
      FillTaskSlot(tasks, slot);
    }
  });
  if (!read || !found) return false;
  model->m_header.m_taskCount = kept;
  if (rowsRead != stated) {
    char text[160];
    std::snprintf(text, sizeof text, "Error while reading model \"%s\":\r\nModelTaskNum=%u, TaskNum=%u", name.c_str(),
                  stated, rowsRead);
    ShowPrompt(text, kCaption, kPromptOk);
  }
  BindModelTasks(model);
  return true;
}

bool CProjectDbCfr::ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code) {
  if (!slot) return false;
  slot->Clear();
  if (model.empty() || code.empty()) return false;
  bool found = false;
  Reading([&](std::string& query) {
    CQelRs4OdbcTask tasks(m_connection);
    tasks.m_filter.Equal("Model", DbValue(model)).Equal("Task", DbValue(code));
    query = tasks.GetQueryText();
    OpenForReading(tasks);
    if (tasks.IsEOF()) {
      ShowStop("Task " + Quoted(code) + " (model " + Quoted(model) + ")\nmissing in project " + Quoted(m_path) + "!");
      return;
    }
    FillTaskSlot(tasks, slot);
    found = true;
  });
  if (found) BindModelTask(slot);
  return found;
}

bool CProjectDbCfr::WriteProjectUser(const CUserRecord& record, const std::string& writer, bool modify) {
  if (record.m_id.empty() || writer.empty()) return false;
  const bool ok = InWriteTransaction([&](std::string& query) {
    CQelRs4OdbcUsers users(m_connection);
    query = users.GetQueryText();
    return users.AddOrModifyUser(record, writer, !modify);
  });
  if (ok && m_project) m_project->SetUser(record);
  return ok;
}

}  // namespace qel

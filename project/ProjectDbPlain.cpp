#include "project/ProjectDbPlain.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/model/ExpModel.h"
#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "db/Dao.h"
#include "db/DbException.h"
#include "db/DbOdbcAccess.h"
#include "db/PackedArrays.h"
#include "db/plain/PlainRecordsets.h"
#include "db/plain/PlainTables.h"
#include "engine/library/ModelTaskBinding.h"
#include "include/qel/TaskTables.h"
#include "project/ProjectData.h"
#include "project/ProjectDbSupport.h"
#include "project/TesteeInfo.h"

namespace qel {

using namespace projectdb;

namespace {

constexpr char kDefaultCode[] = "Default";
constexpr char kDefaultCodeComment[] = "Default";
constexpr char kDefaultCodeDescription[] = "This Code is used as default for Testee Code.";
constexpr char kOwnerUser[] = "User";
constexpr char kOwnerComment[] = "Comment";
constexpr char kOwnerVersion[] = "Version";
constexpr char kCaption[] = "Qel";
constexpr size_t kModelReservedBytes = 64;  // the model header's reserved block in TaskPartTrials
constexpr int kTaskParamWords = 32;
constexpr char kAssessmentColumn[] = "Assessment";

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Text keys compared as the file's key columns compare them: byte by byte
// with the case of ASCII letters ignored, a prefix first.
int CompareKeyText(const std::string& a, const std::string& b) {
  const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int d = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// One assessment's keys, in the order of the file's index on them.
struct AssessmentKey {
  std::string testee;
  std::string model;
  std::string task;
  int32_t assessment = 0;
};

int CompareAssessments(const AssessmentKey& a, const std::string& testee, const std::string& model,
                       const std::string& task, int32_t assessment) {
  if (int d = CompareKeyText(a.testee, testee)) return d;
  if (int d = CompareKeyText(a.model, model)) return d;
  if (int d = CompareKeyText(a.task, task)) return d;
  return a.assessment < assessment ? -1 : (a.assessment > assessment ? 1 : 0);
}

// The latest date of the response rows of serial number 0 of each
// assessment, gathered from rows in key order and found again by rows
// read in the same order.
class LatestResponseDates {
 public:
  void Add(const std::string& testee, const std::string& model, const std::string& task, int32_t assessment,
           const QelDateTime& date) {
    if (m_dates.empty() || CompareAssessments(m_dates.back().first, testee, model, task, assessment) != 0) {
      m_dates.push_back({AssessmentKey{testee, model, task, assessment}, date});
    } else if (Earlier(m_dates.back().second, date)) {
      m_dates.back().second = date;
    }
  }
  // Null when the assessment has none. Asked in key order.
  QelDateTime Next(const std::string& testee, const std::string& model, const std::string& task, int32_t assessment) {
    while (m_at < m_dates.size() && CompareAssessments(m_dates[m_at].first, testee, model, task, assessment) < 0) {
      ++m_at;
    }
    if (m_at < m_dates.size() && CompareAssessments(m_dates[m_at].first, testee, model, task, assessment) == 0) {
      return m_dates[m_at].second;
    }
    return QelDateTime::Null();
  }

 private:
  std::vector<std::pair<AssessmentKey, QelDateTime>> m_dates;
  size_t m_at = 0;
};

// A date that is valid and zero: "no birth date used" in the score sets of a
// plain project.
QelDateTime ZeroDate() { return QelDateTime::FromValue(0.0); }

void FillTaskSlot(const CQelRsModel& rs, CExpModelTask* slot) {
  slot->TaskId = static_cast<uint32_t>(rs.m_taskId);
  slot->TaskIdStr = rs.m_taskIdStr;
  slot->TaskName = rs.m_taskName;
  slot->w = rs.m_taskWords;
  std::fill(std::begin(slot->TaskPartTrials), std::end(slot->TaskPartTrials), 0u);
  std::fill(std::begin(slot->TaskParam), std::end(slot->TaskParam), 0u);
  DWordsFromByteArray(rs.m_taskPartTrials, slot->TaskPartTrials, kMaxParts);
  DWordsFromByteArray(rs.m_taskParam, slot->TaskParam, kTaskParamWords);
}

}  // namespace

CProjectDbPlain::CProjectDbPlain(CDbOdbcAccess* connection) : CProjectDb(connection) {}

CProjectDbPlain::~CProjectDbPlain() = default;

int CProjectDbPlain::Report(const DbException& e, const std::string& query, bool show) const {
  return ReportDBException(&e, m_path, query, show);
}

// ---- creation ---------------------------------------------------------------

bool CProjectDbPlain::CreateProjectFile(const std::string& path, const std::string& owner, const std::string& comment,
                                        const char* password, bool withDefaultCode, bool showMessages, bool replace) {
  if (path.empty()) return false;
  const std::string key = password ? password : "";
  try {
    DaoDatabase db;
    // The key protects the file from its first byte; the file gets its name
    // only when it is complete.
    db.Create(path, key, replace);
    for (bool (*create)(DaoDatabase*) :
         {CreateTableTesteeCode, CreateTableTestee, CreateTableModel, CreateTableResponse, CreateTableVariable,
          CreateTableAssessment, CreateTableOwner}) {
      if (!create(&db)) return false;  // reported; the new file is dropped
    }
    if (withDefaultCode) {
      CQelDBTTesteeCode code(&db);
      code.Open();
      code.AddNew();
      code.m_code = kDefaultCode;
      code.m_comment = kDefaultCodeComment;
      code.m_description = kDefaultCodeDescription;
      code.Update();
      code.Close();
    }
    CQelDBTOwner rows(&db);
    rows.Open();
    for (const auto& [name, text] : {std::pair<const char*, const std::string&>{kOwnerUser, owner},
                                     std::pair<const char*, const std::string&>{kOwnerComment, comment}}) {
      rows.AddNew();
      rows.m_code = name;
      rows.m_text = text;
      rows.Update();
    }
    rows.AddNew();
    rows.m_code = kOwnerVersion;
    rows.m_text = kVersionText;
    rows.Update();
    rows.Close();
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
    ShowPrompt("Project\n" + Quoted(path) + "\nsuccesfully created!", kCaption, kPromptOk | kPromptIconInfo);
  }
  return true;
}

// ---- load -------------------------------------------------------------------

int CProjectDbPlain::Load(CDbOdbcAccess* connection, bool showMessages, int headerOnly) {
  Close();
  m_earliestResponseDate = QelDateTime::Null();
  if (!connection) return 0;
  std::string query;
  int code = 0;
  try {
    CProjectData* cache = m_project;
    if (!headerOnly) {
      CQelRsTesteeCode codes(connection);
      codes.m_sort = {"Code"};
      query = codes.GetQueryText();
      OpenForReading(codes);
      for (; !codes.IsEOF(); codes.MoveNext()) {
        if (cache && !codes.m_code.empty()) {
          cache->AddTesteeCode(codes.m_code, codes.m_comment.c_str(), codes.m_description.c_str(), QelDateTime::Null());
        }
      }
      codes.Close();

      CQelRsTestee testees(connection);
      testees.m_sort = {"Testee"};
      query = testees.GetQueryText();
      OpenForReading(testees);
      for (; !testees.IsEOF(); testees.MoveNext()) {
        if (cache && !testees.m_testee.empty()) {
          cache->AddTestee(testees.m_testee, testees.m_code, testees.m_firstName, testees.m_surname,
                           testees.m_dateBirth, testees.m_preference, testees.m_sex, testees.m_comment.c_str(),
                           QelDateTime::Null());
        }
      }
      testees.Close();

      CQelRsModel models(connection);
      models.m_sort = {"Model", "TaskNo"};
      query = models.GetQueryText();
      OpenForReading(models);
      CModelData* current = nullptr;
      for (; !models.IsEOF(); models.MoveNext()) {
        if (!cache || models.m_model.empty()) continue;
        if (models.m_taskNo == 0) {
          current = cache->AddModel(models.m_model, models.m_taskId, models.m_taskIdStr, nullptr, QelDateTime::Null());
        } else if (models.m_taskNo > 0 && current && current->GetName() == models.m_model) {
          // The cached model takes no more tasks than a model holds.
          current->AddTask(static_cast<uint32_t>(models.m_taskId), models.m_taskIdStr, models.m_taskName);
        }
      }
      models.Close();

      // The latest date of the rows of serial number 0 of each assessment,
      // for the assessment dates of the score sets below (both tables are
      // read in the order of their keys).
      LatestResponseDates latestOfAssessment;
      CQelRsResponseS responses(connection);
      responses.m_sort = {"Testee", "Model", "Task", "Assessment", "PartNo"};
      query = responses.GetQueryText();
      OpenForReading(responses);
      for (; !responses.IsEOF(); responses.MoveNext()) {
        const CQelRsResponseS& r = responses;
        if (r.m_serNo == 0 && r.m_date.IsValid()) {
          latestOfAssessment.Add(r.m_testee, r.m_model, r.m_task, r.m_assessment, r.m_date);
        }
        if (r.m_testee.empty() || r.m_model.empty() || r.m_task.empty() || r.m_assessment <= 0) continue;
        if (cache) {
          cache->AddAssessment(r.m_testee.c_str(), r.m_model.c_str(), r.m_task.c_str(),
                               static_cast<uint32_t>(r.m_assessment), r.m_partNo, r.m_date,
                               static_cast<uint32_t>(std::max(r.m_respNum, 0)), nullptr);
        }
        if (r.m_date.IsValid() && (!m_earliestResponseDate.IsValid() || Earlier(r.m_date, m_earliestResponseDate))) {
          m_earliestResponseDate = r.m_date;
        }
      }
      responses.Close();
      if (cache) cache->CountAssessments();

      CQelRsVariableS variables(connection);
      variables.m_sort = {"Testee", "Model", "Task", "Assessment"};
      query = variables.GetQueryText();
      OpenForReading(variables);
      for (; !variables.IsEOF(); variables.MoveNext()) {
        const CQelRsVariableS& v = variables;
        if (!cache || v.m_testee.empty() || v.m_model.empty() || v.m_task.empty()) continue;
        const QelDateTime latest = latestOfAssessment.Next(v.m_testee, v.m_model, v.m_task, v.m_assessment);
        const QelDateTime assessmentDate = latest.IsValid() ? latest : v.m_date;
        cache->AddScore(v.m_testee.c_str(), v.m_model.c_str(), v.m_task.c_str(), static_cast<uint32_t>(v.m_assessment),
                        assessmentDate, true, ZeroDate(), 0, 0,
                        static_cast<uint32_t>(std::clamp(v.m_varNum, 0, kMaxVariables)), nullptr, v.m_date);
      }
      variables.Close();
      if (cache) {
        cache->CountScores();
        cache->FindOutdatedScores();
      }
    }

    if (connection->TableExists(kPlainTableOwner)) {
      CQelRsOwner owner(connection);
      query = owner.GetQueryText();
      OpenForReading(owner);
      for (; !owner.IsEOF(); owner.MoveNext()) {
        if (owner.m_code == kOwnerUser) {
          SetOwner(owner.m_text);
        } else if (owner.m_code == kOwnerComment) {
          SetOwnerComment(owner.m_text);
        } else if (owner.m_code == kOwnerVersion) {
          SetVersionText(owner.m_text);
        }
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
  m_earliestResponseDate = QelDateTime::Null();
  return code;
}

// ---- testees and testee codes -------------------------------------------------

std::string CProjectDbPlain::RowText(const char* what, const std::string& key, const char* state) const {
  return std::string(what) + " " + Quoted(key) + " " + state + " in project\n" + Quoted(m_path) + "!";
}

bool CProjectDbPlain::InWriteTransaction(const std::function<bool(std::string& query)>& work) {
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

bool CProjectDbPlain::Reading(const std::function<void(std::string& query)>& work) {
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

bool CProjectDbPlain::WriteOneRow(CRsOdbcAccess& rs, const char* what, const std::string& key, bool modify,
                                  const std::function<void()>& setColumns) {
  return InWriteTransaction([&](std::string& query) {
    query = rs.GetQueryText();
    OpenForWriting(rs);
    const bool found = !rs.IsEOF();
    if (found != modify) {
      ShowStop(RowText(what, key, found ? "exists" : "missing"));
      return false;
    }
    if (found) {
      rs.Edit();
    } else {
      rs.AddNew();
    }
    setColumns();
    rs.Update();
    rs.Close();
    return true;
  });
}

bool CProjectDbPlain::ReadOneRow(CRsOdbcAccess& rs, const char* what, const std::string& key,
                                 const std::function<void()>& opened, const std::function<void()>& getColumns) {
  bool found = false;
  Reading([&](std::string& query) {
    query = rs.GetQueryText();
    OpenForReading(rs);
    if (opened) opened();
    if (!getColumns) return;  // only what the table is was asked
    if (rs.IsEOF()) {
      ShowStop(RowText(what, key, "missing"));
      return;
    }
    getColumns();
    found = true;
  });
  return found;
}

bool CProjectDbPlain::WriteTestee(const CTesteeInfo& record, bool modify) {
  if (record.m_testee.empty()) return false;
  CQelRsTestee rs(m_connection);
  rs.m_filter.Equal("Testee", DbValue(record.m_testee));
  const bool ok = WriteOneRow(rs, "Testee", record.m_testee, modify, [&] {
    rs.m_testee = record.m_testee;
    rs.SetTextField("Code", rs.m_code, record.m_code);
    rs.SetTextField("FirstName", rs.m_firstName, record.m_firstName);
    rs.SetTextField("Surname", rs.m_surname, record.m_surname);
    rs.m_dateBirth = record.m_dateBirth;
    rs.m_preference = record.m_preference;
    rs.m_sex = record.m_sex;
    rs.SetTextField("Comment", rs.m_comment, record.m_comment);
  });
  if (ok && m_project) {
    m_project->SetTestee(record.m_testee, record.m_code, record.m_firstName, record.m_surname, record.m_dateBirth,
                         record.m_preference, record.m_sex, record.m_comment.c_str(), QelDateTime::Null());
  }
  return ok;
}

bool CProjectDbPlain::ReadTestee(const std::string& name, CTesteeInfo* record) {
  if (!record) return false;
  record->Clear();
  if (name.empty()) return false;
  CQelRsTestee rs(m_connection);
  rs.m_filter.Equal("Testee", DbValue(name));
  return ReadOneRow(rs, "Testee", name, nullptr, [&] {
    record->m_testee = rs.m_testee;
    record->m_code = rs.m_code;
    record->m_firstName = rs.m_firstName;
    record->m_surname = rs.m_surname;
    record->m_dateBirth = rs.m_dateBirth;
    record->m_preference = rs.m_preference;
    record->m_sex = rs.m_sex;
    record->m_comment = rs.m_comment;
  });
}

bool CProjectDbPlain::WriteTesteeCode(const CTesteeCodeInfo& record, bool modify) {
  if (record.m_code.empty()) return false;
  CQelRsTesteeCode rs(m_connection);
  rs.m_filter.Equal("Code", DbValue(record.m_code));
  const bool ok = WriteOneRow(rs, "Testee Code", record.m_code, modify, [&] {
    rs.m_code = record.m_code;
    rs.SetTextField("Comment", rs.m_comment, record.m_comment);
    rs.SetTextField("Description", rs.m_description, record.m_description);
  });
  if (ok && m_project) {
    // A changed code keeps its one entry.
    m_project->SetTesteeCode(record.m_code, record.m_comment.c_str(), record.m_description.c_str(),
                             QelDateTime::Null());
  }
  return ok;
}

bool CProjectDbPlain::ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record, bool columnsOnly) {
  if (!record) return false;
  record->Clear();
  if (code.empty() && !columnsOnly) return false;
  CQelRsTesteeCode rs(m_connection);
  rs.m_filter.Equal("Code", DbValue(code));
  const auto columns = [&] {
    if (rs.TableHasColumn("Code")) record->m_columns |= kTesteeCodeColumnCode;
    if (rs.TableHasColumn("Comment")) record->m_columns |= kTesteeCodeColumnComment;
    if (rs.TableHasColumn("Description")) record->m_columns |= kTesteeCodeColumnDescription;
  };
  const auto values = [&] {
    record->m_code = rs.m_code;
    record->m_comment = rs.m_comment;
    record->m_description = rs.m_description;
  };
  return ReadOneRow(rs, "Testee Code", code, columns, columnsOnly ? std::function<void()>() : values);
}

// ---- models and tasks ---------------------------------------------------------

bool CProjectDbPlain::WriteModel(const CExpModel* model) {
  if (!model || model->m_name.empty()) return false;
  const bool ok = InWriteTransaction([&](std::string& query) {
    CQelRsModel rs(m_connection);
    query = rs.GetQueryText();
    OpenRecordset(rs, DbRecordset::kDynaset, DbRecordset::kAppendOnly);
    const CModelHeader& header = *model->GetHeader();
    rs.AddNew();
    rs.m_model = model->m_name;
    rs.m_taskNo = 0;
    rs.m_taskId = static_cast<int32_t>(header.m_version);
    rs.SetTextField("TaskIdStr", rs.m_taskIdStr, header.m_release);
    rs.SetTextField("TaskName", rs.m_taskName, header.m_creation);
    rs.m_taskWords = QelTaskWords{};
    rs.m_taskWords.TaskType = static_cast<uint32_t>(model->GetTaskCount());
    rs.m_taskPartTrials.assign(header.m_reserved, header.m_reserved + kModelReservedBytes);
    rs.m_taskParam.assign(static_cast<size_t>(kTaskParamWords) * 4, uint8_t{0});
    rs.Update();
    for (int slot = 0; slot < model->GetTaskCount(); ++slot) {
      const CExpModelTask* task = model->GetTask(slot);
      rs.AddNew();
      rs.m_model = model->m_name;
      rs.m_taskNo = slot + 1;
      rs.m_taskId = static_cast<int32_t>(task->TaskId);
      rs.SetTextField("TaskIdStr", rs.m_taskIdStr, task->TaskIdStr);
      rs.SetTextField("TaskName", rs.m_taskName, task->TaskName);
      rs.m_taskWords = task->w;
      rs.m_taskPartTrials.clear();
      ByteArrayFromDWords(rs.m_taskPartTrials, task->TaskPartTrials, kMaxParts);
      rs.m_taskParam.clear();
      ByteArrayFromDWords(rs.m_taskParam, task->TaskParam, kTaskParamWords);
      rs.Update();
    }
    return true;
  });
  if (ok && m_project) m_project->SetModel(model, nullptr, QelDateTime::Null());
  return ok;
}

bool CProjectDbPlain::ReadModel(const std::string& name, CExpModel* model) {
  if (!model || name.empty()) return false;
  model->Reset();
  model->m_name = name;
  bool found = false;
  uint32_t stated = 0;
  uint32_t read = 0;
  Reading([&](std::string& query) {
    CQelRsModel rs(m_connection);
    rs.m_filter.Equal("Model", DbValue(name)).Equal("TaskNo", DbValue(0));
    query = rs.GetQueryText();
    OpenForReading(rs);
    if (rs.IsEOF()) {
      ShowStop(RowText("Model", name, "missing"));
      return;
    }
    found = true;
    CModelHeader& header = *model->GetHeader();
    header.m_version = static_cast<uint32_t>(rs.m_taskId);
    header.m_release = Trim(rs.m_taskIdStr);
    header.m_creation = Trim(rs.m_taskName);
    std::fill(std::begin(header.m_reserved), std::end(header.m_reserved), uint8_t{0});
    std::copy_n(rs.m_taskPartTrials.begin(), std::min(rs.m_taskPartTrials.size(), kModelReservedBytes),
                header.m_reserved);
    stated = std::min(rs.m_taskWords.TaskType, static_cast<uint32_t>(kMaxModelTasks));
    rs.Close();
    rs.m_filter.Clear();
    rs.m_filter.Equal("Model", DbValue(name)).Greater("TaskNo", DbValue(0));
    rs.m_sort = {"TaskNo"};
    query = rs.GetQueryText();
    OpenForReading(rs);
    for (; read < stated && !rs.IsEOF(); rs.MoveNext()) {
      if (rs.m_model != name || rs.m_taskNo != static_cast<int32_t>(read) + 1) break;
      CExpModelTask* slot = &model->m_tasks[read];
      slot->Clear();
      FillTaskSlot(rs, slot);
      ++read;
    }
  });
  if (!found) return false;
  // The model holds the tasks that were read: no empty slot stands for a task.
  model->m_header.m_taskCount = read;
  if (read < stated) {
    char text[96];
    std::snprintf(text, sizeof text, "Error while reading model:\r\nModelTaskNum=%u, TaskNum=%u", stated, read);
    ShowStop(text);
  }
  BindModelTasks(model);
  return true;
}

bool CProjectDbPlain::ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code) {
  if (!slot) return false;
  slot->Clear();
  if (model.empty() || code.empty()) return false;
  bool found = false;
  Reading([&](std::string& query) {
    CQelRsModel rs(m_connection);
    rs.m_filter.Equal("Model", DbValue(model)).Equal("TaskIdStr", DbValue(code));
    query = rs.GetQueryText();
    OpenForReading(rs);
    if (rs.IsEOF()) {
      ShowStop("Task " + Quoted(code) + " (model " + Quoted(model) + ")\nmissing in project " + Quoted(m_path) + "!");
      return;
    }
    FillTaskSlot(rs, slot);
    found = true;
  });
  if (found) BindModelTask(slot);
  return found;
}

// ---- responses and variables ----------------------------------------------------

int CProjectDbPlain::ReadResponseRow(const std::string& testee, const std::string& model, const std::string& code,
                                     uint32_t assessment, int part, uint32_t serial, int trialsSoFar,
                                     std::vector<std::string>*, bool readArrays, bool) {
  m_rowDate = QelDateTime::Null();
  if (!CheckKeys(testee, model, code) || !m_connection) return 0;
  if (trialsSoFar < 0 || trialsSoFar >= kMaxResponses || part < 1 || part > kMaxParts) return 0;
  if (readArrays && !HasRunData()) return 0;
  CQelRsResponse rs(m_connection);
  rs.m_filter = PartFilter(kAssessmentColumn, testee, model, code, assessment, static_cast<uint32_t>(part), serial);
  try {
    OpenForReading(rs);
    if (rs.IsEOF()) return 0;
    m_rowDate = rs.m_date;
    // The part's arrays hold 6000 responses: a row never fills more.
    const int n = std::clamp(rs.m_respNum, 0, kMaxResponses - trialsSoFar);
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

void CProjectDbPlain::SetVariableColumns(CQelRsVariable& rows, const QelDateTime& date, int variables) const {
  rows.m_date = date;
  PackScoreColumns(rows, variables);
}

bool CProjectDbPlain::WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task,
                                     int variableCount, const QelDateTime& runDate, bool* newVariablesRow) {
  if (newVariablesRow) *newVariablesRow = false;
  if (!task || !CheckKeys(testee, model, task->TaskIdStr) || !HasRunData()) return false;
  if (task->currentPart < 0 || task->currentPart >= kMaxParts) return false;
  const std::string& code = task->TaskIdStr;
  const uint32_t assessment = task->currentAssessment;
  const size_t p = static_cast<size_t>(task->currentPart);
  const uint32_t part = static_cast<uint32_t>(task->currentPart) + 1;
  const uint32_t serial = task->reserved1;  // the slot's serial number (0 after Clear)
  const int n = static_cast<int>(std::min<uint32_t>(task->trialCounts[p], kMaxResponses));
  const int variables = std::clamp(variableCount, 0, kMaxVariables);
  bool newRow = false;
  const bool ok = InWriteTransaction([&](std::string& query) {
    CQelRsResponse responses(m_connection);
    responses.m_filter = PartFilter(kAssessmentColumn, testee, model, code, assessment, part, serial);
    query = responses.GetQueryText();
    OpenForWriting(responses);
    if (responses.IsEOF()) {
      responses.AddNew();
    } else {
      responses.Edit();  // an assessment run again overwrites its part
    }
    responses.m_testee = testee;
    responses.m_model = model;
    responses.m_task = code;
    responses.m_assessment = static_cast<int32_t>(assessment);
    responses.m_partNo = static_cast<int32_t>(part);
    responses.m_serNo = static_cast<int32_t>(serial);
    responses.m_date = runDate;
    responses.m_respNum = n;
    PackResponseColumns(responses, p, n);
    responses.Update();
    responses.Close();

    CQelRsVariable rows(m_connection);
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    query = rows.GetQueryText();
    OpenForWriting(rows);
    newRow = rows.IsEOF();
    if (newRow) {
      rows.AddNew();
    } else {
      rows.Edit();
    }
    rows.m_testee = testee;
    rows.m_model = model;
    rows.m_task = code;
    rows.m_assessment = static_cast<int32_t>(assessment);
    SetVariableColumns(rows, runDate, variables);
    rows.Update();
    return true;
  });
  if (!ok) return false;
  if (newVariablesRow) *newVariablesRow = newRow;
  m_assessmentDate = runDate;
  m_savedDate = runDate;
  if (m_project) {
    m_project->UpdateAssessment(testee.c_str(), model.c_str(), code.c_str(), assessment, static_cast<int32_t>(part),
                                runDate, static_cast<uint32_t>(n), nullptr);
    m_project->UpdateScore(testee.c_str(), model.c_str(), code.c_str(), assessment, runDate, true, ZeroDate(), 0, 0,
                           static_cast<uint32_t>(variables), nullptr, runDate);
  }
  return true;
}

bool CProjectDbPlain::WriteVariables(const std::string& testee, const std::string& model, const std::string& code,
                                     uint32_t assessment, int variableCount) {
  if (!CheckKeys(testee, model, code) || !HasRunData()) return false;
  const int variables = std::clamp(variableCount, 0, kMaxVariables);
  const QelDateTime now = CurrentLocalDateTime();
  const bool ok = InWriteTransaction([&](std::string& query) {
    CQelRsVariable rows(m_connection);
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    query = rows.GetQueryText();
    OpenForWriting(rows);
    // Only the variables of an assessment that was run are rewritten.
    if (rows.IsEOF()) return false;
    rows.Edit();
    SetVariableColumns(rows, now, variables);
    rows.Update();
    return true;
  });
  if (!ok) return false;
  m_assessmentDate = now;
  m_savedDate = now;
  if (m_project) {
    m_project->UpdateScore(testee.c_str(), model.c_str(), code.c_str(), assessment, now, true, ZeroDate(), 0, 0,
                           static_cast<uint32_t>(variables), nullptr, now);
  }
  return true;
}

int CProjectDbPlain::ReadVariables(const std::string& testee, const std::string& model, const std::string& code,
                                   uint32_t assessment, std::vector<uint32_t>* attributes,
                                   std::vector<std::string>* names, std::vector<std::string>* formats,
                                   std::vector<std::string>* labels, std::vector<double>* values,
                                   QelDateTime* assessmentDate, QelDateTime* savedDate) {
  const auto emptyLists = [&] {
    for (auto* list : {names, formats, labels}) {
      if (list) list->clear();
    }
    if (attributes) attributes->clear();
    if (values) values->clear();
  };
  emptyLists();
  if (assessmentDate) *assessmentDate = QelDateTime::Null();
  if (savedDate) *savedDate = QelDateTime::Null();
  if (!CheckKeys(testee, model, code)) return -1;
  int count = 0;
  const bool read = Reading([&](std::string& query) {
    CQelRsVariable rows(m_connection);
    rows.m_filter = AssessmentFilter(kAssessmentColumn, testee, model, code, assessment);
    query = rows.GetQueryText();
    OpenForReading(rows);
    if (rows.IsEOF()) return;
    const QelDateTime rowDate = rows.m_date;
    const int n = std::clamp(rows.m_varNum, 0, kMaxVariables);
    if (attributes) DWordArrayFromByteArray(rows.m_varAttrs, *attributes, n);
    if (names) StringsFromByteArray(rows.m_varNames, *names, n);
    if (formats) StringsFromByteArray(rows.m_varFrmts, *formats, n);
    if (labels) StringsFromByteArray(rows.m_varLabels, *labels, n);
    if (values) DoublesFromByteArray(rows.m_varValues, *values, n);
    rows.Close();
    CQelRsResponseS responses(m_connection);
    query = kPlainTableResponse;
    const QelDateTime latest = responses.GetLatestDate(testee, model, code, assessment);
    if (assessmentDate) *assessmentDate = latest.IsValid() ? latest : rowDate;
    if (savedDate) *savedDate = rowDate;
    count = n;
  });
  if (read) return count;
  // Nothing half read stands as the stored variables.
  emptyLists();
  if (assessmentDate) *assessmentDate = QelDateTime::Null();
  if (savedDate) *savedDate = QelDateTime::Null();
  return -1;
}

int CProjectDbPlain::ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                                       uint32_t assessment) {
  ClearVariableSet();
  return ReadVariables(testee, model, code, assessment, &m_attributes, &m_names, &m_formats, &m_labels, &m_values,
                       &m_assessmentDate, &m_savedDate);
}

}  // namespace qel

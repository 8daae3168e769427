#include "project/QelProject.h"

#include "app/model/ExpModel.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "db/Dao.h"
#include "db/DbException.h"
#include "project/TesteeInfo.h"

namespace qel {

namespace {

constexpr char kCaption[] = "Qel";

const CUserRecord* g_loggedUser = nullptr;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

CQelProject::CQelProject(const ITaskAvailability& tasks) : CProjectData(tasks), m_plain(&m_connection), m_cfr(&m_connection) {
  m_plain.SetProject(this);
  m_cfr.SetProject(this);
}

CQelProject::~CQelProject() = default;

void CQelProject::SetLoggedUser(const CUserRecord* user) { g_loggedUser = user; }
const CUserRecord* CQelProject::GetLoggedUser() { return g_loggedUser; }
bool CQelProject::IsUserLoggedIn() { return g_loggedUser && !g_loggedUser->m_id.empty(); }

// ---- static project operations ----------------------------------------------------

bool CQelProject::CreateProject(const std::string& path, const std::string& owner, const std::string& comment,
                                const char* password, bool withDefaultCode, bool showMessages) {
  if (path.empty()) return false;
  if (IsUserLoggedIn()) {
    return CProjectDbCfr::CreateProjectFile(path, *g_loggedUser, owner, comment, password, withDefaultCode,
                                            showMessages, true);
  }
  return CProjectDbPlain::CreateProjectFile(path, owner, comment, password, withDefaultCode, showMessages, true);
}

int CQelProject::OpenDatabase(const std::string& path, CDbOdbcAccess& connection, bool* isCfr, bool showMessages) {
  if (isCfr) *isCfr = false;
  if (path.empty()) return kNotOpened;
  try {
    if (!connection.Open(path, kDbOpenReadOnly)) return kNotOpened;
    if (isCfr) *isCfr = connection.TableExists(CProjectDbCfr::GetMarkerTableName());
    return kOpened;
  } catch (const DbException& e) {
    const int code = ClassifyDBException(&e);
    if (code == kPasswordResult) {
      if (showMessages) {
        const char* reason = connection.GetPassword().empty() ? kPasswordRequiredText : kInvalidPasswordText;
        ShowPrompt("Project " + Quoted(path) + "\r\n" + reason + "!", kCaption, kPromptOk | kPromptIconStop);
      }
      return code;
    }
    return ReportDBException(&e, path, std::string(), showMessages);
  }
}

bool CQelProject::CanConvertToCfr(const std::string& path, CDbOdbcAccess& connection) {
  if (path.empty()) return false;
  bool isCfr = false;
  if (OpenDatabase(path, connection, &isCfr, true) != kOpened) return false;
  if (isCfr) {
    ShowPrompt("Project\n" + Quoted(path) + "\nis already CFR project.", kCaption, kPromptOk | kPromptIconInfo);
    connection.Close();
    return false;
  }
  return true;
}

bool CQelProject::ConvertToCfr(const std::string& plainPath, const std::string& cfrPath, const char* plainPassword,
                               const char* cfrPassword) {
  CDbOdbcAccess plain;
  plain.SetPassword(plainPassword ? plainPassword : "");
  if (plainPath.empty() || cfrPath.empty() || !IsUserLoggedIn()) return false;
  if (!CanConvertToCfr(plainPath, plain)) return false;
  bool converted = false;
  {
    // The plain project's owner text and comment become the new header's.
    CProjectDbPlain source(&plain);
    source.SetPath(plainPath);
    source.SetPassword(plainPassword);
    if (source.Load(&plain, true, 1) == 0) {
      converted = CProjectDbCfr::ConvertFromPlain(&plain, cfrPath, *g_loggedUser, source.GetOwner(),
                                                  source.GetOwnerComment(), cfrPassword, QelDateTime());
    }
  }
  if (plain.IsOpen()) plain.Close();
  if (converted) {
    ShowPrompt("Project\n" + Quoted(plainPath) + "\nconverted into CFR compliant project\n" + Quoted(cfrPath) + "\n",
               kCaption, kPromptOk | kPromptIconInfo);
  }
  return converted;
}

namespace {

constexpr char kCompactCaption[] = "Project compacting";
constexpr char kPasswordCaption[] = "Setting password";

std::string Text(const char* text) { return text ? text : ""; }

void ShowPasswordChanged(const std::string& path, const std::string& oldPassword, const std::string& newPassword) {
  if (oldPassword.empty() && newPassword.empty()) return;
  ShowPrompt("Password of project\n" + Quoted(path) + "\nsuccesfully changed.\n", kCaption,
             kPromptOk | kPromptIconInfo);
}

}  // namespace

bool CQelProject::CompactProject(const std::string& path, const std::string& newPath, const char* password,
                                 const char* newPassword, bool showMessages) {
  if (path.empty() || newPath.empty()) return false;
  try {
    CopyDaoDatabase(path, Text(password), newPath, Text(newPassword));
  } catch (const DaoException& e) {
    ReportDaoException(&e, kCompactCaption, showMessages, path, Text(password).empty());
    return false;
  }
  if (showMessages) {
    ShowPrompt("Project\n" + Quoted(path) + "\nsuccesfully compacted into project\n" + Quoted(newPath) + ".\n",
               kCaption, kPromptOk | kPromptIconInfo);
    ShowPasswordChanged(newPath, Text(password), Text(newPassword));
  }
  return true;
}

bool CQelProject::ChangeProjectPassword(const std::string& path, const char* oldPassword, const char* newPassword,
                                        bool showMessages) {
  if (path.empty()) return false;
  try {
    CopyDaoDatabase(path, Text(oldPassword), path, Text(newPassword));
  } catch (const DaoException& e) {
    ReportDaoException(&e, kPasswordCaption, showMessages, path, Text(oldPassword).empty());
    return false;
  }
  if (showMessages) ShowPasswordChanged(path, Text(oldPassword), Text(newPassword));
  return true;
}

// ---- open and state ----------------------------------------------------------------

void CQelProject::Connect(const std::string& path, bool showMessages) {
  AttachRunData(m_runData);
  m_openResult = kNotOpened;
  m_isCfr = false;
  m_opened = false;
  m_passwordRequired = false;
  m_path = path;
  m_plain.SetPath(path);
  m_cfr.SetPath(path);
  if (path.empty()) return;
  m_openResult = OpenDatabase(path, m_connection, &m_isCfr, showMessages);
  m_opened = m_openResult == kOpened;
  m_passwordRequired = m_openResult == kPasswordResult;
}

bool CQelProject::Check(const std::string& path, bool showMessages) {
  Connect(path.empty() ? m_path : path, showMessages);
  if (m_connection.IsOpen()) m_connection.Close();
  return m_openResult == kOpened;
}

bool CQelProject::Open(const std::string& path, bool showMessages, bool headerOnly) {
  Connect(path.empty() ? m_path : path, showMessages);
  if (m_opened) m_openResult = Current().Load(&m_connection, showMessages, headerOnly ? 1 : 0);
  if (m_connection.IsOpen()) m_connection.Close();
  return m_openResult == kOpened;
}

void CQelProject::SetPath(const char* path) {
  if (!path) return;
  m_path = path;
  m_plain.SetPath(path);
  m_cfr.SetPath(path);
}

void CQelProject::SetPassword(const char* password) {
  m_connection.SetPassword(password ? password : "");
  m_plain.SetPassword(password);
  m_cfr.SetPassword(password);
}

std::string CQelProject::GetPath() const { return Current().GetPath(); }

void CQelProject::AttachRunData(ITaskRunData* runData) {
  if (!runData) return;
  m_runData = runData;
  m_plain.AttachRunData(runData);
  m_cfr.AttachRunData(runData);
}

void CQelProject::SetScoreVariableTable(const ITaskLibrary* record) {
  if (!record) return;
  m_plain.SetVariableTable(record);
  m_cfr.SetVariableTable(record);
}

// ---- testees and testee codes ---------------------------------------------------------

int CQelProject::ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees,
                                   std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                                   std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                                   std::vector<std::string>* preferenceTexts, std::vector<std::string>* users,
                                   std::vector<QelDateTime>* dates, std::vector<bool>* flags) {
  if (!m_isCfr) return 0;
  return m_cfr.ReadTesteeHistory(filter, testees, codes, firstNames, surnames, birthDates, preferenceTexts, users,
                                 dates, flags);
}

bool CQelProject::WriteTestee(const CTesteeInfo& record, const CUserRecord& user, bool* userAdded, bool modify,
                              bool keepHistory) {
  if (userAdded) *userAdded = false;
  if (m_isCfr) return m_cfr.WriteTestee(record, user, userAdded, modify, keepHistory);
  return m_plain.WriteTestee(record, modify);
}

bool CQelProject::ReadTestee(const std::string& name, CTesteeInfo* record) {
  return m_isCfr ? m_cfr.ReadTestee(name, record) : m_plain.ReadTestee(name, record);
}

bool CQelProject::WriteTesteeCode(const CTesteeCodeInfo& record, const CUserRecord& user, bool* userAdded,
                                  bool modify) {
  if (userAdded) *userAdded = false;
  if (m_isCfr) return m_cfr.WriteTesteeCode(record, user, userAdded, modify);
  return m_plain.WriteTesteeCode(record, modify);
}

bool CQelProject::ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record) {
  return m_isCfr ? m_cfr.ReadTesteeCode(code, record) : m_plain.ReadTesteeCode(code, record, false);
}

// ---- models and tasks ----------------------------------------------------------------

bool CQelProject::WriteModel(const CExpModel* model, const CUserRecord& user, bool* userAdded) {
  if (userAdded) *userAdded = false;
  return m_isCfr ? m_cfr.WriteModel(model, user, userAdded) : m_plain.WriteModel(model);
}

bool CQelProject::ReadModel(const std::string& name, CExpModel* model) {
  return m_isCfr ? m_cfr.ReadModel(name, model) : m_plain.ReadModel(name, model);
}

bool CQelProject::ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code) {
  return m_isCfr ? m_cfr.ReadTask(slot, model, code) : m_plain.ReadTask(slot, model, code);
}

bool CQelProject::CheckModelAssessments(const std::string& testee, const std::string& modelName, CExpModel* model) {
  if (!model) return true;
  model->ClearAssessmentCounts();
  for (int slot = 0; slot < model->GetTaskCount(); ++slot) {
    CExpModelTask* task = model->GetTask(slot);
    if (!task || task->TaskIdStr.empty()) continue;
    std::vector<uint32_t> numbers;
    std::vector<int32_t> parts;
    GetAssessmentRows(testee.c_str(), modelName.c_str(), task->TaskIdStr.c_str(), &numbers, &parts, nullptr, nullptr,
                      nullptr, nullptr, nullptr, nullptr);
    for (size_t i = 0; i < numbers.size() && i < parts.size(); ++i) {
      if (parts[i] >= 1 && parts[i] <= kMaxParts) task->assessmentCounts[parts[i] - 1] = numbers[i];
    }
  }
  model->SelectNewAssessments();
  return true;
}

// ---- responses and scores --------------------------------------------------------------

int CQelProject::ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                                     std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                                     std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                                     std::vector<std::string>* users, std::vector<std::string>* testees,
                                     std::vector<std::string>* models, std::vector<std::string>* tasks) {
  if (!m_isCfr) return 0;
  return m_cfr.ReadResponseHistory(testee, model, task, assessments, parts, partDates, responseCounts, users, testees,
                                   models, tasks);
}

bool CQelProject::ReadResponses(const std::string& testee, const std::string& model, CExpModelTask* task,
                                uint32_t assessment, int firstPart, int lastPart, std::vector<std::string>* users,
                                bool readArrays) {
  return Current().ReadResponses(testee, model, task, assessment, firstPart, lastPart, users, readArrays, false);
}

bool CQelProject::WriteVariables(const std::string& testee, const std::string& model, const std::string& code,
                                 uint32_t assessment, const CUserRecord& user, bool* userAdded, int variableCount) {
  if (userAdded) *userAdded = false;
  if (!m_isCfr) return m_plain.WriteVariables(testee, model, code, assessment, variableCount);
  return m_cfr.WriteVariables(testee, model, code, assessment, user, userAdded, variableCount,
                              GetTesteeDateBirth(testee.c_str()), GetTesteePreference(testee.c_str()),
                              GetTesteeSex(testee.c_str()));
}

int CQelProject::ReadVariables(const std::string& testee, const std::string& model, const std::string& code,
                               uint32_t assessment, const QelDateTime* asOf, std::vector<uint32_t>* attributes,
                               std::vector<std::string>* names, std::vector<std::string>* formats,
                               std::vector<std::string>* labels, std::vector<double>* values, QelDateTime* dateAss,
                               QelDateTime* dateBirth, std::string* user, QelDateTime* date, int32_t* preference,
                               int32_t* sex, int64_t version) {
  if (m_isCfr) {
    return m_cfr.ReadVariables(testee, model, code, assessment, asOf, attributes, names, formats, labels, values,
                               dateAss, date, user, dateBirth, preference, sex, version);
  }
  for (auto* list : {names, formats, labels}) {
    if (list) list->clear();
  }
  if (attributes) attributes->clear();
  if (values) values->clear();
  for (QelDateTime* d : {dateAss, dateBirth, date}) {
    if (d) *d = QelDateTime::Null();
  }
  if (user) user->clear();
  if (preference) *preference = 0;
  if (sex) *sex = 0;
  // A plain project keeps no earlier versions.
  if ((asOf && asOf->IsValid()) || version > 0) return 0;
  return m_plain.ReadVariables(testee, model, code, assessment, attributes, names, formats, labels, values, dateAss,
                               date);
}

int CQelProject::ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                                   uint32_t assessment, const QelDateTime* asOf, QelDateTime* dateBirth,
                                   int32_t* preference, int32_t* sex, int64_t version) {
  if (m_isCfr) {
    return m_cfr.ReadVariablesAsOf(testee, model, code, assessment, asOf, dateBirth, preference, sex, version);
  }
  if (dateBirth) *dateBirth = QelDateTime::Null();
  if (preference) *preference = 0;
  if (sex) *sex = 0;
  if ((asOf && asOf->IsValid()) || version > 0) return 0;
  return m_plain.ReadVariablesAsOf(testee, model, code, assessment);
}

int CQelProject::ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                                     std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                                     std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                                     std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                                     std::vector<std::string>* testees, std::vector<std::string>* models,
                                     std::vector<std::string>* tasks, std::vector<int64_t>* versions) {
  if (!m_isCfr) return 0;
  return m_cfr.ReadVariableHistory(testee, model, task, assessments, assessmentDates, flags, variableCounts, users,
                                   dates, testees, models, tasks, versions);
}

bool CQelProject::WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task,
                                 const CUserRecord& user, bool* userAdded, int variableCount,
                                 const QelDateTime& runDate, bool* newVariablesRow) {
  if (!m_isCfr) {
    if (userAdded) *userAdded = false;
    return m_plain.WriteResponses(testee, model, task, variableCount, runDate, newVariablesRow);
  }
  return m_cfr.WriteResponses(testee, model, task, user, userAdded, variableCount, GetTesteeDateBirth(testee.c_str()),
                              GetTesteePreference(testee.c_str()), GetTesteeSex(testee.c_str()), runDate,
                              newVariablesRow);
}

bool CQelProject::WriteProjectUser(const CUserRecord& record, const std::string& writer, bool modify) {
  return m_isCfr && m_cfr.WriteProjectUser(record, writer, modify);
}

// ---- the run engine's view ---------------------------------------------------------------

bool CQelProject::ReadResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                                uint32_t assessment, int firstPart, int lastPart) {
  return ReadResponses(testeeCode, modelName, &task, assessment, firstPart, lastPart, nullptr, true);
}

bool CQelProject::WriteResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                                 const CTaskRunData& runData, int variableCount, const QelDateTime& runDate,
                                 bool* userAdded, bool* newVariablesRow) {
  // Writing only reads the run data's arrays; the databases bind them as
  // the arrays that reads fill.
  if (&runData != m_runData) AttachRunData(const_cast<CTaskRunData*>(&runData));
  static const CUserRecord kNobody;
  return WriteResponses(testeeCode, modelName, &task, g_loggedUser ? *g_loggedUser : kNobody, userAdded,
                        variableCount, runDate, newVariablesRow);
}

}  // namespace qel

// The project object: the one way pages, dialogs, the run engine and the
// score dialog create, open, check, read and write a project file. Its
// first base is the project cache, which answers what only reads the cache.
// It owns one database object of each format on one shared connection and
// sends each file request to the one of the open file's format (the CFR
// one when the file holds StringsProject).
//
// The acting user of every write is the logged-in user, which the program
// hands in once (SetLoggedUser); with a user logged in, new projects are
// CFR projects. A project password is the file's encryption key.
//
// Creating over an existing file and converting build the new file beside
// the target and put it in place in one rename, only when it is complete.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "admin/UserRecord.h"
#include "db/DbOdbcAccess.h"
#include "project/ProjectData.h"
#include "project/ProjectDbCfr.h"
#include "project/ProjectDbPlain.h"
#include "project/ProjectHistory.h"
#include "project/RunProject.h"

namespace qel {

class CExpModel;
class CTesteeCodeInfo;
class CTesteeInfo;
class ITaskLibrary;
class ITaskRunData;
struct CTesteeFilter;

class CQelProject : public CProjectData, public IRunProject, public IProjectHistory {
 public:
  // Open results besides the connect codes (2 missing file, 5 password
  // missing or wrong, 6 no permission).
  static constexpr int kOpened = 0;
  static constexpr int kNotOpened = 1;
  static constexpr int kPasswordResult = 5;
  static constexpr const char* kPasswordRequiredText = "PASSWORD REQUIRED";
  static constexpr const char* kInvalidPasswordText = "INVALID PASSWORD";

  explicit CQelProject(const ITaskAvailability& tasks);
  ~CQelProject() override;

  // ---- the logged-in user (the program's own record; null: nobody)
  static void SetLoggedUser(const CUserRecord* user);
  static const CUserRecord* GetLoggedUser();
  static bool IsUserLoggedIn();

  // ---- static project operations

  // A new project at the path: CFR (created by the logged-in user) when a
  // user is logged in, else plain. An existing file is replaced only by
  // the complete new one. False for an empty path.
  static bool CreateProject(const std::string& path, const std::string& owner, const std::string& comment,
                            const char* password, bool withDefaultCode, bool showMessages);
  // Connects read-only (left open on success) and learns the format; 0 or
  // the classified code. A wrong or missing password shows "Project
  // \"<path>\"\r\nINVALID PASSWORD!" / "...PASSWORD REQUIRED!".
  static int OpenDatabase(const std::string& path, CDbOdbcAccess& connection, bool* isCfr, bool showMessages);
  // Whether the file opens and is plain; an already-CFR file is told. The
  // connection stays open only when the answer is true.
  static bool CanConvertToCfr(const std::string& path, CDbOdbcAccess& connection);
  // A CFR project at cfrPath holding every row of the plain project,
  // created by the logged-in user; the plain file is never changed and a
  // failure leaves nothing at cfrPath that was not there. Told on success.
  static bool ConvertToCfr(const std::string& plainPath, const std::string& cfrPath, const char* plainPassword,
                           const char* cfrPassword);

  // A compacted copy of the project at path (opened with password) at
  // newPath, protected by newPassword: the new file replaces newPath only
  // when it is complete, and the source is never changed. Told on success
  // ("...succesfully compacted...", then, when a password is involved,
  // "Password of project...succesfully changed."); a failure is reported
  // with the caption "Project compacting". False for an empty path.
  static bool CompactProject(const std::string& path, const std::string& newPath, const char* password,
                             const char* newPassword, bool showMessages);
  // Protects the project at path with newPassword instead of oldPassword
  // (an empty one: none). The file is replaced only by its complete copy
  // under the new key. Told on success unless both passwords are empty; a
  // failure (a wrong old password among them) is reported with the caption
  // "Setting password". False for an empty path.
  static bool ChangeProjectPassword(const std::string& path, const char* oldPassword, const char* newPassword,
                                    bool showMessages);

  // ---- open and state
  bool Check(const std::string& path, bool showMessages);
  bool Open(const std::string& path, bool showMessages, bool headerOnly);
  bool IsOpen() const { return !GetPath().empty(); }
  bool IsOpenCfr() const { return IsOpen() && m_opened && m_isCfr; }
  bool IsPasswordRequired() const { return m_passwordRequired; }
  int GetOpenResult() const { return m_openResult; }
  void SetPath(const char* path);
  void SetPassword(const char* password);
  std::string GetPath() const override;
  const std::string& GetPassword() const { return Current().GetPassword(); }
  std::string GetName() const { return Current().GetName(); }
  // Binds both databases to the run data (the one the program runs with).
  void AttachRunData(ITaskRunData* runData);
  void SetScoreVariableTable(const ITaskLibrary* record);
  int32_t* const* GetRespTypeParts() { return Current().GetRespTypeParts(); }
  int32_t* const* GetRespTimeParts() { return Current().GetRespTimeParts(); }
  int32_t* const* GetRespCodeParts() { return Current().GetRespCodeParts(); }
  int32_t* const* GetProcTypeParts() { return Current().GetProcTypeParts(); }
  CProjectData& GetData() { return *this; }

  // ---- testees and testee codes
  int ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees,
                        std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                        std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                        std::vector<std::string>* preferenceTexts, std::vector<std::string>* users,
                        std::vector<QelDateTime>* dates, std::vector<bool>* flags) override;
  bool WriteTestee(const CTesteeInfo& record, const CUserRecord& user, bool* userAdded, bool modify, bool keepHistory);
  bool ReadTestee(const std::string& name, CTesteeInfo* record);
  bool WriteTesteeCode(const CTesteeCodeInfo& record, const CUserRecord& user, bool* userAdded, bool modify);
  bool ReadTesteeCode(const std::string& code, CTesteeCodeInfo* record);

  // ---- models and tasks
  bool WriteModel(const CExpModel* model, const CUserRecord& user, bool* userAdded);
  bool ReadModel(const std::string& name, CExpModel* model);
  bool ReadTask(CExpModelTask* slot, const std::string& model, const std::string& code);
  // Each task's per-part stored-assessment counts from the cache, then a
  // new assessment of its current part selected. True (also for no model).
  bool CheckModelAssessments(const std::string& testee, const std::string& modelName, CExpModel* model);

  // ---- responses and scores
  int ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                          std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                          std::vector<std::string>* users, std::vector<std::string>* testees,
                          std::vector<std::string>* models, std::vector<std::string>* tasks) override;
  bool ReadResponses(const std::string& testee, const std::string& model, CExpModelTask* task, uint32_t assessment,
                     int firstPart, int lastPart, std::vector<std::string>* users, bool readArrays);
  // The scores of the assessment rewritten from the bound run data, with the
  // testee's birth date, preference and sex from the cache.
  bool WriteVariables(const std::string& testee, const std::string& model, const std::string& code,
                      uint32_t assessment, const CUserRecord& user, bool* userAdded, int variableCount);
  // With a valid asOf (or a version): a kept version, CFR only (a plain
  // project keeps none: 0 and nothing read).
  int ReadVariables(const std::string& testee, const std::string& model, const std::string& code, uint32_t assessment,
                    const QelDateTime* asOf, std::vector<uint32_t>* attributes, std::vector<std::string>* names,
                    std::vector<std::string>* formats, std::vector<std::string>* labels, std::vector<double>* values,
                    QelDateTime* dateAss, QelDateTime* dateBirth, std::string* user, QelDateTime* date,
                    int32_t* preference, int32_t* sex, int64_t version = 0);
  int ReadVariablesAsOf(const std::string& testee, const std::string& model, const std::string& code,
                        uint32_t assessment, const QelDateTime* asOf, QelDateTime* dateBirth, int32_t* preference,
                        int32_t* sex, int64_t version = 0);
  int ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                          std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                          std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                          std::vector<std::string>* testees, std::vector<std::string>* models,
                          std::vector<std::string>* tasks, std::vector<int64_t>* versions = nullptr) override;
  // The bound run data's current part of the task and its variables, with
  // the testee's birth date, preference and sex from the cache.
  bool WriteResponses(const std::string& testee, const std::string& model, const CExpModelTask* task,
                      const CUserRecord& user, bool* userAdded, int variableCount, const QelDateTime& runDate,
                      bool* newVariablesRow);
  bool WriteProjectUser(const CUserRecord& record, const std::string& writer, bool modify);

  // ---- the run engine's view (as the logged-in user)
  bool ReadResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                     uint32_t assessment, int firstPart, int lastPart) override;
  bool WriteResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                      const CTaskRunData& runData, int variableCount, const QelDateTime& runDate, bool* userAdded,
                      bool* newVariablesRow) override;

  // ---- the variable set read last and the header of the open file
  uint32_t GetVariableAttr(int i) const { return Current().GetVariableAttr(i); }
  std::string GetVariableName(int i) const { return Current().GetVariableName(i); }
  std::string GetVariableFormat(int i) const { return Current().GetVariableFormat(i); }
  std::string GetVariableLabel(int i) const { return Current().GetVariableLabel(i); }
  double GetVariableValue(int i) const { return Current().GetVariableValue(i); }
  int GetVariableCount() const { return Current().GetVariableCount(); }
  const QelDateTime& GetAssessmentDate() const { return Current().GetAssessmentDate(); }
  const QelDateTime& GetSavedDate() const { return Current().GetSavedDate(); }
  const std::string& GetOwner() const { return Current().GetOwner(); }
  const std::string& GetOwnerComment() const { return Current().GetOwnerComment(); }
  const std::string& GetVersionText() const { return Current().GetVersionText(); }
  int32_t GetVersionNumber() const { return Current().GetVersionNumber(); }
  std::string GetCreationDate() const { return m_isCfr ? m_cfr.GetCreationDate() : std::string(); }
  std::string GetCreationTime() const { return m_isCfr ? m_cfr.GetCreationTime() : std::string(); }
  std::string GetCreationUser() const { return m_isCfr ? m_cfr.GetCreationUser() : std::string(); }
  std::string GetSavedByUser() const { return m_isCfr ? m_cfr.GetSavedByUser() : std::string(); }
  bool IsCfr() const { return m_isCfr; }

 private:
  CProjectDb& Current() { return m_isCfr ? static_cast<CProjectDb&>(m_cfr) : m_plain; }
  const CProjectDb& Current() const { return m_isCfr ? static_cast<const CProjectDb&>(m_cfr) : m_plain; }
  // Steps of Check: the run data bound, the flags cleared, the path given
  // to both databases, the file connected and classified (left connected).
  void Connect(const std::string& path, bool showMessages);

  CDbOdbcAccess m_connection;
  std::string m_path;
  int32_t m_openResult = kNotOpened;
  bool m_isCfr = false;
  bool m_opened = false;
  bool m_passwordRequired = false;
  ITaskRunData* m_runData = nullptr;
  CProjectDbPlain m_plain;
  CProjectDbCfr m_cfr;
};

}  // namespace qel

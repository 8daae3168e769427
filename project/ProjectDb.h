// The common base of the two project-file formats (the plain format and the
// CFR format): the project file's path and password on the project's one
// shared connection, the header texts of the open project, the binding to
// the run data whose responses and variables are written, the variable set
// read last, and the connect/disconnect discipline.
//
// Every data operation of a format connects by itself (read-only for
// reads), works and disconnects before it returns; no connection stays open
// between operations. Load is the exception: its caller has connected.
// Connection failures are reported to the operator with the project path
// (common/Prompt.h) and kept as the connect result: 2 the file is missing,
// 5 the password is wrong or missing, 6 no permission, 1 anything else.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "db/DbValue.h"
#include "include/qel/DateTime.h"
#include "include/qel/ModelTask.h"

namespace qel {

class CDbOdbcAccess;
class CExpModelTask;
class CProjectData;
class ITaskLibrary;
class ITaskRunData;
struct TaskVariableDef;

// The descriptor column of the score variables that PackVariableArray packs.
enum class VariableColumn : int { kAttributes = 0, kNames = 1, kFormats = 2, kLabels = 3 };

class CProjectDb {
 public:
  // The value of a variable that has none.
  static constexpr double kNoVariableValue = 9999.0;
  // Each packed descriptor column holds at least this many bytes per variable.
  static constexpr size_t kPackedBytesPerVariable = 20;
  // The connect result before and while connecting.
  static constexpr int kNotConnected = 1;

  explicit CProjectDb(CDbOdbcAccess* connection);
  virtual ~CProjectDb();
  CProjectDb(const CProjectDb&) = delete;
  CProjectDb& operator=(const CProjectDb&) = delete;

  // Clears the owning project's cache (when there is one), the header texts
  // and numbers, and the four dates.
  virtual void Close();
  // Connects to the path with the password (read-only when asked). False
  // without a connection or a path, or when the connection fails (reported
  // with the path when showMessages is set; the connect result keeps its code).
  virtual bool Open(bool readOnly, bool showMessages);
  // Closes the bound connection when it is open; true when one is bound.
  virtual bool Disconnect();
  // Reads the connected project into the cache; 0 when loaded. The base
  // format reads nothing.
  virtual int Load(CDbOdbcAccess* connection, bool showMessages, int option);
  // Close, the path replaced when one is given, connect read-only, Load;
  // true when Load gave 0. Disconnects after a connect.
  virtual bool Reload(const char* path, bool showMessages);
  // Reads the stored responses of parts firstPart..lastPart (1-based; 0 or
  // out of range: all 16) of one assessment into the run data (when
  // readArrays is set) and sets the task's per-part trial counts and dates.
  // users, when given, is emptied first and receives the user of each row
  // read where the format keeps one; fromHistory reads a format's history
  // rows. False on a failed connect or read.
  virtual bool ReadResponses(const std::string& testee, const std::string& model, CExpModelTask* task,
                             uint32_t assessment, int firstPart, int lastPart, std::vector<std::string>* users,
                             bool readArrays, bool fromHistory);
  // Reads one stored part into the run data from trial trialsSoFar on; the
  // number of responses taken, 0 when there is no such row, -1 on a failed
  // read. The caller holds the connection. The base format has no rows.
  virtual int ReadResponseRow(const std::string& testee, const std::string& model, const std::string& code,
                              uint32_t assessment, int part, uint32_t serial, int trialsSoFar,
                              std::vector<std::string>* users, bool readArrays, bool fromHistory);

  // The project whose cache Load fills and Close clears; null for none.
  void SetProject(CProjectData* project) { m_project = project; }
  CProjectData* GetProject() const { return m_project; }
  CDbOdbcAccess* GetConnection() const { return m_connection; }

  void SetPath(const std::string& path) { m_path = path; }
  const std::string& GetPath() const { return m_path; }
  // A null password is empty; the password goes to the bound connection too.
  void SetPassword(const char* password);
  const std::string& GetPassword() const { return m_password; }
  // The file title of the path (no folder, no extension); empty without a path.
  std::string GetName() const;

  const std::string& GetOwner() const { return m_owner; }
  const std::string& GetOwnerComment() const { return m_comment; }
  const std::string& GetVersionText() const { return m_versionText; }
  int32_t GetVersionNumber() const { return m_versionNumber; }
  int32_t GetMinorVersion() const { return m_minorVersion; }
  int GetConnectResult() const { return m_connectResult; }
  // The file's last-modification time at the last connect (now when it
  // could not be read).
  std::time_t GetFileTime() const { return m_fileTime; }

  // Binds the run data's four response arrays (16 parts each), its
  // score-variable count, variable values and attribute words; the
  // score-variable table is unbound. Null changes nothing.
  void AttachRunData(ITaskRunData* runData);
  // Binds the plug-in's score-variable table (what descriptors are packed
  // from). Null changes nothing.
  void SetVariableTable(const ITaskLibrary* record);
  int32_t* const* GetRespTypeParts() { return m_respTypeParts; }
  int32_t* const* GetRespTimeParts() { return m_respTimeParts; }
  int32_t* const* GetRespCodeParts() { return m_respCodeParts; }
  int32_t* const* GetProcTypeParts() { return m_procTypeParts; }

  // The variable set read last: neutral values (0, empty text, 9999.0)
  // outside it. Its size is that of its values.
  uint32_t GetVariableAttr(int i) const;
  std::string GetVariableName(int i) const;
  std::string GetVariableFormat(int i) const;
  std::string GetVariableLabel(int i) const;
  double GetVariableValue(int i) const;
  int GetVariableCount() const { return static_cast<int>(m_values.size()); }
  const QelDateTime& GetAssessmentDate() const { return m_assessmentDate; }
  const QelDateTime& GetSavedDate() const { return m_savedDate; }
  const QelDateTime& GetRowDate() const { return m_rowDate; }
  const QelDateTime& GetLatestResponseDate() const { return m_latestResponseDate; }

  // The key check of every row operation: a path, and testee, model and
  // task code all given.
  bool CheckKeys(const std::string& testee, const std::string& model, const std::string& code) const;

  // One descriptor column of the score variables as stored: count x 20
  // bytes, zero-filled, written from the start (and grown when longer):
  // per variable 4 little-endian bytes of its attribute word, or its name,
  // format or label with a closing zero byte; an empty text for a variable
  // without a table row. At most 1500 variables.
  void PackVariableArray(DbBytes& out, int count, VariableColumn column) const;

 protected:
  // Whether the run data is bound (the arrays that writes read and reads fill).
  bool HasRunData() const { return m_respTypeParts[0] != nullptr; }
  // Row i of the bound score-variable table; null past it.
  const TaskVariableDef* ScoreVariableRow(int i) const;
  // Header texts from the loaded file; the version numbers from the version text.
  void SetOwner(const std::string& owner) { m_owner = owner; }
  void SetOwnerComment(const std::string& comment) { m_comment = comment; }
  void SetVersionText(const std::string& versionText);
  void ClearVariableSet();
  // The four response arrays of a row from part `part` of the run data (n
  // values each, nothing for 0), and back into it from trial `at` on, the
  // values a column lacks read as 0. Rows of either format.
  template <class Row>
  void PackResponseColumns(Row& row, size_t part, int n) const;
  template <class Row>
  void UnpackResponseColumns(const Row& row, size_t part, int at, int n);
  // A score row's variable count and its five variable columns from the run data.
  template <class Row>
  void PackScoreColumns(Row& row, int variables) const;

  CProjectData* m_project = nullptr;
  CDbOdbcAccess* m_connection;
  std::string m_path;
  std::string m_password;
  std::string m_owner;
  std::string m_comment;
  std::string m_versionText;
  int32_t m_minorVersion = 0;
  int32_t m_versionNumber = 0;
  int m_connectResult = 0;
  std::time_t m_fileTime = 0;

  int32_t* m_respTypeParts[kMaxParts] = {};
  int32_t* m_respTimeParts[kMaxParts] = {};
  int32_t* m_respCodeParts[kMaxParts] = {};
  int32_t* m_procTypeParts[kMaxParts] = {};
  const int32_t* m_scoreVariableCount = nullptr;
  const TaskVariableDef* m_scoreVariables = nullptr;
  uint32_t m_scoreVariableRows = 0;  // rows of the bound table: never read past them
  const double* m_variableValues = nullptr;
  const uint32_t* m_attributeWords = nullptr;

  QelDateTime m_savedDate;
  QelDateTime m_assessmentDate;
  QelDateTime m_rowDate;
  QelDateTime m_latestResponseDate;
  std::vector<uint32_t> m_attributes;
  std::vector<std::string> m_names;
  std::vector<std::string> m_formats;
  std::vector<std::string> m_labels;
  std::vector<double> m_values;
};

}  // namespace qel

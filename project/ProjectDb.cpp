#include "project/ProjectDb.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/model/ExpModelTask.h"
#include "common/ByteOrder.h"
#include "db/DbException.h"
#include "db/DbOdbcAccess.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "project/ProjectData.h"
#include "project/ProjectDbSupport.h"

namespace qel {

CProjectDb::CProjectDb(CDbOdbcAccess* connection) : m_connection(connection) {}

CProjectDb::~CProjectDb() = default;

void CProjectDb::Close() {
  if (m_project) m_project->Clear();
  m_owner.clear();
  m_comment.clear();
  m_versionText.clear();
  m_versionNumber = 0;
  m_minorVersion = 0;
  m_savedDate = QelDateTime::Null();
  m_assessmentDate = QelDateTime::Null();
  m_rowDate = QelDateTime::Null();
  m_latestResponseDate = QelDateTime::Null();
}

bool CProjectDb::Open(bool readOnly, bool showMessages) {
  m_connectResult = kNotConnected;
  if (!m_connection || m_path.empty()) return false;
  m_fileTime = std::time(nullptr);
  struct stat st {};
  if (::stat(m_path.c_str(), &st) == 0) m_fileTime = st.st_mtime;
  m_connection->SetPassword(m_password);
  try {
    if (m_connection->Open(m_path, readOnly ? kDbOpenReadOnly : kDbOpenNone)) {
      m_connectResult = 0;
      return true;
    }
    // The connection reported why its tables could not be read.
    m_connection->Close();
  } catch (const DbException& e) {
    m_connectResult = ReportDBException(&e, m_path, std::string(), showMessages);
  }
  return false;
}

bool CProjectDb::Disconnect() {
  if (!m_connection) return false;
  if (m_connection->IsOpen()) {
    try {
      m_connection->Close();
    } catch (const DbException& e) {
      ReportDBException(&e, m_path, std::string(), true);
    }
  }
  return true;
}

int CProjectDb::Load(CDbOdbcAccess*, bool, int) { return 0; }

bool CProjectDb::Reload(const char* path, bool showMessages) {
  Close();
  if (path) m_path = path;
  if (!Open(true, showMessages)) return false;
  const int result = Load(m_connection, showMessages, 0);
  Disconnect();
  return result == 0;
}

bool CProjectDb::ReadResponses(const std::string& testee, const std::string& model, CExpModelTask* task,
                               uint32_t assessment, int firstPart, int lastPart, std::vector<std::string>* users,
                               bool readArrays, bool fromHistory) {
  if (users) users->clear();
  m_latestResponseDate = QelDateTime::Null();
  if (!task || !CheckKeys(testee, model, task->TaskIdStr)) return false;
  task->ClearPartCounts();
  if (lastPart > kMaxParts || lastPart < 1) lastPart = kMaxParts;
  if (firstPart < 1) firstPart = 1;
  if (!Open(true, true)) return false;
  bool ok = true;
  for (int part = firstPart; part <= lastPart; ++part) {
    const int n =
        ReadResponseRow(testee, model, task->TaskIdStr, assessment, part, 0, 0, users, readArrays, fromHistory);
    if (n < 0) {
      ok = false;
      break;
    }
    const size_t p = static_cast<size_t>(part - 1);
    if (n > 0 && m_rowDate.IsValid()) {
      if (!m_latestResponseDate.IsValid() || projectdb::Earlier(m_latestResponseDate, m_rowDate))
        m_latestResponseDate = m_rowDate;
      task->partDates[p] = m_rowDate;
    }
    task->trialCounts[p] += static_cast<uint32_t>(n);
    task->partWordsA[p] = 1;  // rows read
    task->partWordsB[p] = static_cast<uint32_t>(n);
  }
  Disconnect();
  return ok;
}

int CProjectDb::ReadResponseRow(const std::string&, const std::string&, const std::string&, uint32_t, int, uint32_t,
                                int, std::vector<std::string>*, bool, bool) {
  return 0;
}

void CProjectDb::SetPassword(const char* password) {
  m_password = password ? password : "";
  if (m_connection) m_connection->SetPassword(m_password);
}

std::string CProjectDb::GetName() const {
  const size_t slash = m_path.find_last_of('/');
  std::string name = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

void CProjectDb::AttachRunData(ITaskRunData* runData) {
  if (!runData) return;
  for (int p = 0; p < kMaxParts; ++p) {
    m_respTypeParts[p] = runData->category[p];
    m_respTimeParts[p] = runData->reactionTime[p];
    m_respCodeParts[p] = runData->responseCode[p];
    m_procTypeParts[p] = runData->taskCategory[p];
  }
  m_scoreVariableCount = &runData->scoreVariableCount;
  m_variableValues = runData->values;
  m_attributeWords = runData->attributes;
  m_scoreVariables = nullptr;
  m_scoreVariableRows = 0;
}

void CProjectDb::SetVariableTable(const ITaskLibrary* record) {
  if (!record) return;
  m_scoreVariables = record->scoreVariables;
  m_scoreVariableRows = record->scoreVariables ? record->scoreVariableCount : 0;
}

const TaskVariableDef* CProjectDb::ScoreVariableRow(int i) const {
  if (!m_scoreVariables || !m_scoreVariableCount || i < 0) return nullptr;
  if (i >= *m_scoreVariableCount || static_cast<uint32_t>(i) >= m_scoreVariableRows) return nullptr;
  return &m_scoreVariables[i];
}

uint32_t CProjectDb::GetVariableAttr(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_attributes.size() ? m_attributes[static_cast<size_t>(i)] : 0;
}

std::string CProjectDb::GetVariableName(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_names.size() ? m_names[static_cast<size_t>(i)] : std::string();
}

std::string CProjectDb::GetVariableFormat(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_formats.size() ? m_formats[static_cast<size_t>(i)] : std::string();
}

std::string CProjectDb::GetVariableLabel(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_labels.size() ? m_labels[static_cast<size_t>(i)] : std::string();
}

double CProjectDb::GetVariableValue(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_values.size() ? m_values[static_cast<size_t>(i)] : kNoVariableValue;
}

bool CProjectDb::CheckKeys(const std::string& testee, const std::string& model, const std::string& code) const {
  return !m_path.empty() && !testee.empty() && !model.empty() && !code.empty();
}

void CProjectDb::PackVariableArray(DbBytes& out, int count, VariableColumn column) const {
  out.assign(count > 0 ? static_cast<size_t>(count) * kPackedBytesPerVariable : 0, uint8_t{0});
  size_t at = 0;
  const auto put = [&](const void* bytes, size_t n) {
    if (at + n > out.size()) out.resize(at + n);
    std::memcpy(out.data() + at, bytes, n);
    at += n;
  };
  const auto putText = [&](const char* text) {
    const char* t = text ? text : "";
    put(t, std::strlen(t) + 1);
  };
  const int n = std::min(count, kMaxVariables);
  for (int i = 0; i < n; ++i) {
    const TaskVariableDef* row = ScoreVariableRow(i);
    if (!row) {
      putText("");
      continue;
    }
    switch (column) {
      case VariableColumn::kAttributes: {
        uint8_t word[4];
        WriteLE32(word, row->flags);
        put(word, sizeof word);
        break;
      }
      case VariableColumn::kNames:
        putText(row->code);
        break;
      case VariableColumn::kFormats:
        putText(row->format);
        break;
      case VariableColumn::kLabels:
        putText(row->description);
        break;
    }
  }
}

void CProjectDb::SetVersionText(const std::string& versionText) {
  m_versionText = versionText;
  m_versionNumber = static_cast<int32_t>(std::atoi(versionText.c_str()));
  const size_t point = versionText.find('.');
  m_minorVersion = point == std::string::npos ? 0 : static_cast<int32_t>(std::atoi(versionText.c_str() + point + 1));
}

void CProjectDb::ClearVariableSet() {
  m_attributes.clear();
  m_names.clear();
  m_formats.clear();
  m_labels.clear();
  m_values.clear();
}

}  // namespace qel

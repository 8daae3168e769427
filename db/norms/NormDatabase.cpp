#include "db/norms/NormDatabase.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "common/Prompt.h"
#include "db/DbException.h"
#include "db/PackedArrays.h"
#include "engine/library/TaskLibraries.h"

namespace qel {

namespace {

constexpr int kDataTypeFile = 1;
constexpr int kFileTypeFile = 1;
constexpr char kCaption[] = "Qel";

// The row's values: "Num" doubles, bounded by the largest column.
std::vector<double> RowValues(const CQelRsZfunctions& rs) {
  std::vector<double> values;
  DoublesFromByteArray(rs.m_values, values, std::clamp(rs.m_num, 0, kMaxNormValues));
  return values;
}

// Age point i, or 0.0 for an index outside the points.
double AgePoint(const std::vector<double>& points, int i) {
  return i >= 0 && static_cast<size_t>(i) < points.size() ? points[static_cast<size_t>(i)] : 0.0;
}

bool IsAgePointRow(const CQelRsZfunctions& rs) { return rs.m_function.empty() && rs.m_funIndex == 0; }

}  // namespace

void CNormsProvider::SetPath(const char* path, const char* password) {
  m_path = path ? path : "";
  m_password = password ? password : "";
}

CNormDatabase::CNormDatabase() : m_zfunctions(&m_connection), m_dataFiles(&m_connection) {}

CNormDatabase::~CNormDatabase() { Close(); }

void CNormDatabase::SetPath(const char* path, const char* password) {
  CNormsProvider::SetPath(path, password);
  if (m_path.empty()) return;
  m_connection.Close();
  m_connection.SetPassword(m_password);
}

bool CNormDatabase::Open(bool readOnly) {
  if (m_path.empty()) return false;
  m_connection.Close();
  m_connection.SetPassword(m_password);
  try {
    if (m_connection.Open(m_path, readOnly ? kDbOpenReadOnly : kDbOpenNone)) return true;
    m_connection.Close();  // it reported why its tables could not be read
  } catch (const DbException& e) {
    ReportDBException(&e, m_path, std::string(), true);
  }
  return false;
}

bool CNormDatabase::Close() {
  m_zfunctions.Close();
  m_dataFiles.Close();
  if (m_connection.IsOpen()) m_connection.Close();
  return true;
}

int CNormDatabase::GetZFunction(const char* task, const char* name, int kind, double* ageLows, double* ageHighs,
                                double* coefficients, int maxBands) {
  if (!task || !*task || !name || !*name || kind < 0) return -1;
  if (!m_connection.IsOpen()) return -1;
  CQelRsZfunctions& rs = m_zfunctions;
  rs.m_filter.Clear();
  rs.m_filter.Equal("Task", DbValue(task))
      .Where("FunIndex", DbFilter::Compare::kGreaterEqual, DbValue(0))
      .Where("AgeMinIndex", DbFilter::Compare::kGreaterEqual, DbValue(0))
      .Where("AgeMaxIndex", DbFilter::Compare::kGreaterEqual, DbValue(0));
  rs.m_sort = {"Task", "Function", "FunIndex", "AgeMinIndex", "AgeMaxIndex"};
  if (!rs.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kReadOnly)) return -1;
  const bool room = ageLows && ageHighs && coefficients;
  int bands = 0;
  try {
    std::vector<double> points;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (IsAgePointRow(rs)) {
        points = RowValues(rs);
      } else if (rs.m_function == name && rs.m_funIndex == kind) {
        if (room && bands < maxBands) {
          const std::vector<double> values = RowValues(rs);
          ageLows[bands] = AgePoint(points, rs.m_ageMinIndex);
          ageHighs[bands] = AgePoint(points, rs.m_ageMaxIndex);
          for (int j = 0; j < kCoefficientsPerBand; ++j) {
            coefficients[kCoefficientsPerBand * bands + j] = static_cast<size_t>(j) < values.size() ? values[j] : 0.0;
          }
        }
        ++bands;
      }
    }
  } catch (const DbException& e) {
    rs.ReportException(&e, true);
    rs.Close();
    return -1;
  }
  rs.Close();
  return bands;
}

int CNormDatabase::ReadDataFile(const std::string& task, int language, std::string* name, QelDateTime* time,
                                DbBytes* data) {
  if (name) name->clear();
  if (time) *time = QelDateTime::Null();
  if (data) data->clear();
  if (!m_connection.IsOpen()) return -1;
  CQelRsDataFile& rs = m_dataFiles;
  rs.m_filter.Clear();
  rs.m_filter.Equal("Task", DbValue(task))
      .Equal("Language", DbValue(language))
      .Equal("DataType", DbValue(kDataTypeFile))
      .Equal("FileType", DbValue(kFileTypeFile));
  rs.m_sort.clear();
  if (!rs.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kReadOnly)) return -1;
  int size = -1;
  if (!rs.IsEOF() && rs.m_fileData.size() <= kMaxNormDataFileBytes) {
    if (name) *name = rs.m_fileName;
    if (time) *time = rs.m_fileTime;
    if (data) *data = rs.m_fileData;
    size = static_cast<int>(rs.m_fileData.size());
  }
  rs.Close();
  return size;
}

int CNormDatabase::LoadAllZFunctions() {
  ResetTaskNorms();
  if (!m_connection.IsOpen()) return -1;
  CQelRsZfunctions& rs = m_zfunctions;
  rs.m_filter.Clear();
  rs.m_sort = {"Task", "Function", "FunIndex"};
  if (!rs.Open(DbRecordset::kForwardOnly, std::string(), DbRecordset::kReadOnly)) return -1;
  int count = 0;
  try {
    std::string task;
    std::vector<double> points;
    bool havePoints = false;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (rs.m_task.empty()) continue;
      if (rs.m_task != task) {
        task = rs.m_task;
        points.clear();
        havePoints = false;
      }
      if (IsAgePointRow(rs)) {
        points = RowValues(rs);
        havePoints = true;
        continue;
      }
      if (rs.m_function.empty() || rs.m_funIndex < 0 || !havePoints) continue;
      CTaskLibrary* library = FindTaskLibrary(task.c_str());
      if (!library) continue;
      const std::vector<double> values = RowValues(rs);
      const int before = library->GetNormFunctionCount();
      library->AddNormFunction(task.c_str(), rs.m_function.c_str(), rs.m_funIndex, AgePoint(points, rs.m_ageMinIndex),
                               AgePoint(points, rs.m_ageMaxIndex), values.data(), static_cast<int>(values.size()));
      count += library->GetNormFunctionCount() - before;
    }
  } catch (const DbException& e) {
    rs.ReportException(&e, true);
    rs.Close();
    return -1;
  }
  rs.Close();
  return count;
}

CNormDatabase& GetNormDatabase() {
  static CNormDatabase database;
  return database;
}

std::string GetNormsFilePath(const std::string& programFolder) { return programFolder + kNormsFileName; }

int LoadNormsAndTaskLibraries(CNormDatabase& norms, const std::string& normsPath,
                              const std::function<void()>& loadTaskLibraries) {
  bool opened = false;
  struct stat st {};
  if (normsPath.empty() || ::stat(normsPath.c_str(), &st) != 0) {
    ShowPrompt("Missing Norm file :" + normsPath + "!", kCaption, kPromptOk | kPromptIconWarning);
  } else {
    norms.SetPath(normsPath.c_str(), "");
    opened = norms.Open(true);
  }
  if (loadTaskLibraries) loadTaskLibraries();
  if (!opened) return -1;
  const int count = norms.LoadAllZFunctions();
  norms.Close();
  return count;
}

}  // namespace qel

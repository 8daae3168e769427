#include "db/export/RsOdbcExport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "db/DbFieldExchange.h"
#include "db/export/ExportConnections.h"

namespace qel {

namespace {

constexpr int kNameSize = 63;
constexpr int kSexSize = 6;
constexpr int kPrefSize = 1;
constexpr int kTimeSize = 8;
constexpr int kAgeSize = 10;
constexpr int kTaskSize = 15;
constexpr int kAssNoSize = 15;
constexpr int kPartNoSize = 15;
constexpr int kTextVariableSize = 240;
constexpr int kNumberVariableSize = 10;
constexpr int kDateSize = 8;

// A value that keeps the row structure of a text table.
std::string OneField(std::string text) {
  for (char& c : text) {
    if (c == '|' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

CRsOdbcExport::CRsOdbcExport(CDbOdbc* database, const std::string& tableName) : CRsOdbc(database, tableName) {}

CRsOdbcExport::~CRsOdbcExport() = default;

bool CRsOdbcExport::AddTextColumn(const std::string& name, int size) {
  if (name.empty()) return false;
  AppendColumn(name, kSqlVarChar, size);
  return true;
}

bool CRsOdbcExport::AddIntColumn(const std::string& name, int size) {
  if (name.empty()) return false;
  AppendColumn(name, kSqlInteger, size);
  return true;
}

bool CRsOdbcExport::AddDoubleColumn(const std::string& name, int size) {
  if (name.empty()) return false;
  AppendColumn(name, kSqlDouble, size);
  return true;
}

bool CRsOdbcExport::AddDateColumn(const std::string& name) {
  if (name.empty()) return false;
  AppendColumn(name, kSqlDate, kDateSize);
  return true;
}

bool CRsOdbcExport::DefineScoreColumns(const std::vector<std::string>& variableNames, int variableType,
                                       bool testerColumns, bool partColumn) {
  if (testerColumns) {
    for (const char* name : {"TesterId", "TFname", "TSname"}) AddTextColumn(name, kNameSize);
  }
  for (const char* name : {"TesteeId", "Code", "Fname", "Sname"}) AddTextColumn(name, kNameSize);
  AddTextColumn("Sex", kSexSize);
  AddTextColumn("Pref", kPrefSize);
  AddDateColumn("Bdate");
  AddDateColumn("Tdate");
  AddTextColumn("Ttime", kTimeSize);
  AddDoubleColumn("Age", kAgeSize);
  AddTextColumn("ModelId", kNameSize);
  AddTextColumn("TaskId", kTaskSize);
  AddDoubleColumn("AssNo", kAssNoSize);
  if (partColumn) AddIntColumn("PartNo", kPartNoSize);
  for (const std::string& name : variableNames) {
    bool added = true;
    if (variableType == kSqlChar || variableType == kSqlVarChar) {
      added = AddTextColumn(name, kTextVariableSize);
    } else if (variableType >= kSqlNumeric && variableType <= kSqlSmallInt) {
      added = AddIntColumn(name, kNumberVariableSize);
    } else if (variableType >= kSqlFloat && variableType <= kSqlDouble) {
      added = AddDoubleColumn(name, kNumberVariableSize);
    } else if (variableType == kSqlDate || variableType == kSqlTimestamp) {
      added = AddDateColumn(name);
    } else {
      break;  // no columns for the variables
    }
    if (!added) return false;
  }
  return true;
}

void CRsOdbcExport::ClearValues() {
  for (Column& column : m_columns) {
    column.value.clear();
    column.flags = 0;
    column.date.reset();
  }
}

bool CRsOdbcExport::Store(int index, const std::string& text) {
  Column& column = m_columns[static_cast<size_t>(index)];
  column.value = text;
  column.flags |= kValueSet;
  column.date.reset();
  return true;
}

bool CRsOdbcExport::SetTextValue(const std::string& name, const std::string& text) {
  const int i = FindColumn(name);
  if (i < 0) return false;
  const Column& column = m_columns[static_cast<size_t>(i)];
  if (column.type != kSqlVarChar || static_cast<size_t>(column.size) < Utf8Length(text)) return false;
  return Store(i, text);
}

bool CRsOdbcExport::SetIntValue(const std::string& name, int32_t value) {
  const int i = FindColumn(name);
  if (i < 0) return false;
  const std::string text = std::to_string(value);
  const Column& column = m_columns[static_cast<size_t>(i)];
  if (column.type != kSqlInteger || static_cast<size_t>(column.size) < text.size()) return false;
  return Store(i, text);
}

bool CRsOdbcExport::SetValue(const std::string& name, const std::string& text) {
  const int i = FindColumn(name);
  if (i < 0) return false;
  if (static_cast<size_t>(m_columns[static_cast<size_t>(i)].size) < Utf8Length(text)) return false;
  return Store(i, text);
}

bool CRsOdbcExport::SetDateValue(const std::string& name, const QelDateTime& date) {
  const int i = FindColumn(name);
  if (i < 0) return false;
  Column& column = m_columns[static_cast<size_t>(i)];
  if (!IsSqlDateType(column.type) || column.size < kDateSize) return false;
  Store(i, SqlDateLiteral(date, true));
  column.date = date.IsValid() ? date : QelDateTime::Null();
  return true;
}

bool CRsOdbcExport::SetTtimeValue(const QelDateTime& date) { return SetTextValue("Ttime", FormatTime(date)); }

bool CRsOdbcExport::SetAssNoValue(uint32_t number) { return SetValue("AssNo", std::to_string(number)); }

void CRsOdbcExport::AddDateValueColumn(const std::string& name, const QelDateTime& date) {
  if (name.empty()) return;
  AppendColumn(name, kSqlDate, kDateSize);
  Column& column = m_columns.back();
  column.value = SqlDateLiteral(date, true);
  column.flags = kValueSet;
  column.date = date.IsValid() ? date : QelDateTime::Null();
}

bool CRsOdbcExportDbase::Open(int openType, const std::string& sql, unsigned options) {
  if (!DbRecordset::Open(openType, sql, options)) return false;
  if (m_path.empty()) return true;
  ClearColumns();
  for (int i = 0; i < GetODBCFieldCount(); ++i) {
    DbFieldInfo info;
    GetODBCFieldInfo(i, &info);
    AppendColumn(info.name, info.sqlType, info.precision);
  }
  return true;
}

bool CRsOdbcExportDbase::DropTable(const std::string& table) {
  if (!m_database) return false;
  const std::string name = TargetTable(table);
  const std::string file = m_database->GetDirectory() + name + ".dbf";
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return false;
  return CRsOdbc::DropTable(name);
}

bool CRsOdbcExportExcel::Open(int openType, const std::string& sql, unsigned options) {
  if (!DbRecordset::Open(openType, sql, options)) return false;
  ClearColumns();
  for (int i = 0; i < GetODBCFieldCount(); ++i) {
    DbFieldInfo info;
    GetODBCFieldInfo(i, &info);
    AppendColumn(info.name, info.sqlType, info.precision);
  }
  return true;
}

std::string CRsOdbcExportExcel::GetDefaultConnect() { return BuildExcelConnectString(m_path).text; }

bool CRsOdbcExportText::Open(int openType, const std::string& sql, unsigned options) {
  if (!DbRecordset::Open(openType, sql, options)) return false;
  ClearColumns();
  return true;
}

std::string CRsOdbcExportText::FileToWrite() const {
  if (const auto* text = dynamic_cast<const CDbOdbcText*>(m_database)) return text->GetWritePath();
  return m_path;
}

bool CRsOdbcExportText::WriteAt(const std::string& line, bool atEnd) const {
  const std::string path = FileToWrite();
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (atEnd ? O_APPEND : 0));
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < line.size()) {
    const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  return ::close(fd) == 0 && ok;
}

namespace {

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

CRsOdbcExportText::~CRsOdbcExportText() { CloseRows(); }

void CRsOdbcExportText::Close() {
  CloseRows();
  CRsOdbcExport::Close();
}

void CRsOdbcExportText::CloseRows() {
  if (m_rowFd >= 0) ::close(m_rowFd);
  m_rowFd = -1;
  m_rowPath.clear();
}

bool CRsOdbcExportText::WriteRow(const std::string& line) {
  const std::string path = FileToWrite();
  if (path.empty()) return false;
  if (m_rowFd < 0 || path != m_rowPath) {
    CloseRows();
    m_rowFd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_APPEND);
    if (m_rowFd < 0) return false;
    m_rowPath = path;
  }
  return WriteAll(m_rowFd, line);
}

bool CRsOdbcExportText::DropTable(const std::string& table) {
  if (!m_database) return false;
  const std::string name = TargetTable(table);
  if (name.empty()) return false;
  const std::string file = m_database->GetDirectory() + name + ".txt";
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return false;
  return ::unlink(file.c_str()) == 0;
}

bool CRsOdbcExportText::CreateTable(bool noHeader, bool append, const std::string&) {
  CloseRows();
  std::string header;
  bool any = false;
  for (const Column& column : m_columns) {
    if (column.name.empty()) continue;
    if (any) header += "|";
    header += OneField(column.name);
    any = true;
  }
  if (!any) return false;
  header += "\r\n";
  return WriteAt(noHeader ? std::string() : header, append);
}

bool CRsOdbcExportText::InsertRow(const std::string&) {
  std::string line;
  bool any = false;
  for (const Column& column : m_columns) {
    if (column.name.empty()) continue;
    const bool known = IsSqlTextType(column.type) || IsSqlNumberType(column.type) || IsSqlDateType(column.type);
    if (!known) continue;
    std::string field;
    if (column.flags & kValueSet) {
      field = OneField(column.value);
      if (IsSqlNumberType(column.type)) UseLocaleDecimalSeparator(field);
    }
    if (any) line += "|";
    line += field;
    any = true;
  }
  if (!any) return false;
  return WriteRow(line + "\r\n");
}

bool CRsOdbcExportText::SetDateValue(const std::string& name, const QelDateTime& date) {
  const int i = FindColumn(name);
  if (i < 0) return false;
  const Column& column = m_columns[static_cast<size_t>(i)];
  if (column.type != kSqlDate || column.size != kDateSize) return false;
  return Store(i, FormatDate(date, true));
}

void CRsOdbcExportText::AddDateValueColumn(const std::string& name, const QelDateTime& date) {
  if (name.empty()) return;
  AppendColumn(name, kSqlDate, kDateSize);
  m_columns.back().value = FormatDate(date, true);
  m_columns.back().flags = kValueSet;
}

}  // namespace qel

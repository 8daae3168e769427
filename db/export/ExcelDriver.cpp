#include "db/export/ExcelDriver.h"

#include <sys/stat.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "db/DbException.h"
#include "db/DbFieldExchange.h"
#include "db/DbOdbc.h"
#include "db/FilePublish.h"
#include "db/MemoryCursor.h"
#include "db/export/XlsxReader.h"

namespace qel {

namespace {

constexpr int kReadTextSize = 255;
constexpr int kReadNumberSize = 15;
constexpr int kReadDateSize = 19;
constexpr char kDateFormat[] = "yyyy-mm-dd";
constexpr char kDateTimeFormat[] = "yyyy-mm-dd hh:mm:ss";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// "Name$" and "[Name$]" name the sheet Name.
std::string SheetOf(std::string table) {
  if (table.size() >= 2 && table.front() == '[' && table.back() == ']') table = table.substr(1, table.size() - 2);
  if (!table.empty() && table.back() == '$') table.pop_back();
  return table;
}

DbException NoSuch(const char* what, const std::string& name) {
  return DbException(DbErrorKind::kMissingItem, "State:42S02,Native:0,Origin:[Excel]",
                     std::string("No such ") + what + ": " + name);
}

DbException WriteError(const std::string& path, lxw_error error) {
  return DbException(
      DbErrorKind::kOther, "State:HY000,Native:" + std::to_string(static_cast<int>(error)) + ",Origin:[Excel]",
      std::string("Cannot write the workbook: ") + lxw_strerror(error) + ": " + path, static_cast<int>(error));
}

// The type of a column read from a sheet, from the values of its first rows.
int InferredType(const std::vector<std::vector<DbValue>>& rows, size_t column) {
  bool numbers = true, dates = true, any = false;
  for (size_t r = 0; r < rows.size() && r < kExcelScanRows; ++r) {
    if (column >= rows[r].size() || rows[r][column].IsNull()) continue;
    const DbValue& v = rows[r][column];
    any = true;
    numbers = numbers && (v.IsInteger() || v.IsReal());
    dates = dates && v.IsDate();
  }
  if (any && numbers) return kSqlDouble;
  if (any && dates) return kSqlTimestamp;
  return kSqlVarChar;
}

int SizeOfType(int type) {
  if (type == kSqlDouble) return kReadNumberSize;
  if (type == kSqlTimestamp) return kReadDateSize;
  return kReadTextSize;
}

}  // namespace

bool IsValidSheetName(const std::string& name) {
  if (name.empty() || Utf8Length(name) > kExcelSheetNameLength) return false;
  if (name.front() == '\'' || name.back() == '\'') return false;
  return name.find_first_of("[]:*?/\\") == std::string::npos;
}

ExcelDriver::ExcelDriver(const std::string& path, bool readOnly) : m_path(path), m_readOnly(readOnly) {
  if (path.empty()) throw DbException::FromSystem(ENOENT, "Cannot open", path);
  const std::string folder = GetDirectoryOfPath(path).empty() ? "." : GetDirectoryOfPath(path);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) throw DbException::FromSystem(errno, "Cannot open", path);
  if (::stat(path.c_str(), &st) != 0) return;  // a new workbook
  for (XlsxSheet& read : ReadXlsxWorkbook(path)) {
    Sheet sheet;
    sheet.name = read.name;
    if (!read.rows.empty()) {
      const std::vector<DbValue> header = read.rows.front();
      sheet.header = header;
      sheet.rows.assign(read.rows.begin() + 1, read.rows.end());
      size_t width = header.size();
      for (const auto& row : sheet.rows) width = std::max(width, row.size());
      for (size_t c = 0; c < width; ++c) {
        std::string name = c < header.size() && header[c].IsText() ? header[c].Text() : std::string();
        if (name.empty()) name = "F" + std::to_string(c + 1);
        const int type = InferredType(sheet.rows, c);
        sheet.columns.push_back(DbColumnDef{name, type, SizeOfType(type)});
      }
      for (auto& row : sheet.rows) row.resize(width);
    }
    m_sheets.push_back(std::move(sheet));
  }
}

ExcelDriver::~ExcelDriver() = default;

ExcelDriver::Sheet* ExcelDriver::Find(const std::string& table) {
  const std::string wanted = Upper(SheetOf(table));
  for (Sheet& sheet : m_sheets) {
    if (Upper(sheet.name) == wanted) return &sheet;
  }
  return nullptr;
}

int ExcelDriver::ColumnIndex(const Sheet& sheet, const std::string& column) const {
  for (size_t i = 0; i < sheet.columns.size(); ++i) {
    if (Upper(sheet.columns[i].name) == Upper(column)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<DbCatalogTable> ExcelDriver::Tables() {
  std::vector<DbCatalogTable> tables;
  for (const Sheet& sheet : m_sheets) tables.push_back(DbCatalogTable{m_path, "", sheet.name, "TABLE", ""});
  return tables;
}

std::vector<DbCatalogColumn> ExcelDriver::Columns(const std::string& table) {
  std::vector<DbCatalogColumn> columns;
  if (const Sheet* sheet = Find(table)) {
    for (const DbColumnDef& c : sheet->columns) {
      DbCatalogColumn column;
      column.qualifier = m_path;
      column.table = sheet->name;
      column.name = c.name;
      column.dataType = c.sqlType;
      column.precision = c.size;
      column.length = c.size;
      columns.push_back(column);
    }
  }
  return columns;
}

std::unique_ptr<DbCursor> ExcelDriver::OpenCursor(const DbQuery& query) {
  const Sheet* sheet = Find(query.table);
  if (!sheet) throw NoSuch("table", query.table);
  std::vector<size_t> chosen;
  if (query.columns.empty()) {
    for (size_t i = 0; i < sheet->columns.size(); ++i) chosen.push_back(i);
  } else {
    for (const std::string& name : query.columns) {
      const int i = ColumnIndex(*sheet, name);
      if (i < 0) throw NoSuch("column", query.table + "." + name);
      chosen.push_back(static_cast<size_t>(i));
    }
  }
  std::vector<DbFieldInfo> fields;
  for (size_t i : chosen) {
    DbFieldInfo info;
    info.name = sheet->columns[i].name;
    info.sqlType = sheet->columns[i].sqlType;
    info.precision = sheet->columns[i].size;
    fields.push_back(info);
  }
  std::vector<std::vector<DbValue>> rows;
  for (const auto& row : sheet->rows) {
    const bool match = FilterMatches(query.filter, [&](const std::string& column) {
      const int i = ColumnIndex(*sheet, column);
      return i < 0 ? DbValue() : row[static_cast<size_t>(i)];
    });
    if (!match) continue;
    std::vector<DbValue> out;
    for (size_t i : chosen) out.push_back(row[i]);
    rows.push_back(std::move(out));
  }
  return std::make_unique<MemoryCursor>(std::move(fields), std::move(rows));
}

void ExcelDriver::Execute(const DbStatement& statement) {
  if (m_readOnly) throw DbException::FromSystem(EROFS, "The workbook is open for reading only", m_path);
  switch (statement.kind) {
    case DbStatement::Kind::kDropTable: {
      Sheet* sheet = Find(statement.table);
      if (!sheet) throw NoSuch("table", statement.table);
      m_sheets.erase(m_sheets.begin() + (sheet - m_sheets.data()));
      break;
    }
    case DbStatement::Kind::kCreateTable: {
      const std::string name = SheetOf(statement.table);
      if (!IsValidSheetName(name)) {
        throw DbException(DbErrorKind::kOther, "State:42000,Native:0,Origin:[Excel]", "Not a sheet name: " + name);
      }
      if (Find(name)) {
        throw DbException(DbErrorKind::kOther, "State:42S01,Native:0,Origin:[Excel]", "The table exists: " + name);
      }
      Sheet sheet;
      sheet.name = name;
      for (const DbColumnDef& c : statement.columns) {
        if (IsSqlTextType(c.sqlType) || IsSqlNumberType(c.sqlType) || IsSqlDateType(c.sqlType)) {
          sheet.columns.push_back(c);
        }
      }
      if (sheet.columns.empty()) throw DbException::Logic("A table needs a column: " + name);
      for (const DbColumnDef& c : sheet.columns) sheet.header.push_back(DbValue(c.name));
      m_sheets.push_back(std::move(sheet));
      break;
    }
    case DbStatement::Kind::kInsert: {
      Sheet* sheet = Find(statement.table);
      if (!sheet) throw NoSuch("table", statement.table);
      std::vector<DbValue> row(sheet->columns.size());
      for (size_t i = 0; i < statement.columns.size(); ++i) {
        const int column = ColumnIndex(*sheet, statement.columns[i].name);
        if (column < 0) throw NoSuch("column", statement.table + "." + statement.columns[i].name);
        row[static_cast<size_t>(column)] = statement.values[i];
      }
      sheet->rows.push_back(std::move(row));
      break;
    }
    case DbStatement::Kind::kUpdate: {
      if (statement.where.IsEmpty()) throw DbException::Logic("An update needs a condition: " + statement.table);
      Sheet* sheet = Find(statement.table);
      if (!sheet) throw NoSuch("table", statement.table);
      std::vector<size_t> columns;
      for (const DbColumnDef& c : statement.columns) {
        const int column = ColumnIndex(*sheet, c.name);
        if (column < 0) throw NoSuch("column", statement.table + "." + c.name);
        columns.push_back(static_cast<size_t>(column));
      }
      for (auto& row : sheet->rows) {
        const bool match = FilterMatches(statement.where, [&](const std::string& column) {
          const int i = ColumnIndex(*sheet, column);
          return i < 0 ? DbValue() : row[static_cast<size_t>(i)];
        });
        if (!match) continue;
        for (size_t i = 0; i < columns.size(); ++i) row[columns[i]] = statement.values[i];
      }
      break;
    }
  }
  m_modified = true;
}

void ExcelDriver::Write(const std::string& path) const {
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (!workbook) throw DbException::FromSystem(errno ? errno : EIO, "Cannot write", m_path);
  lxw_format* dateFormat = workbook_add_format(workbook);
  format_set_num_format(dateFormat, kDateFormat);
  lxw_format* dateTimeFormat = workbook_add_format(workbook);
  format_set_num_format(dateTimeFormat, kDateTimeFormat);
  lxw_error error = LXW_NO_ERROR;
  for (const Sheet& sheet : m_sheets) {
    lxw_worksheet* ws = workbook_add_worksheet(workbook, sheet.name.c_str());
    if (!ws) {
      error = LXW_ERROR_SHEETNAME_ALREADY_USED;
      break;
    }
    for (size_t r = 0; r <= sheet.rows.size() && !error; ++r) {
      const lxw_row_t row = static_cast<lxw_row_t>(r);
      const std::vector<DbValue>& cells = r == 0 ? sheet.header : sheet.rows[r - 1];
      for (size_t c = 0; c < cells.size() && !error; ++c) {
        const DbValue& v = cells[c];
        const lxw_col_t col = static_cast<lxw_col_t>(c);
        if (v.IsText()) {
          error = worksheet_write_string(ws, row, col, v.Text().c_str(), nullptr);
        } else if (v.IsInteger() || v.IsReal()) {
          error = worksheet_write_number(ws, row, col, v.AsDouble(), nullptr);
        } else if (v.IsDate()) {
          int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0;
          if (!v.Date().Split(&y, &m, &d, &h, &mi, &s)) continue;
          lxw_datetime when = {y, m, d, h, mi, static_cast<double>(s)};
          error = worksheet_write_datetime(ws, row, col, &when, (h || mi || s) ? dateTimeFormat : dateFormat);
        }
      }
    }
    if (error) break;
  }
  const lxw_error closed = workbook_close(workbook);
  if (error) throw WriteError(m_path, error);
  if (closed) throw WriteError(m_path, closed);
}

void ExcelDriver::Close() {
  if (!m_modified) return;
  m_modified = false;
  NewFileBeside file;
  file.Create(m_path, false);
  Write(file.WritePath());
  file.Publish(true);
}

std::unique_ptr<DbDriver> OpenExcelDriver(const DbConnectString& connect, bool readOnly) {
  return std::make_unique<ExcelDriver>(connect.path, readOnly);
}

}  // namespace qel

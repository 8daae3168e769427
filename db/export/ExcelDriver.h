// The Excel target: one .xlsx workbook whose sheets are its tables. The
// workbook is read when the connection opens (its sheets' cells, so that
// other sheets are kept) and written with libxlsxwriter, as a new file put
// in place of the old one, when the connection closes after a change. Cell
// formatting of sheets that were read is not kept.
//
// Thread contract: one thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/DbDriver.h"

namespace qel {

// The longest sheet name.
inline constexpr size_t kExcelSheetNameLength = 31;
// Rows whose values decide the type of a column read from a sheet.
inline constexpr size_t kExcelScanRows = 8;

// Whether Excel takes the name for a sheet.
bool IsValidSheetName(const std::string& name);

class ExcelDriver : public DbDriver {
 public:
  // The folder must exist; an existing workbook must be readable. A
  // read-only connection refuses every change.
  ExcelDriver(const std::string& path, bool readOnly);
  ~ExcelDriver() override;

  std::vector<DbCatalogTable> Tables() override;
  std::vector<DbCatalogColumn> Columns(const std::string& table) override;
  // The table may be named as a sheet reference ("Name$").
  std::unique_ptr<DbCursor> OpenCursor(const DbQuery& query) override;
  void Execute(const DbStatement& statement) override;
  void Close() override;

 private:
  struct Sheet {
    std::string name;
    std::vector<DbValue> header;  // the first row as it stands (the names of a created sheet)
    std::vector<DbColumnDef> columns;
    std::vector<std::vector<DbValue>> rows;
  };

  Sheet* Find(const std::string& table);
  int ColumnIndex(const Sheet& sheet, const std::string& column) const;
  void Write(const std::string& path) const;

  std::string m_path;
  std::vector<Sheet> m_sheets;
  bool m_readOnly = false;
  bool m_modified = false;
};

std::unique_ptr<DbDriver> OpenExcelDriver(const DbConnectString& connect, bool readOnly);

}  // namespace qel

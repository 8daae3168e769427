// The export record sets: score and response columns defined in code, one
// row of values at a time, written to a dBase folder, an Excel workbook or
// a text file of "|"-separated lines.
//
// Thread contract: user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "db/RsOdbc.h"

namespace qel {

class CRsOdbcExport : public CRsOdbc {
 public:
  CRsOdbcExport(CDbOdbc* database, const std::string& tableName = std::string());
  ~CRsOdbcExport() override;

  // Append a column of type VARCHAR (12), INTEGER (4), DOUBLE (8) or DATE
  // (9, size 8) with an empty value; false, and nothing appended, for an
  // empty name. Names may repeat.
  bool AddTextColumn(const std::string& name, int size);
  bool AddIntColumn(const std::string& name, int size);
  bool AddDoubleColumn(const std::string& name, int size);
  bool AddDateColumn(const std::string& name);

  // The score table's columns: the tester's three when asked, the testee
  // and assessment columns, PartNo when asked, then one column per variable
  // of the given SQL type (1, 12 text 240; 2 to 5 integer 10; 6 to 8 double
  // 10; 9, 11 date; no column for another type). Stops with false at a
  // variable without a name, keeping the columns added so far.
  bool DefineScoreColumns(const std::vector<std::string>& variableNames, int variableType, bool testerColumns,
                          bool partColumn);

  // Every column's value empty and not set; before each row.
  void ClearValues();

  // Each stores the value and marks it set, only when the column exists
  // and takes it (type and size, as below); false otherwise, nothing changed.
  bool SetTextValue(const std::string& column, const std::string& text);          // VARCHAR, fitting
  bool SetIntValue(const std::string& column, int32_t value);                     // INTEGER, "%d" fitting
  bool SetValue(const std::string& column, const std::string& text);              // any type, fitting
  virtual bool SetDateValue(const std::string& column, const QelDateTime& date);  // DATE or TIMESTAMP
  // "Ttime": the time of the date ("HH:MM"); "AssNo": the number ("%u").
  bool SetTtimeValue(const QelDateTime& date);
  bool SetAssNoValue(uint32_t number);

  // Appends a DATE column whose value is set already; nothing for an empty name.
  virtual void AddDateValueColumn(const std::string& name, const QelDateTime& date);

 protected:
  bool Store(int index, const std::string& text);
};

class CRsOdbcExportDbase : public CRsOdbcExport {
 public:
  using CRsOdbcExport::CRsOdbcExport;
  // Opens the table; with a path, its columns become the defined columns.
  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  // Drops the table only when its file is in the folder.
  bool DropTable(const std::string& table = std::string()) override;
};

class CRsOdbcExportExcel : public CRsOdbcExport {
 public:
  using CRsOdbcExport::CRsOdbcExport;
  // Opens the query ("SELECT * FROM [Sheet$];" reads a sheet's layout); its
  // columns become the defined columns.
  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  std::string GetDefaultConnect() override;
};

// Writes its file itself: a header line of the column names and one line
// per row, "|" between the fields, "\r\n" after each line. A "|" or line
// break inside a value becomes a blank, so a value never breaks a row.
class CRsOdbcExportText : public CRsOdbcExport {
 public:
  using CRsOdbcExport::CRsOdbcExport;
  ~CRsOdbcExportText() override;
  // Ends the rows: the file the rows went to is closed.
  void Close() override;
  bool Open(int openType = kDefaultType, const std::string& sql = std::string(),
            unsigned options = kNoOptions) override;
  // Removes the folder's file of the table name and ".txt" when it exists.
  bool DropTable(const std::string& table = std::string()) override;
  // Writes the header line (unless noHeader) at the start of the file, or
  // at its end with append; false when no column is defined or the file
  // cannot be opened.
  bool CreateTable(bool noHeader, bool append, const std::string& table = std::string()) override;
  // Appends the row: set values as they are (numbers with the locale's
  // decimal separator), unset ones as empty fields.
  bool InsertRow(const std::string& table = std::string()) override;
  // The system's short date (empty when not valid), for a DATE column of size 8.
  bool SetDateValue(const std::string& column, const QelDateTime& date) override;
  void AddDateValueColumn(const std::string& name, const QelDateTime& date) override;

 private:
  std::string FileToWrite() const;
  bool WriteAt(const std::string& line, bool atEnd) const;
  // Rows go to one descriptor opened at the first row (appending), not one
  // open per row.
  bool WriteRow(const std::string& line);
  void CloseRows();

  int m_rowFd = -1;
  std::string m_rowPath;
};

}  // namespace qel

// The connections of the export targets: a folder of dBase files, an Excel
// workbook, and a text file (which its record set writes itself, without a
// driver, as a new file put in place when the connection closes).
//
// Thread contract: user-interface thread only.
#pragma once

#include <memory>
#include <string>

#include "db/DbOdbc.h"
#include "db/FilePublish.h"

namespace qel {

// Each gives an empty connect string for an empty path. dBase and text
// strings name the path's folder (the table names are the file names); the
// Excel string names the workbook.
DbConnectString BuildDbaseConnectString(const std::string& path);
DbConnectString BuildExcelConnectString(const std::string& path);
DbConnectString BuildTextConnectString(const std::string& path);

class CDbOdbcDbase : public CDbOdbc {
 public:
  explicit CDbOdbcDbase(const std::string& path = std::string()) : CDbOdbc(path) {}
  DbConnectString GetConnectString(const std::string& path) override { return BuildDbaseConnectString(path); }
};

class CDbOdbcExcel : public CDbOdbc {
 public:
  explicit CDbOdbcExcel(const std::string& path = std::string()) : CDbOdbc(path) {}
  DbConnectString GetConnectString(const std::string& path) override { return BuildExcelConnectString(path); }
};

class CDbOdbcText : public CDbOdbc {
 public:
  // File mode flag of OpenFile: the file is made anew (an existing one is
  // replaced when the connection closes); without it the file must exist
  // and what is written is appended to its content.
  static constexpr unsigned kModeCreate = 0x1000;

  explicit CDbOdbcText(const std::string& path = std::string());
  ~CDbOdbcText() override;  // a file not closed is dropped; the old one stays

  DbConnectString GetConnectString(const std::string& path) override { return BuildTextConnectString(path); }

  // Makes the text target ready without a driver. False (nothing changed)
  // for an empty path or a file that cannot be written as asked.
  bool OpenFile(const std::string& path, unsigned modeFlags);
  // Puts the written file in place of the target (throws a DbException when
  // that fails), then ends any connection.
  void Close() override;
  // The file the text record set writes: the new file while one is being
  // made, else the path.
  std::string GetWritePath() const;

 private:
  std::unique_ptr<NewFileBeside> m_newFile;
};

}  // namespace qel

// The dBase target: a folder whose .dbf files (dBase IV, Windows-1252 texts)
// are its tables, written with shapelib. Column names longer than dBase's
// ten characters are shortened by one rule that keeps them unique.
//
// A table that is created or changed is written to a new file beside its
// target and put in place, replacing the old file, when the connection
// closes; a dropped table's file goes then too. Until then the folder keeps
// its old files.
//
// Thread contract: one thread.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "db/DbDriver.h"

namespace qel {

// Longest field name of a dBase file.
inline constexpr size_t kDbaseFieldNameLength = 10;
// Most fields a dBase file holds.
inline constexpr size_t kDbaseMaxFields = 255;
// Widths of the fields a created table gets.
inline constexpr int kDbaseMaxTextWidth = 254;
inline constexpr int kDbaseNumberWidth = 20;
inline constexpr int kDbaseNumberDecimals = 6;
inline constexpr int kDbaseDateWidth = 8;

// The dBase field names of the columns, in order: a name of at most ten
// characters stays; a longer one is cut to ten; a name that equals one
// before it (ignoring case) ends in "~1", "~2", ... within the ten.
std::vector<std::string> DbaseFieldNames(const std::vector<std::string>& names);

class DbaseDriver : public DbDriver {
 public:
  // The folder must exist.
  explicit DbaseDriver(const std::string& folder);
  ~DbaseDriver() override;

  std::vector<DbCatalogTable> Tables() override;
  std::vector<DbCatalogColumn> Columns(const std::string& table) override;
  std::unique_ptr<DbCursor> OpenCursor(const DbQuery& query) override;
  void Execute(const DbStatement& statement) override;
  void Close() override;

 private:
  struct Table;

  std::string FileOf(const std::string& table) const;
  // The table being written, or the file on disk opened for writing as a new copy.
  Table& Writable(const std::string& table);
  Table* Pending(const std::string& table);
  bool OnDisk(const std::string& table) const;
  void Create(const DbStatement& statement);
  void Insert(const DbStatement& statement);
  void Update(const DbStatement& statement);
  void Drop(const std::string& table);

  std::string m_folder;                                     // ends with "/"
  std::map<std::string, std::unique_ptr<Table>> m_pending;  // by upper-case name
  std::set<std::string> m_dropped;                          // upper-case names whose files go at close
};

// The connect string's path is the folder.
std::unique_ptr<DbDriver> OpenDbaseDriver(const DbConnectString& connect, bool readOnly);

}  // namespace qel

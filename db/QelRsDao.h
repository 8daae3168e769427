// The base of the record sets that write the first rows of a new database
// file. A derived class names its table and the fields it expects (the
// table's definition); at every open the expected fields the table lacks
// are listed, so that a file made by an older definition is still written
// (optional fields only when present). ReadRecord copies the current row
// into the derived class's members, WriteRecord sets the row's fields from
// them.
//
// Thread contract: user-interface thread only.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "db/Dao.h"
#include "db/DbRecord.h"

namespace qel {

class CQelRsDao : public DaoRecordset, public CDbRecord {
 public:
  explicit CQelRsDao(DaoDatabase* database);
  ~CQelRsDao() override;

  // Opens, lists the missing fields, and reads the first row unless at the end.
  void Open(int openType = kOpenTable, const std::string& source = std::string(), int options = kNoOptions) override;
  // WriteRecord, then the row is written.
  void Update() override;
  std::string GetDefaultDBName() override { return m_databaseName; }
  std::string GetDefaultSQL() override { return m_tableName; }

  virtual void ReadRecord() {}
  virtual void WriteRecord() {}
  // Sets the current index; reads the row unless at the end.
  virtual void SetIndex(const std::string& index);
  // Finds a row by the current index; reads it when found.
  virtual bool Seek(const std::string& comparison, const std::vector<DbValue>& keys);
  // Up to three keys; a NULL key and those after it are not used.
  virtual bool Seek(const std::string& comparison, const DbValue& key1, const DbValue& key2 = DbValue(),
                    const DbValue& key3 = DbValue());
  // Moves on and reads the row unless at the end.
  virtual void MoveNextRead();

  const std::vector<std::string>& GetMissingFields() const { return m_missingFields; }
  bool IsFieldMissing(const std::string& name) const;
  const std::string& GetTableName() const { return m_tableName; }

 protected:
  void SetExpectedFields(std::span<const DaoFieldInfo> fields) { m_expectedFields = fields; }
  // Sets a field when the table has it (a field the table lacks is passed over).
  void SetFieldIfPresent(const std::string& name, const DbValue& value);
  // Field values as members: NULL gives an empty text, 0 or a null date.
  std::string TextField(const std::string& name) const;
  int32_t LongField(const std::string& name) const;
  QelDateTime DateField(const std::string& name) const;

  std::string m_databaseName;
  std::string m_tableName;
  std::span<const DaoFieldInfo> m_expectedFields;
  std::vector<std::string> m_missingFields;

 private:
  void OnOpened();
};

}  // namespace qel

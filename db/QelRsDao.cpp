#include "db/QelRsDao.h"

#include <cmath>
#include <cstdlib>

namespace qel {

CQelRsDao::CQelRsDao(DaoDatabase* database) : DaoRecordset(database) {
  if (database) m_databaseName = database->GetName();
}

CQelRsDao::~CQelRsDao() = default;

void CQelRsDao::Open(int openType, const std::string& source, int options) {
  DaoRecordset::Open(openType, source, options);
  OnOpened();
}

void CQelRsDao::OnOpened() {
  m_missingFields.clear();
  for (const DaoFieldInfo& field : m_expectedFields) {
    bool found = false;
    for (int i = 0; i < GetFieldCount() && !found; ++i) found = GetFieldName(i) == field.name;
    if (!found) m_missingFields.push_back(field.name);
  }
  if (!IsEOF()) ReadRecord();
}

bool CQelRsDao::IsFieldMissing(const std::string& name) const {
  for (const std::string& missing : m_missingFields) {
    if (missing == name) return true;
  }
  return false;
}

void CQelRsDao::Update() {
  WriteRecord();
  DaoRecordset::Update();
}

void CQelRsDao::SetIndex(const std::string& index) {
  SetCurrentIndex(index);
  if (!IsEOF()) ReadRecord();
}

bool CQelRsDao::Seek(const std::string& comparison, const std::vector<DbValue>& keys) {
  if (!DaoRecordset::Seek(comparison, keys)) return false;
  ReadRecord();
  return true;
}

bool CQelRsDao::Seek(const std::string& comparison, const DbValue& key1, const DbValue& key2, const DbValue& key3) {
  std::vector<DbValue> keys;
  for (const DbValue* key : {&key1, &key2, &key3}) {
    if (key->IsNull()) break;
    keys.push_back(*key);
  }
  return Seek(comparison, keys);
}

void CQelRsDao::MoveNextRead() {
  MoveNext();
  if (!IsEOF()) ReadRecord();
}

void CQelRsDao::SetFieldIfPresent(const std::string& name, const DbValue& value) {
  if (IsFieldMissing(name) || !HasField(name)) return;
  SetFieldValue(name, value);
}

std::string CQelRsDao::TextField(const std::string& name) const {
  if (!HasField(name)) return std::string();
  const DbValue v = GetFieldValue(name);
  if (v.IsText()) return v.Text();
  if (v.IsInteger()) return std::to_string(v.Integer());
  return std::string();
}

int32_t CQelRsDao::LongField(const std::string& name) const {
  if (!HasField(name)) return 0;
  const DbValue v = GetFieldValue(name);
  if (v.IsInteger()) return static_cast<int32_t>(v.Integer());
  if (v.IsReal()) return static_cast<int32_t>(std::trunc(v.Real()));
  if (v.IsText()) return static_cast<int32_t>(std::strtol(v.Text().c_str(), nullptr, 10));
  return 0;
}

QelDateTime CQelRsDao::DateField(const std::string& name) const {
  if (!HasField(name)) return QelDateTime::Null();
  const DbValue v = GetFieldValue(name);
  return v.IsDate() ? v.Date() : QelDateTime::Null();
}

}  // namespace qel

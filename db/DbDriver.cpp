#include "db/DbDriver.h"

#include "db/DbException.h"

namespace qel {

void DbCursor::UpdateCurrent(const std::vector<std::string>&, const std::vector<DbValue>&) {
  throw DbException::Logic("The record set cannot be changed.");
}

void DbCursor::Append(const std::vector<std::string>&, const std::vector<DbValue>&) {
  throw DbException::Logic("The record set cannot take new rows.");
}

void DbCursor::DeleteCurrent() { throw DbException::Logic("The record set cannot remove rows."); }

void DbDriver::BeginTransaction() { throw DbException::Logic("The database has no transactions."); }
void DbDriver::CommitTransaction() { throw DbException::Logic("The database has no transactions."); }
void DbDriver::RollbackTransaction() { throw DbException::Logic("The database has no transactions."); }

std::string DbStatement::ToText() const {
  std::string text;
  switch (kind) {
    case Kind::kDropTable:
      return "DROP TABLE " + QuoteIdentifier(table);
    case Kind::kCreateTable:
      text = "CREATE TABLE " + QuoteIdentifier(table) + " (";
      for (size_t i = 0; i < columns.size(); ++i) {
        if (i) text += ",";
        text += QuoteIdentifier(columns[i].name) + " " + std::to_string(columns[i].sqlType) + "(" +
                std::to_string(columns[i].size) + ")";
      }
      return text + ")";
    case Kind::kInsert: {
      text = "INSERT INTO " + QuoteIdentifier(table) + " (";
      std::string marks;
      for (size_t i = 0; i < columns.size(); ++i) {
        if (i) {
          text += ",";
          marks += ",";
        }
        text += QuoteIdentifier(columns[i].name);
        marks += "?";
      }
      return text + ") VALUES (" + marks + ")";
    }
    case Kind::kUpdate:
      text = "UPDATE " + QuoteIdentifier(table) + " SET ";
      for (size_t i = 0; i < columns.size(); ++i) {
        if (i) text += ",";
        text += QuoteIdentifier(columns[i].name) + "=?";
      }
      return text + " WHERE " + where.ToText();
  }
  return text;
}

}  // namespace qel

// Conditions on columns that narrow a record set or an update, joined by
// AND. Values are always bound as parameters, never written into the
// statement, and column names are always quoted: a testee called O'Neil is
// just a value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/DbValue.h"

namespace qel {

// The name as an SQL identifier in double quotes (inner quotes doubled).
std::string QuoteIdentifier(std::string_view name);

class DbFilter {
 public:
  enum class Compare { kEqual, kNotEqual, kLess, kLessEqual, kGreater, kGreaterEqual };

  struct Condition {
    std::string column;
    Compare compare = Compare::kEqual;
    DbValue value;
  };

  DbFilter() = default;

  DbFilter& Where(std::string column, Compare compare, DbValue value);
  DbFilter& Equal(std::string column, DbValue value) { return Where(std::move(column), Compare::kEqual, value); }
  DbFilter& Greater(std::string column, DbValue value) { return Where(std::move(column), Compare::kGreater, value); }

  bool IsEmpty() const { return m_conditions.empty(); }
  void Clear() { m_conditions.clear(); }
  const std::vector<Condition>& Conditions() const { return m_conditions; }

  // ("Testee" = ?) AND ("SerNo" = ?), appending the values to params in
  // order; empty for no condition.
  std::string ToSql(std::vector<DbValue>* params) const;
  // A readable text for reports: (Testee = 'O''Neil') AND (SerNo = 0).
  std::string ToText() const;

 private:
  std::vector<Condition> m_conditions;
};

// The comparison sign of a condition ("=", "<>", "<", "<=", ">", ">=").
const char* CompareSign(DbFilter::Compare compare);

// Orders two values as the databases do: NULL first, numbers by value,
// texts ignoring the case of ASCII letters, dates by time, bytes by content.
// Values of different kinds order by kind.
int CompareDbValues(const DbValue& a, const DbValue& b);

// Whether a row satisfies every condition; value(column) gives the row's
// value of a column (NULL for a column it lacks). A NULL never matches.
template <typename ValueOf>
bool FilterMatches(const DbFilter& filter, ValueOf value) {
  for (const DbFilter::Condition& c : filter.Conditions()) {
    const DbValue v = value(c.column);
    if (v.IsNull() || c.value.IsNull()) return false;
    const int order = CompareDbValues(v, c.value);
    bool ok = false;
    switch (c.compare) {
      case DbFilter::Compare::kEqual:
        ok = order == 0;
        break;
      case DbFilter::Compare::kNotEqual:
        ok = order != 0;
        break;
      case DbFilter::Compare::kLess:
        ok = order < 0;
        break;
      case DbFilter::Compare::kLessEqual:
        ok = order <= 0;
        break;
      case DbFilter::Compare::kGreater:
        ok = order > 0;
        break;
      case DbFilter::Compare::kGreaterEqual:
        ok = order >= 0;
        break;
    }
    if (!ok) return false;
  }
  return true;
}

}  // namespace qel

#include "db/DbFilter.h"

#include <algorithm>
#include <cstdio>

#include "db/DbDateText.h"

namespace qel {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int KindRank(const DbValue& v) {
  if (v.IsNull()) return 0;
  if (v.IsInteger() || v.IsReal()) return 1;
  if (v.IsText()) return 2;
  if (v.IsDate()) return 3;
  return 4;
}

std::string ValueText(const DbValue& v) {
  if (v.IsNull()) return "NULL";
  if (v.IsInteger()) return std::to_string(v.Integer());
  if (v.IsReal()) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v.Real());
    return buffer;
  }
  std::string text;
  if (v.IsText()) {
    text = v.Text();
  } else if (v.IsDate()) {
    text = FormatStoredDate(v.Date());
  } else {
    return "<" + std::to_string(v.Bytes().size()) + " bytes>";
  }
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace

std::string QuoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

const char* CompareSign(DbFilter::Compare compare) {
  switch (compare) {
    case DbFilter::Compare::kEqual:
      return "=";
    case DbFilter::Compare::kNotEqual:
      return "<>";
    case DbFilter::Compare::kLess:
      return "<";
    case DbFilter::Compare::kLessEqual:
      return "<=";
    case DbFilter::Compare::kGreater:
      return ">";
    case DbFilter::Compare::kGreaterEqual:
      return ">=";
  }
  return "=";
}

DbFilter& DbFilter::Where(std::string column, Compare compare, DbValue value) {
  m_conditions.push_back(Condition{std::move(column), compare, std::move(value)});
  return *this;
}

std::string DbFilter::ToSql(std::vector<DbValue>* params) const {
  std::string sql;
  for (const Condition& c : m_conditions) {
    if (!sql.empty()) sql += " AND ";
    sql += "(" + QuoteIdentifier(c.column) + " " + CompareSign(c.compare) + " ?)";
    params->push_back(c.value);
  }
  return sql;
}

std::string DbFilter::ToText() const {
  std::string text;
  for (const Condition& c : m_conditions) {
    if (!text.empty()) text += " AND ";
    text += "(" + c.column + " " + CompareSign(c.compare) + " " + ValueText(c.value) + ")";
  }
  return text;
}

int CompareDbValues(const DbValue& a, const DbValue& b) {
  const int ra = KindRank(a), rb = KindRank(b);
  if (ra != rb) return ra < rb ? -1 : 1;
  switch (ra) {
    case 0:
      return 0;
    case 1: {
      if (a.IsInteger() && b.IsInteger()) return a.Integer() < b.Integer() ? -1 : (a.Integer() > b.Integer() ? 1 : 0);
      const double x = a.AsDouble(), y = b.AsDouble();
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2: {
      const std::string& x = a.Text();
      const std::string& y = b.Text();
      const size_t n = std::min(x.size(), y.size());
      for (size_t i = 0; i < n; ++i) {
        const unsigned char cx = static_cast<unsigned char>(AsciiLower(x[i]));
        const unsigned char cy = static_cast<unsigned char>(AsciiLower(y[i]));
        if (cx != cy) return cx < cy ? -1 : 1;
      }
      return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
    }
    case 3: {
      const double x = QelDateTime::Continuous(a.Date().value), y = QelDateTime::Continuous(b.Date().value);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    default:
      return a.Bytes() < b.Bytes() ? -1 : (b.Bytes() < a.Bytes() ? 1 : 0);
  }
}

}  // namespace qel

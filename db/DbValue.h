// One value of a database column or statement parameter: nothing (NULL), a
// whole number, a double, a text (UTF-8), bytes, or a date. Dates keep the
// program's date type; each engine stores them in its own form.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "include/qel/DateTime.h"

namespace qel {

using DbBytes = std::vector<uint8_t>;

class DbValue {
 public:
  DbValue() = default;
  DbValue(int32_t v) : m_value(static_cast<int64_t>(v)) {}
  DbValue(uint32_t v) : m_value(static_cast<int64_t>(v)) {}
  DbValue(int64_t v) : m_value(v) {}
  DbValue(double v) : m_value(v) {}
  DbValue(std::string v) : m_value(std::move(v)) {}
  DbValue(const char* v) : m_value(std::string(v ? v : "")) {}
  DbValue(DbBytes v) : m_value(std::move(v)) {}
  // A date that is not valid is stored as NULL.
  DbValue(const QelDateTime& v) {
    if (v.IsValid()) m_value = v;
  }

  bool IsNull() const { return std::holds_alternative<std::monostate>(m_value); }
  bool IsInteger() const { return std::holds_alternative<int64_t>(m_value); }
  bool IsReal() const { return std::holds_alternative<double>(m_value); }
  bool IsText() const { return std::holds_alternative<std::string>(m_value); }
  bool IsBytes() const { return std::holds_alternative<DbBytes>(m_value); }
  bool IsDate() const { return std::holds_alternative<QelDateTime>(m_value); }

  int64_t Integer() const { return std::get<int64_t>(m_value); }
  double Real() const { return std::get<double>(m_value); }
  const std::string& Text() const { return std::get<std::string>(m_value); }
  const DbBytes& Bytes() const { return std::get<DbBytes>(m_value); }
  const QelDateTime& Date() const { return std::get<QelDateTime>(m_value); }

  // Numbers of either kind as a double (0.0 otherwise).
  double AsDouble() const {
    if (IsInteger()) return static_cast<double>(Integer());
    if (IsReal()) return Real();
    return 0.0;
  }

 private:
  std::variant<std::monostate, int64_t, double, std::string, DbBytes, QelDateTime> m_value;
};

}  // namespace qel

#include "db/DbFieldExchange.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "db/DbDateText.h"
#include "db/DbException.h"

namespace qel {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

std::string NumberText(const DbValue& v) {
  if (v.IsInteger()) return std::to_string(v.Integer());
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", v.Real());
  return buffer;
}

}  // namespace

size_t Utf8Length(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text) {
    if (!IsContinuation(c)) ++n;
  }
  return n;
}

std::string TruncateUtf8(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsContinuation(static_cast<unsigned char>(text[i]))) continue;
    if (chars == maxChars) return text.substr(0, i);
    ++chars;
  }
  return text;
}

DbFieldExchange::DbFieldExchange(Operation operation, const DbCursor* cursor, std::vector<std::string>* names,
                                 std::vector<DbValue>* values)
    : m_operation(operation), m_cursor(cursor), m_names(names), m_values(values) {}

const DbValue& DbFieldExchange::Current() const {
  static const DbValue kNull;
  return m_cursor ? m_cursor->Value(m_index) : kNull;
}

bool DbFieldExchange::Nullable() const {
  if (!m_cursor || m_index >= m_cursor->Fields().size()) return true;
  return m_cursor->Fields()[m_index].nullable;
}

void DbFieldExchange::Next(const char* column) {
  if (m_operation == Operation::kNames && m_names) m_names->push_back(column);
  ++m_index;
}

void DbFieldExchange::Text(const char* column, std::string& value, size_t maxLength) {
  switch (m_operation) {
    case Operation::kLoad: {
      const DbValue& v = Current();
      if (v.IsText()) {
        value = TruncateUtf8(v.Text(), maxLength);
      } else if (v.IsInteger() || v.IsReal()) {
        value = NumberText(v);
      } else if (v.IsBytes()) {
        value = TruncateUtf8(std::string(v.Bytes().begin(), v.Bytes().end()), maxLength);
      } else {
        value.clear();
      }
      break;
    }
    case Operation::kStore:
      if (value.empty() && Nullable()) {
        m_values->emplace_back();
      } else {
        m_values->emplace_back(value);
      }
      break;
    case Operation::kClear:
      value.clear();
      break;
    case Operation::kNames:
      break;
  }
  Next(column);
}

void DbFieldExchange::Long(const char* column, int32_t& value) {
  switch (m_operation) {
    case Operation::kLoad: {
      const DbValue& v = Current();
      if (v.IsInteger()) {
        value = static_cast<int32_t>(v.Integer());
      } else if (v.IsReal()) {
        value = static_cast<int32_t>(std::trunc(v.Real()));
      } else if (v.IsText()) {
        value = static_cast<int32_t>(std::strtol(v.Text().c_str(), nullptr, 10));
      } else {
        value = 0;
      }
      break;
    }
    case Operation::kStore:
      m_values->emplace_back(value);
      break;
    case Operation::kClear:
      value = 0;
      break;
    case Operation::kNames:
      break;
  }
  Next(column);
}

void DbFieldExchange::Long(const char* column, uint32_t& value) {
  int32_t word = static_cast<int32_t>(value);
  Long(column, word);
  value = static_cast<uint32_t>(word);
}

void DbFieldExchange::Double(const char* column, double& value) {
  switch (m_operation) {
    case Operation::kLoad: {
      const DbValue& v = Current();
      if (v.IsInteger() || v.IsReal()) {
        value = v.AsDouble();
      } else if (v.IsText()) {
        value = std::strtod(v.Text().c_str(), nullptr);
      } else {
        value = 0.0;
      }
      break;
    }
    case Operation::kStore:
      m_values->emplace_back(value);
      break;
    case Operation::kClear:
      value = 0.0;
      break;
    case Operation::kNames:
      break;
  }
  Next(column);
}

void DbFieldExchange::Date(const char* column, QelDateTime& value) {
  switch (m_operation) {
    case Operation::kLoad: {
      const DbValue& v = Current();
      if (v.IsNull()) {
        value = QelDateTime::Null();
      } else if (v.IsText()) {
        value = ParseStoredDate(v.Text());
      } else if (v.IsDate()) {
        value = v.Date();
      } else {
        value = QelDateTime::Null();
        value.status = QelDateTime::kInvalid;
      }
      break;
    }
    case Operation::kStore:
      m_values->emplace_back(value);
      break;
    case Operation::kClear:
      value = QelDateTime::Null();
      break;
    case Operation::kNames:
      break;
  }
  Next(column);
}

void DbFieldExchange::Binary(const char* column, DbBytes& value) {
  switch (m_operation) {
    case Operation::kLoad: {
      const DbValue& v = Current();
      if (v.IsBytes()) {
        value = v.Bytes();
      } else if (v.IsText()) {
        value.assign(v.Text().begin(), v.Text().end());
      } else {
        value.clear();
      }
      break;
    }
    case Operation::kStore:
      if (value.empty() && Nullable()) {
        m_values->emplace_back();
      } else {
        m_values->emplace_back(value);
      }
      break;
    case Operation::kClear:
      value.clear();
      break;
    case Operation::kNames:
      break;
  }
  Next(column);
}

}  // namespace qel

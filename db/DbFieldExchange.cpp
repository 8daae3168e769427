#include "db/DbFieldExchange.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "db/DbDateText.h"

namespace qel {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

std::string NumberText(const DbValue& v) {
  if (v.IsInteger()) return std::to_string(v.Integer());
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", v.Real());
  return buffer;
}

int32_t LongOf(const DbValue& v) {
  if (v.IsInteger()) return static_cast<int32_t>(v.Integer());
  if (v.IsReal()) return static_cast<int32_t>(std::trunc(v.Real()));
  if (v.IsText()) return static_cast<int32_t>(std::strtol(v.Text().c_str(), nullptr, 10));
  return 0;
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

template <typename T, typename Load, typename Store>
void DbFieldExchange::Exchange(const char* column, T& value, Load load, Store store) {
  switch (m_operation) {
    case Operation::kLoad:
      value = load(Current());
      break;
    case Operation::kStore:
      m_values->emplace_back(store(value));
      break;
    case Operation::kClear:
      value = T();
      break;
    case Operation::kNames:
      if (m_names) m_names->push_back(column);
      break;
  }
  ++m_index;
}

void DbFieldExchange::Text(const char* column, std::string& value, size_t maxLength) {
  Exchange(
      column, value,
      [maxLength](const DbValue& v) {
        if (v.IsText()) return TruncateUtf8(v.Text(), maxLength);
        if (v.IsInteger() || v.IsReal()) return NumberText(v);
        if (v.IsBytes()) return TruncateUtf8(std::string(v.Bytes().begin(), v.Bytes().end()), maxLength);
        return std::string();
      },
      [this](const std::string& text) { return text.empty() && Nullable() ? DbValue() : DbValue(text); });
}

void DbFieldExchange::Long(const char* column, int32_t& value) {
  Exchange(column, value, LongOf, [](int32_t v) { return DbValue(v); });
}

void DbFieldExchange::Long(const char* column, uint32_t& value) {
  Exchange(
      column, value, [](const DbValue& v) { return static_cast<uint32_t>(LongOf(v)); },
      [](uint32_t v) { return DbValue(static_cast<int32_t>(v)); });
}

void DbFieldExchange::Double(const char* column, double& value) {
  Exchange(
      column, value,
      [](const DbValue& v) {
        if (v.IsInteger() || v.IsReal()) return v.AsDouble();
        if (v.IsText()) return std::strtod(v.Text().c_str(), nullptr);
        return 0.0;
      },
      [](double v) { return DbValue(v); });
}

void DbFieldExchange::Date(const char* column, QelDateTime& value) {
  Exchange(
      column, value,
      [](const DbValue& v) {
        if (v.IsText()) return ParseStoredDate(v.Text());
        if (v.IsDate()) return v.Date();
        QelDateTime date = QelDateTime::Null();
        if (!v.IsNull()) date.status = QelDateTime::kInvalid;
        return date;
      },
      [](const QelDateTime& date) { return DbValue(date); });
}

void DbFieldExchange::Binary(const char* column, DbBytes& value) {
  Exchange(
      column, value,
      [](const DbValue& v) {
        if (v.IsBytes()) return v.Bytes();
        if (v.IsText()) return DbBytes(v.Text().begin(), v.Text().end());
        return DbBytes();
      },
      [this](const DbBytes& bytes) { return bytes.empty() && Nullable() ? DbValue() : DbValue(bytes); });
}

}  // namespace qel

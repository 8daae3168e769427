// The exchange between a record set's members and the columns of its rows.
// A record set's DoFieldExchange names its columns in order, each with the
// member that holds it; the same calls then list the columns, load a row
// into the members, collect the members for writing, or clear them.
//
// Reading: NULL gives an empty text, 0, a null date or no bytes; a text
// longer than its member's limit is cut at a character boundary. Writing: an
// empty text or byte array goes as NULL where the column takes NULL, else
// as an empty value; a date that is not valid goes as NULL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "db/DbDriver.h"
#include "db/DbValue.h"

namespace qel {

class DbFieldExchange {
 public:
  enum class Operation { kNames, kLoad, kStore, kClear };

  static constexpr size_t kDefaultTextLength = 255;

  // kNames: names is filled. kLoad: values are read from the cursor's
  // current row (column k for the k-th call). kStore: values is filled.
  DbFieldExchange(Operation operation, const DbCursor* cursor, std::vector<std::string>* names,
                  std::vector<DbValue>* values);

  void Text(const char* column, std::string& value, size_t maxLength = kDefaultTextLength);
  void Long(const char* column, int32_t& value);
  // A 32-bit word kept in a Long column by its bit pattern.
  void Long(const char* column, uint32_t& value);
  void Double(const char* column, double& value);
  void Date(const char* column, QelDateTime& value);
  void Binary(const char* column, DbBytes& value);

  Operation GetOperation() const { return m_operation; }

 private:
  // One column: load turns the current row's value into the member, store
  // the member into the value written.
  template <typename T, typename Load, typename Store>
  void Exchange(const char* column, T& value, Load load, Store store);
  // The k-th column's value when loading; its nullability when storing.
  const DbValue& Current() const;
  bool Nullable() const;

  Operation m_operation;
  const DbCursor* m_cursor;
  std::vector<std::string>* m_names;
  std::vector<DbValue>* m_values;
  size_t m_index = 0;
};

// The text cut to at most maxChars characters (UTF-8), never inside one.
std::string TruncateUtf8(const std::string& text, size_t maxChars);
// The number of characters of a UTF-8 text.
size_t Utf8Length(const std::string& text);

}  // namespace qel

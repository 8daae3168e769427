// The base of every row record: the values of one table row in column
// order, held by the record sets that read and write that table.
#pragma once

namespace qel {

class CDbRecord {
 public:
  virtual ~CDbRecord() = default;
};

}  // namespace qel

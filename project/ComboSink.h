// Where the project cache puts the items of a combo box or a list: the
// control is emptied, left without a selection, then given the items in
// order. The windows pass their combo box through an adapter; tests record.
#pragma once

#include <string>

namespace qel {

class IComboSink {
 public:
  virtual ~IComboSink() = default;
  virtual void ResetContent() = 0;                      // every item removed
  virtual void SetNoSelection() = 0;                    // no item selected
  virtual void AddString(const std::string& text) = 0;  // appended after the others
};

}  // namespace qel

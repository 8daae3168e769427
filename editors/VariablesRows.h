// The rows of the Variables page: one per score variable of the task's
// plug-in, with the decimals of its format and its attribute letters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

class CExpModelTask;

// The digit after "." when one more character follows it ("2" for "%.2f"),
// else the whole format.
std::string FormatColumnText(const std::string& format);
// "L" (0x20), "F" (0x10), "T" (0x40), "S" (0x80), "B" (0x100) in that order,
// then "E" for the types 4 and 5.
std::string AttributeLetters(uint32_t attr);

struct VariableRow {
  int code = 0;  // the type icon
  std::string number, group, name, format, column, attributes, label;
  bool hasZScore = false;
};
std::vector<VariableRow> BuildVariableRows(const CExpModelTask& task);
// "Variables: %d".
std::string VariableCountText(int rows);

}  // namespace qel

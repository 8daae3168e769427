#include "editors/VariablesRows.h"

#include <cctype>

#include "app/model/ExpModelTask.h"

namespace qel {

namespace {
constexpr uint32_t kTypeMask = 0xF;
struct Letter {
  uint32_t bit;
  const char* text;
};
constexpr Letter kLetters[] = {{0x20, "L"}, {0x10, "F"}, {0x40, "T"}, {0x80, "S"}, {0x100, "B"}};
}  // namespace

std::string FormatColumnText(const std::string& format) {
  const size_t dot = format.find('.');
  if (dot != std::string::npos && dot + 2 < format.size() &&
      std::isdigit(static_cast<unsigned char>(format[dot + 1]))) {
    return format.substr(dot + 1, 1);
  }
  return format;
}

std::string AttributeLetters(uint32_t attr) {
  std::string text;
  for (const Letter& l : kLetters) {
    if (attr & l.bit) text += l.text;
  }
  const uint32_t type = attr & kTypeMask;
  if (type == kVarTypeFalseAlarm || type == kVarTypeMiss) text += "E";
  return text;
}

std::vector<VariableRow> BuildVariableRows(const CExpModelTask& task) {
  std::vector<VariableRow> rows;
  const int count = task.GetScoreVariableCount();
  for (int i = 0; i < count; ++i) {
    VariableRow r;
    r.code = task.GetScoreVariableCode(i, false);
    r.number = std::to_string(i + 1);
    r.group = task.GetScoreVariableGroup(i);
    r.name = task.GetScoreVariableName(i);
    r.format = FormatColumnText(task.GetScoreVariableFormat(i, false));
    const int column = task.GetScoreVariableColumn(i, false, false);
    r.column = column ? std::to_string(column) : "";
    r.attributes = AttributeLetters(task.GetScoreVariableAttr(i));
    r.label = task.GetScoreVariableLabel(i);
    r.hasZScore = task.HasZScore(i);
    rows.push_back(std::move(r));
  }
  return rows;
}

std::string VariableCountText(int rows) { return "Variables: " + std::to_string(rows); }

}  // namespace qel

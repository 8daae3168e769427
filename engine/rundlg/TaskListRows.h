// The rows of the list of loaded task plug-ins: one per loaded record that
// has a model default, in table order.
#pragma once

#include <string>
#include <vector>

namespace qel {

class ITaskLibrary;

struct TaskListRow {
  int libraryIndex = -1;  // position in the program's plug-in table
  std::string key;        // the short code
  int image = 0;          // the task's icon in the program's icon list
  std::string id;         // "Id": the short code
  std::string name;       // "Name"
  std::string keys;       // "Keys": "1", "2" or "-"
  std::string versions;   // "Vers"
  std::string parts;      // "Parts"
  std::string variables;  // "Vars"
};

// One row from a record; false for a record without a model default.
bool MakeTaskListRow(const ITaskLibrary& record, int libraryIndex, TaskListRow* row);
// The rows of every loaded plug-in.
std::vector<TaskListRow> BuildTaskListRows();

}  // namespace qel

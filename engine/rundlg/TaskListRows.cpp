#include "engine/rundlg/TaskListRows.h"

#include <cstring>

#include "app/text/ImageIndex.h"
#include "engine/library/TaskLibraries.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

// A fixed text field of the record, up to its first NUL or its end.
std::string Field(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

}  // namespace

bool MakeTaskListRow(const ITaskLibrary& record, int libraryIndex, TaskListRow* row) {
  const QelModelTask* task = record.modelDefault;
  if (!task || !row) return false;
  row->libraryIndex = libraryIndex;
  row->id = Field(task->TaskIdStr, sizeof task->TaskIdStr);
  row->key = row->id;
  row->image = GetImageIndex(static_cast<int>(task->TaskId));
  row->name = Field(task->TaskName, sizeof task->TaskName);
  const uint32_t type = ResponseTypeOf(task->w.TaskType);
  row->keys.assign(1, type == 1 ? '1' : type == 2 ? '2' : '-');
  row->versions = std::to_string(record.versionCount);
  row->parts = std::to_string(record.partCount);
  row->variables = std::to_string(record.scoreVariableCount);
  return true;
}

std::vector<TaskListRow> BuildTaskListRows() {
  std::vector<TaskListRow> rows;
  for (int i = 0; i < GetTaskLibraryCount(); ++i) {
    const CTaskLibrary* record = GetTaskLibrary(i);
    TaskListRow row;
    if (record && MakeTaskListRow(*record, i, &row)) rows.push_back(row);
  }
  return rows;
}

}  // namespace qel

// What makes a task plug-in: its default model-task record and its entry
// function, the only two symbols a plug-in exports.
//
// In exactly one source file of the plug-in:
//
//   const QelModelTask g_ModelDefault = { ... };
//   QEL_TASK_PLUGIN(CMyTask, g_task)
//
// QEL_TASK_PLUGIN defines the plug-in's one task object (constructed when
// the module is loaded, destroyed when it is freed), the framework's handle
// to it, and TaskEntry, which forwards every command to
// CTaskBase::DispatchCommand. The entry lives in the plug-in's own object
// file, so it is linked and exported whatever the framework's archive holds.
// No exception leaves the entry: a command that throws answers failure (a
// plug-in that throws while it initialises is refused by the loader).
#pragma once

#include <cstdint>
#include <type_traits>

#include "include/qel/ModelTask.h"
#include "include/qel/TaskEntry.h"
#include "taskfw/TaskBase.h"

namespace qel {

#define QEL_PLUGIN_EXPORT __attribute__((visibility("default")))

extern "C" QEL_PLUGIN_EXPORT const QelModelTask g_ModelDefault;

#define QEL_TASK_PLUGIN(TaskClass, object)                                                                          \
  static_assert(std::is_base_of_v<CTaskBase, TaskClass>, "a task class derives from CTaskBase");                    \
  TaskClass object;                                                                                                 \
  CTaskBase& QelPluginTask() { return object; }                                                                     \
  extern "C" QEL_PLUGIN_EXPORT bool TaskEntry(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out) { \
    try {                                                                                                           \
      return object.DispatchCommand(command, a, b, c, out);                                                         \
    } catch (...) {                                                                                                 \
      return false;                                                                                                 \
    }                                                                                                               \
  }                                                                                                                 \
  static_assert(std::is_same_v<decltype(&TaskEntry), TaskEntryFn>, "TaskEntry has the entry type")

}  // namespace qel

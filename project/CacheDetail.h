// Small rules shared by the project cache's item classes: null texts,
// dates stored only when valid, output lists emptied before they are
// filled, and owned items appended without a half-made state.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/ModelData.h"

namespace qel {

namespace cache_detail {

// A null text is stored empty.
inline std::string TextOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

// A date is kept only when it is valid; anything else becomes null.
inline QelDateTime ValidOrNull(const QelDateTime& date) { return date.IsValid() ? date : QelDateTime::Null(); }

// Exact, case-sensitive comparison; a null key matches nothing.
inline bool SameText(const char* key, const std::string& text) { return key && text == std::string_view(key); }

// The first item of a list whose text (nameOf) equals the key exactly; null
// for a null key or none. The key's length is taken once for the whole scan.
template <class T, class NameOf>
T* FindFirst(const std::vector<std::unique_ptr<T>>& list, const char* key, NameOf nameOf) {
  if (!key) return nullptr;
  const std::string_view wanted(key);
  for (const auto& item : list) {
    if (nameOf(*item) == wanted) return item.get();
  }
  return nullptr;
}

// Empties an output list that was passed; a null list is skipped.
template <class T>
void Empty(std::vector<T>* list) {
  if (list) list->clear();
}
template <class T>
void Put(std::vector<T>* list, const T& value) {
  if (list) list->push_back(value);
}

// Both dates valid and of different value.
inline bool DatesDiffer(const QelDateTime& a, const QelDateTime& b) {
  return a.IsValid() && b.IsValid() && a.value != b.value;
}

// Appends an owned item and returns it. When the list cannot grow,
// std::bad_alloc leaves the list as it was and the item is deleted.
template <class T>
T* AppendOwned(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item) {
  T* raw = item.get();
  list.push_back(std::move(item));
  return raw;
}

// Appends the same value n times.
template <class T>
void PutRepeated(std::vector<T>* list, const T& value, int n) {
  if (list) list->insert(list->end(), static_cast<size_t>(n), value);
}

// The first entry bound to a cached task with that short code, or to a
// cached model with that name; an entry bound to nothing matches nothing.
template <class T>
T* FindByBoundTask(const std::vector<std::unique_ptr<T>>& list, const char* code) {
  if (!code) return nullptr;
  const std::string_view wanted(code);
  for (const auto& entry : list) {
    const CModelTaskData* task = entry->GetBoundTask();
    if (task && task->GetTaskIdStr() == wanted) return entry.get();
  }
  return nullptr;
}
template <class T>
T* FindByBoundModel(const std::vector<std::unique_ptr<T>>& list, const char* name) {
  if (!name) return nullptr;
  const std::string_view wanted(name);
  for (const auto& entry : list) {
    const CModelData* model = entry->GetBoundModel();
    if (model && model->GetName() == wanted) return entry.get();
  }
  return nullptr;
}

// Appends a task entry bound to the model's task of that code (to nothing
// when the model is null or has no such task).
template <class T>
T* AppendBoundTask(std::vector<std::unique_ptr<T>>& list, const CModelData* model, const std::string& code) {
  const CModelTaskData* task = model ? model->FindTask(code.c_str()) : nullptr;
  return AppendOwned(list, std::make_unique<T>(task));
}

// The name column of rows: the filter text when one was given, else the
// name of what the entry is bound to (empty when bound to nothing).
inline std::string NameColumn(const char* filter, const CModelData* model) {
  if (filter) return filter;
  return model ? model->GetName() : std::string();
}
inline std::string CodeColumn(const char* filter, const CModelTaskData* task) {
  if (filter) return filter;
  return task ? task->GetTaskIdStr() : std::string();
}

// Rows of the entry with that key (of every entry when the key is null),
// each entry's rows followed by its name column; returns the rows added.
template <class T, class Find, class RowsOf>
int RowsOfEntries(const std::vector<std::unique_ptr<T>>& list, const char* key, Find find, RowsOf rowsOf) {
  if (key) {
    const T* entry = find(key);
    return entry ? rowsOf(*entry) : 0;
  }
  int rows = 0;
  for (const auto& entry : list) rows += rowsOf(*entry);
  return rows;
}

}  // namespace cache_detail

}  // namespace qel

// A task plug-in's parameter page as the task-parameter dialog makes it: the
// plug-in of the program folder loaded by the program's loader, a model
// task bound to it, and the page created inside a frame of this program.
#pragma once

#include <string>

#include "app/model/ExpModelTask.h"
#include "engine/library/TaskLibrary.h"

class wxFrame;
class wxWindow;

namespace qel {

namespace test {

class LoadedPage {
 public:
  // Loads Qel<shortCode>.qet and binds a model task of its defaults.
  explicit LoadedPage(const std::string& shortCode);
  ~LoadedPage();
  LoadedPage(const LoadedPage&) = delete;
  LoadedPage& operator=(const LoadedPage&) = delete;

  bool Loaded() const { return m_record.module != nullptr && m_record.page != nullptr; }
  // The page's window for the model task, editable or not; null when refused.
  wxWindow* Create(bool editable);

  CTaskLibrary m_record;
  CExpModelTask m_task;
  wxFrame* m_frame = nullptr;
};

}  // namespace test

}  // namespace qel

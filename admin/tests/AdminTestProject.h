// A project for the administration dialogs' tests: a cache the test fills,
// a name and path, and models read from a table the test fills.
#pragma once

#include <map>
#include <string>

#include "admin/AdminProject.h"
#include "app/model/ExpModel.h"
#include "project/ProjectData.h"
#include "project/TaskAvailability.h"

namespace qel {

namespace test {

class NoLoadedTasks final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return false; }
};

class AdminTestProject final : public IAdminProject {
 public:
  std::string GetPath() const override { return m_path; }
  std::string GetName() const override { return m_name; }
  const CProjectData& GetData() const override { return m_data; }
  bool ReadModel(const std::string& model, CExpModel* out) override {
    ++m_reads;
    auto it = m_readable.find(model);
    if (it == m_readable.end()) return false;
    out->m_name = it->first;
    return true;
  }

  std::string m_path = "/data/Study.qep";
  std::string m_name = "Study";
  NoLoadedTasks m_tasks;
  CProjectData m_data{m_tasks};
  std::map<std::string, bool> m_readable;  // the models ReadModel finds
  int m_reads = 0;
};

}  // namespace test

}  // namespace qel

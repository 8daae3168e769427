#include "editors/tests/EditorFixture.h"

#include <wx/app.h>

#include <algorithm>
#include <filesystem>

#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "include/qel/Resources.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

namespace test {

const TaskLibraryList& ProgramLibraries() {
  static TaskLibraryList* libraries = [] {
    auto* list = new TaskLibraryList;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    Host().SetProgramResources(&QelModuleResources());
    for (const std::string& path : paths) {
      auto* library = new CTaskLibrary;  // lives as long as the program, as the program's table
      library->host = &Host();
      if (library->Load(path.c_str(), false)) {
        list->push_back(library);
      } else {
        delete library;
      }
    }
    return list;
  }();
  return *libraries;
}

CTaskLibrary* ProgramLibrary(const std::string& code) { return FindLibraryByCode(ProgramLibraries(), code); }

CExpModelTask DefaultTask(const CTaskLibrary& library) {
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  return task;
}

CTaskLibrary* LibraryWithFlags(uint32_t flags, uint32_t responseType) {
  for (CTaskLibrary* library : ProgramLibraries()) {
    const bool keys = responseType == 0xFFFFFFFF || ResponseTypeOf(library->defaultTaskType) == responseType;
    if ((library->defaultTaskFlags & flags) == flags && keys) return library;
  }
  return nullptr;
}

void EditorFixture::SetUp() {
  m_services.libraries = ProgramLibraries();
  m_services.runData = &RunData();
  m_services.host = &Host();
  ASSERT_GE(m_services.libraries.size(), 20u) << "the program's plug-ins are built";
}

void EditorFixture::TearDown() {
  Pump(20);
  wxTheApp->ProcessIdle();
}

}  // namespace test

}  // namespace qel

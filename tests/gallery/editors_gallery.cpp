// The editors' windows: the model editor holding every plug-in of the
// program folder, and every page of the task dialog for five different
// tasks (a two-key task with trial lists, a mouse task, a one-key task, a
// task with the plug-in's own page, a task with a timing of its own).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/notebook.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "app/model/ExpModel.h"
#include "editors/TaskParHelp.h"
#include "editors/TimingRules.h"
#include "editors/ui/DlgModel.h"
#include "editors/ui/DlgTaskPar.h"
#include "editors/ui/DlgTaskParTrl.h"
#include "editors/ui/EditorServices.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

// The editors' texts read from their manifest in the source folder (the
// gallery's own resources hold only the run's texts).
std::string EditorText(uint32_t id) {
  static const std::map<uint32_t, std::string> texts = [] {
    std::map<uint32_t, std::string> map;
    const std::string folder = QEL_SOURCE_DIR "/editors/resources/";
    std::ifstream manifest(folder + "texts.txt");
    std::string type, file;
    uint32_t textId = 0;
    for (std::string line; std::getline(manifest, line);) {
      std::istringstream in(line);
      if (line.empty() || line[0] == '#' || !(in >> type >> textId >> file) || type != "TEXT") continue;
      std::ifstream text(folder + file, std::ios::binary);
      map[textId] = std::string(std::istreambuf_iterator<char>(text), {});
    }
    return map;
  }();
  const auto it = texts.find(id);
  return it == texts.end() ? std::string() : it->second;
}

struct Plugins {
  Plugins() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
      auto library = std::make_unique<CTaskLibrary>();
      library->host = &Host();
      if (library->Load(path.c_str(), false)) libraries.push_back(std::move(library));
    }
    for (auto& l : libraries) services.libraries.push_back(l.get());
    services.runData = &RunData();
    services.host = &Host();
    services.texts = EditorText;
  }
  ~Plugins() {
    for (auto& l : libraries) l->Unload();
  }
  CTaskLibrary* Find(const std::function<bool(const CTaskLibrary&)>& wanted) {
    for (auto& l : libraries) {
      if (wanted(*l)) return l.get();
    }
    return nullptr;
  }
  std::vector<std::unique_ptr<CTaskLibrary>> libraries;
  EditorServices services;
};

const char* const kTabNames[] = {"instruction", "general", "feedback", "timing", "trials", "variables", "parameters"};

TEST(EditorWindows, ModelEditorWithEveryPlugin) {
  Plugins plugins;
  ASSERT_GE(plugins.libraries.size(), 20u);
  CExpModel model;
  model.m_name = "Screening";
  model.m_loaded = 1;
  for (auto& l : plugins.libraries) {
    CExpModelTask task;
    task.SetFromModelTask(l->modelDefault);
    model.AddTask(task);
  }
  auto* dialog = new CDlgModel(nullptr, &model, true, plugins.services);
  dialog->SelectRow(2);
  ExpectDrawn(Snap(dialog, "model_editor"), "model editor");
  dialog->Tabs().SelectTab(kTabTiming);
  Pump(30);
  ExpectDrawn(Snap(dialog, "model_editor_timing"), "model editor timing");
  dialog->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
}

TEST(EditorWindows, EveryPageOfTheTaskDialogForFiveTasks) {
  Plugins plugins;
  CTaskLibrary* chosen[] = {
      plugins.Find([](const CTaskLibrary& l) { return (l.defaultTaskFlags & 3) > 1 && ResponseTypeOf(l.defaultTaskType) == 2; }),
      plugins.Find([](const CTaskLibrary& l) { return ResponseTypeOf(l.defaultTaskType) == 0; }),
      plugins.Find([](const CTaskLibrary& l) { return ResponseTypeOf(l.defaultTaskType) == 1 && (l.defaultTaskFlags & 0x10000); }),
      plugins.Find([](const CTaskLibrary& l) { return l.page != nullptr; }),
      plugins.Find([](const CTaskLibrary& l) {
        return TimingApplies(l.defaultTaskType, l.defaultTaskFlags) && l.taskDescription && l.taskDescription->presetCount > 0;
      }),
  };
  int shown = 0;
  std::set<CTaskLibrary*> done;
  for (CTaskLibrary* library : chosen) {
    if (!library || !done.insert(library).second) continue;
    CExpModelTask task;
    task.SetFromModelTask(library->modelDefault);
    task.library = library;
    task.loaded = 1;
    const std::string code = task.TaskIdStr;
    auto* dialog = new CDlgTaskPar(nullptr, &task, "Screening", true, plugins.services);
    for (int tab = 0; tab < dialog->Tabs().GetTabCount(); ++tab) {
      dialog->Tabs().SelectTab(tab);
      if (tab == kTabTrials) {
        dialog->Tabs().Trials().SelectForPreview(0, 0);
      }
      Pump(30);
      const std::string name = "task_dialog_" + code + "_" + kTabNames[tab];
      ExpectDrawn(Snap(dialog, name), name);
    }
    dialog->Destroy();
    Pump(30);
    wxTheApp->ProcessIdle();
    ++shown;
  }
  EXPECT_GE(shown, 3);
}

// The task dialog's Help button shows the help of the page in view.
TEST(EditorWindows, TaskDialogHelp) {
  Plugins plugins;
  CTaskLibrary* tapping = plugins.Find([](const CTaskLibrary& l) { return l.modelDefault && std::string(l.modelDefault->TaskIdStr) == "TP"; });
  ASSERT_NE(tapping, nullptr);
  CExpModelTask task;
  task.SetFromModelTask(tapping->modelDefault);
  task.library = tapping;
  task.loaded = 1;
  auto* dialog = new CDlgTaskPar(nullptr, &task, "Screening", true, plugins.services);
  dialog->Show();
  Pump(50);
  ExpectDrawn(SnapModal(kTaskParHelpTitle, "task_dialog_help",
                        [dialog] {
                          wxCommandEvent help(wxEVT_BUTTON, CDlgTaskPar::kIdHelp);
                          help.SetEventObject(dialog->FindWindow(CDlgTaskPar::kIdHelp));
                          dialog->GetEventHandler()->ProcessEvent(help);
                        }),
              "task dialog help");
  dialog->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
}

}  // namespace

}  // namespace qel

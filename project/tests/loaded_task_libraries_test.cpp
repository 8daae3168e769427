// The program's answer to "is this task's plug-in loaded", over its real
// table of loaded plug-ins: a cached model counts the tasks whose plug-in
// was not loaded when the entry was made.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/library/TaskLibraries.h"
#include "project/LoadedTaskLibraries.h"
#include "project/ProjectData.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

TEST(LoadedTaskLibrariesTest, ATaskIsAvailableWhileItsPluginIsLoaded) {
  TempFolder folder;
  std::filesystem::copy_file(std::string(QEL_OUTPUT_DIR) + "/QelTP.qet", folder.File("QelTP.qet"));
  SetTaskFolder(folder.File("Qel").c_str());
  const CLoadedTaskLibraries loaded;
  EXPECT_FALSE(loaded.IsTaskLibraryLoaded("TP"));

  ASSERT_EQ(FindTaskLibraries(nullptr), 1);
  const std::string code = GetTaskLibrary(0)->GetShortCode();
  ASSERT_FALSE(code.empty());
  EXPECT_TRUE(loaded.IsTaskLibraryLoaded(code));
  EXPECT_FALSE(loaded.IsTaskLibraryLoaded(code + "X"));

  CProjectData data(loaded);
  CModelData* model = data.AddModel("Motor", 4, "April 2010", "admin", QelDateTime::Null());
  model->AddTask(1, code, "Tapping");
  EXPECT_EQ(data.GetUnavailableTaskCount("Motor"), 0u);
  model->AddTask(2, "NOPLUGIN", "Missing");
  EXPECT_EQ(data.GetUnavailableTaskCount("Motor"), 1u);
  EXPECT_TRUE(data.IsModelTaskAvailable("Motor", code.c_str()));

  UnloadTaskLibraries();
  EXPECT_FALSE(loaded.IsTaskLibraryLoaded(code));
  EXPECT_TRUE(data.IsModelTaskAvailable("Motor", code.c_str()));  // as it was when the entry was made
}

}  // namespace
}  // namespace test

}  // namespace qel

// Test support: the script that answers the test plug-ins' commands, the
// test plug-in files, a temporary folder for them, a fixture with the good
// plug-in loaded, and a task host that records what the library asks of it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/library/TaskLibrary.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskLibraryInterface.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace test {

struct PluginCall {
  const ITaskLibrary* record;
  uint32_t command;
  intptr_t a, b, c;
  bool hasOut;
};

using PluginAnswer =
    std::function<bool(ITaskLibrary* record, uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out)>;

// What every test plug-in loaded in this program reports to and asks.
struct PluginScript {
  std::vector<PluginCall> calls;
  PluginAnswer answer;  // empty: every command answers true, out untouched

  static PluginScript& Get();
  void Reset() {
    calls.clear();
    answer = nullptr;
  }
  std::vector<uint32_t> Commands() const;
  std::vector<uint32_t> CommandsOf(const ITaskLibrary* record) const;
};

// A test plug-in built beside the tests: "Good", "Other", "Version2",
// "InitFails", "NoEntry" or "NoDefault".
std::string PluginPath(const std::string& name);

// A fresh temporary folder to put test plug-ins and other files in.
class PluginFolder : public qel::test::TempFolder {
 public:
  // The folder as the plug-in folder text (with its trailing '/').
  std::string FolderText() const { return Path().string() + "/"; }
  // Copies test plug-in `plugin` into the folder as `fileName`.
  void AddPlugin(const std::string& plugin, const std::string& fileName) const;
  void AddFile(const std::string& fileName, const std::string& content) const;
};

// The good test plug-in loaded by a record of its own, with the script
// reset around each test.
class GoodPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PluginScript::Get().Reset();
    ASSERT_TRUE(m_lib.Load(PluginPath("Good").c_str(), true));
  }
  void TearDown() override {
    m_lib.Unload();
    PluginScript::Get().Reset();
  }
  CTaskLibrary m_lib;
};

// Whether the file is mapped in this process (dlopen without loading it).
bool IsModuleLoaded(const std::string& path);

// A task host that only records SetRunFlags; every other service is inert.
class RecordingTaskHost final : public FakeTaskHost {
 public:
  std::vector<int> m_runFlags;
  void SetRunFlags(uint8_t practice) override { m_runFlags.push_back(practice); }
};

}  // namespace test

}  // namespace qel
